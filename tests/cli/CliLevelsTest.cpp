// The raw seconds of a day from the command line.
#include "CliRun.h"
#include "SampleCard.h"
#include "TestSupport.h"
#include "Volumes.h"
#include "graph/TimeHistory.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

using moravel::test::cli;

namespace {

// A card with one raw file: 10:00:00 to 10:00:04 at 60.0, 70.0, ---.-, 50.0, 60.0; 10:00:10 at 80.0.
struct RawCard {
    RawCard() {
        QStringList lines = moravel::tools::sampleHeader(QStringLiteral("1111100"));
        lines.append(QString());
        lines.append(QStringLiteral("2021/03/01 10:00,060.0,070.0,---.-,050.0,060.0"));
        lines.append(QStringLiteral("2021/03/01 10:00:10,080.0"));
        moravel::test::writeDeviceFile(tmp.filePath("20210301.LA"), lines);
        moravel::test::writeDeviceFile(tmp.filePath("MORVEL.TXT"),
                                       moravel::tools::sampleHeader(QStringLiteral("1111100")));
    }
    QTemporaryDir tmp;
};

} // namespace

TEST(CliLevels, StepsAndSamplesAsJsonTextAndCsv) {
    const RawCard card;
    const auto json = cli({"levels", card.tmp.path(), "--day", "20210301", "--from", "10:00", "--to",
                           "10:00:20", "--step", "10s", "--format", "json"});
    EXPECT_EQ(json.code, 0);
    // Leq of 60, 70, 50, 60: 10·log10((10^6 + 10^7 + 10^5 + 10^6) / 4) = 64.807.
    EXPECT_EQ(
        json.out,
        "{\"date\": \"2021-03-01\", \"from\": \"10:00:00\", \"to\": \"10:00:20\", \"step\": \"10s\", "
        "\"channels\": {\"S\": {\"reason\": null, \"steps\": ["
        "{\"start\": \"10:00:00\", \"valid\": 4, \"leq\": 64.8, \"lmax\": 70.0, \"lmax_time\": \"10:00:01\", "
        "\"lmin\": 50.0, \"l05\": 70.0, \"l10\": 70.0, \"l50\": 60.0, \"l90\": 50.0, \"l95\": 50.0}, "
        "{\"start\": \"10:00:10\", \"valid\": 1, \"leq\": 80.0, \"lmax\": 80.0, \"lmax_time\": \"10:00:10\", "
        "\"lmin\": 80.0, \"l05\": 80.0, \"l10\": 80.0, \"l50\": 80.0, \"l90\": 80.0, \"l95\": 80.0}]}, "
        "\"V\": {\"reason\": \"20210301.LV がありません。\", \"steps\": []}}}\n");
    // The missing vibration file is said once on standard error; the run still succeeds.
    EXPECT_EQ(json.err, QStringLiteral("moravel-cli: 20210301.LV がありません。\n"));

    const auto samples = cli({"levels", card.tmp.path(), "--day", "20210301", "--from", "10:00:01", "--to",
                              "10:00:04", "--step", "1s", "--channel", "S"});
    EXPECT_EQ(samples.out, "noise S\ntime      level\n10:00:01   70.0\n10:00:02      -\n10:00:03   50.0\n");
    EXPECT_TRUE(samples.err.isEmpty());

    // CSV as the other CSV files: code page 932 with CR LF; a gap is an empty field.
    QProcess p;
    p.start(QStringLiteral(MORAVEL_CLI),
            {"levels", card.tmp.path(), "--day", "20210301", "--from", "10:00:09", "--to", "10:00:11",
             "--step", "1s", "--channel", "S", "--format", "csv"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.readAllStandardOutput(),
              moravel::platform::encodeCp932(QStringLiteral("日時,チャンネル,レベル\r\n")) +
                  "2021/03/01 10:00:09,S,\r\n2021/03/01 10:00:10,S,80.0\r\n");
}

TEST(CliLevels, WhatIsWrongIsSaid) {
    const RawCard card;
    const struct {
        QStringList args;
        int code;
        QString err;
    } cases[] = {
        {{"--from", "10:00"}, 2, "moravel-cli: levels needs --day YYYYMMDD\n"},
        {{"--day", "20210301", "--step", "5min"},
         2,
         "moravel-cli: --step 5min: the steps are 1s, 10s, 1min, 10min and 1h\n"},
        {{"--day", "20210301", "--from", "10:00", "--to", "09:00"},
         2,
         "moravel-cli: --to 09:00:00 is not after --from 10:00:00\n"},
        {{"--day", "20210301", "--from", "24:00"},
         2,
         "moravel-cli: --from 24:00: a time of day is HH:MM or HH:MM:SS\n"},
        {{"--day", "20210301", "--channel", "X"}, 2, "moravel-cli: --channel X: the channels are S and V\n"},
        {{"--day", "20210302"},
         1,
         "moravel-cli: 20210302.LA がありません。\nmoravel-cli: 20210302.LV がありません。\n"},
    };
    for (const auto& c : cases) {
        const auto r = cli(QStringList{"levels", card.tmp.path()} + c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
    }
}

TEST(CliLevels, CheckRawTellsRawFilesThatDoNotMakeTheirDayFiles) {
    QTemporaryDir tmp;
    moravel::tools::SampleCardOptions options = moravel::test::cardOptions(2, true);
    moravel::tools::writeSampleCard(tmp.filePath("card"), options);
    options.seed = 5;
    moravel::tools::writeSampleCard(tmp.filePath("other"), options);
    const QString card = tmp.filePath("card");
    // The card's own raw files make its day files: nothing to tell.
    auto raw = cli({"check", card, "--raw"});
    EXPECT_EQ(raw.out.count(u'\n'), 1) << raw.out.toStdString();
    // A raw file of another day, and one of another card's same day.
    QFile::remove(card + "/20210301.LA");
    QFile::copy(card + "/20210302.LA", card + "/20210301.LA");
    QFile::remove(card + "/20210302.LV");
    QFile::copy(tmp.filePath("other/20210302.LV"), card + "/20210302.LV");
    raw = cli({"check", card, "--raw"});
    EXPECT_EQ(raw.code, 0); // information, not a fault of the card
    const QStringList lines = raw.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << raw.out.toStdString();
    EXPECT_EQ(lines[1], "20210301 S: 20210301.LA holds no second of its day (1440 lines of another date)");
    EXPECT_TRUE(lines[2].startsWith("20210302 V: ")) << lines[2].toStdString();
    EXPECT_TRUE(
        lines[2].contains(" ten-minute entries of 20210302.LVC differ by more than 1 dB from the seconds of "
                          "20210302.LV (the first at "))
        << lines[2].toStdString();
    // Without --raw nothing of it is said.
    EXPECT_EQ(cli({"check", card}).out.count(u'\n'), 1);
}

TEST(CliLevels, GraphRawDrawsThePagesTimeHistoryAsAnImageOrAPdf) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1, true));
    const QString png = tmp.filePath("raw.png");
    const auto r = cli({"graph", card, png, "--raw", "--day", "20210301", "--from", "10:00", "--to",
                        "10:10:30", "--size", "800x300"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, moravel::test::shown(png) + "\n");

    // The picture is the core's drawing of the day's seconds and entries under its title line.
    moravel::data::RawDay day = moravel::data::loadRawDay(card, "20210301");
    moravel::data::loadDayFileEntries(card, day);
    QImage expected(800, 300, QImage::Format_ARGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        QFont font(moravel::platform::uiFontFamily());
        font.setPixelSize(14);
        p.setFont(font);
        p.drawText(QRect(8, 0, 784, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("2021年03月01日　10:00:00～10:10:30　生データ（毎秒の値）"));
        moravel::graph::drawTimeHistoryPair(p, QRect(0, 24, 800, 276), day, {36000, 36630}, 85, 75);
    }
    const QImage saved(png);
    ASSERT_EQ(saved.size(), QSize(800, 300));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));

    const QString pdf = tmp.filePath("raw.pdf");
    ASSERT_EQ(cli({"graph", card, pdf, "--raw", "--day", "20210301", "--quiet"}).code, 0);
    // Uses the wrong channel or a period: the time history shows both channels of one day.
    const auto refused = cli({"graph", card, png, "--raw", "--day", "20210301", "--channel", "S"});
    EXPECT_EQ(refused.code, 2);
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts)";
    QString info, fonts;
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("Page size:       783 x 303 pts")) << info.toStdString();
    ASSERT_TRUE(moravel::test::runCommand("pdffonts", {pdf}, &fonts));
    EXPECT_TRUE(fonts.contains(QRegularExpression("CID TrueType\\s+Identity-H\\s+yes")))
        << fonts.toStdString();
}
