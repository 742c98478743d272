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

TEST(CliEvents, TheEventsOfADayAsJsonAndAsCsv) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1, true));
    // Noise: 80 and 90 dB, a second without a sample, 76 dB, then 85 dB five seconds after; no
    // vibration raw file. The reference of noise is 85 dB: events above 75 dB.
    QStringList lines = moravel::tools::sampleHeader(QStringLiteral("1111100"));
    lines.append(QString());
    lines.append(QStringLiteral("2021/03/01 10:00,070.0,080.0,090.0,---.-,076.0"));
    lines.append(QStringLiteral("2021/03/01 10:00:10,085.0"));
    moravel::test::writeDeviceFile(card + "/20210301.LA", lines);
    QFile::remove(card + "/20210301.LV");
    const auto json = cli({"events", card, "--day", "20210301", "--format", "json"});
    EXPECT_EQ(json.code, 0) << json.err.toStdString();
    // (10^8 + 10^9 + 10^7.6) / 3 → 85.8 dB over 4 seconds: SEL 91.8 dB.
    EXPECT_EQ(
        json.out,
        "{\"threshold\": \"ref-10\", \"gap\": 5, \"days\": [{\"date\": \"2021-03-01\", "
        "\"S\": {\"threshold\": 75.0, \"reason\": null, \"events\": ["
        "{\"start\": \"10:00:01\", \"end\": \"10:00:05\", \"duration\": 4, \"peak\": 90.0, "
        "\"peak_time\": \"10:00:02\", \"leq\": 85.8, \"sel\": 91.8, \"coinciding\": false}, "
        "{\"start\": \"10:00:10\", \"end\": \"10:00:11\", \"duration\": 1, \"peak\": 85.0, "
        "\"peak_time\": \"10:00:10\", \"leq\": 85.0, \"sel\": 85.0, \"coinciding\": false}]}, "
        "\"V\": {\"threshold\": 65.0, \"reason\": \"20210301.LV がありません。\", \"events\": []}}]}\n");
    EXPECT_EQ(json.err, QStringLiteral("moravel-cli: 20210301.LV がありません。\n"));

    // A threshold of its own (76 dB is not above 77.5) and a gap of 8 s: one event.
    const auto joined = cli({"events", card, "--day", "20210301", "--channel", "S", "--threshold", "77.5",
                             "--gap", "8", "--format", "json"});
    EXPECT_TRUE(joined.out.contains("\"S\": {\"threshold\": 77.5, \"reason\": null, \"events\": [{\"start\": "
                                    "\"10:00:01\", \"end\": \"10:00:11\", \"duration\": 10, \"peak\": 90.0"))
        << joined.out.toStdString();
    EXPECT_FALSE(joined.out.contains("\"V\""));
    // CSV as the other CSV files: code page 932 with CR LF.
    QProcess p;
    p.start(QStringLiteral(MORAVEL_CLI), {"events", card, "--day", "20210301", "--format", "csv"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.readAllStandardOutput(),
              moravel::platform::encodeCp932(QStringLiteral(
                  "日付,チャンネル,しきい値(dB),開始,終了,継続時間(秒),最大値(dB),最大値の時刻,"
                  "Leq(dB),SEL(dB),騒音と振動が同時\r\n"
                  "2021-03-01,騒音,75.0,10:00:01,10:00:05,4,90.0,10:00:02,85.8,91.8,\r\n"
                  "2021-03-01,騒音,75.0,10:00:10,10:00:11,1,85.0,10:00:10,85.0,85.0,\r\n")));
    const auto refused = cli({"events", card, "--day", "20210301", "--threshold", "loud"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.startsWith(
        "moravel-cli: --threshold loud: give a level in dB, as 75 or 72.5, or ref-10"));
}

// A day of the sample card where L05 stays under the reference and the maxima do not: the summary
// warns whatever the method, and judging by the maxima finds what the warning said.
TEST(CliEvents, TheSummaryWarnsWhereTheMaximaExceedAndTheLevelDoesNot) {
    QTemporaryDir tmp;
    moravel::tools::SampleCardOptions options;
    options.days = 10;
    options.start = QDate(2024, 4, 1);
    moravel::tools::writeSampleCard(tmp.path(), options);
    auto summary = [&](const QString& method) {
        const auto r = cli({"summary", tmp.path(), "--day", "20240402", "--from", "08:00", "--to", "18:00",
                            "--format", "json", "--noise-method", method});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        // The noise channel's day.
        return r.out.mid(r.out.indexOf("\"S\""), r.out.indexOf("\"V\"") - r.out.indexOf("\"S\""));
    };
    const QString byL05 = summary("statistic");
    EXPECT_TRUE(byL05.contains("\"method\": \"statistic\"")) << byL05.toStdString();
    EXPECT_TRUE(byL05.contains("\"exceeded_entries\": 0, \"exceedances\": []"));
    EXPECT_TRUE(byL05.contains("\"lmax_exceeded_entries\": 34, \"maxima90_exceeded_entries\": 34, "
                               "\"warning\": \"最大値による判定では基準値を超えています（34区間）\""))
        << byL05.toStdString();
    const QString byMaxima = summary("maxima-90");
    EXPECT_TRUE(byMaxima.contains("\"method\": \"maxima-90\""));
    EXPECT_TRUE(byMaxima.contains("\"exceeded_entries\": 34, ")) << byMaxima.toStdString();
    EXPECT_TRUE(byMaxima.contains("\"warning\": null"));
    EXPECT_EQ(cli({"summary", tmp.path(), "--day", "20240402", "--noise-method", "L05"}).code, 2);
}
