// The compliance outputs never hide a broken day: what the summary refuses, the report and check
// refuse too, naming the day file; what is written in the file is what they show.
#include "CliRun.h"
#include "TestSupport.h"
#include "Volumes.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using moravel::test::cli;
using moravel::test::CliResult;

namespace {

class ComplianceFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        card = tmp.filePath("card");
        moravel::tools::writeSampleCard(card, moravel::test::cardOptions(3));
    }
    // Changes line `index` of a day file (a header line, or a data row's field 2 + stat).
    void setLine(const QString& name, int index, const QString& line) {
        QStringList lines = moravel::platform::readLines(card + "/" + name);
        lines[index] = line;
        moravel::test::writeDeviceFile(card + "/" + name, lines);
    }
    void setLevel(const QString& name, int row, int stat, const QString& text) {
        QStringList lines = moravel::platform::readLines(card + "/" + name);
        QStringList fields = lines[17 + row].split(',');
        fields[1 + stat] = text;
        lines[17 + row] = fields.join(',');
        moravel::test::writeDeviceFile(card + "/" + name, lines);
    }
    CliResult summary(const QStringList& extra = {}) {
        return cli(QStringList{"summary", card, "--period", "20210301", "20210303", "--format", "json"} +
                   extra);
    }

    QTemporaryDir tmp;
    QString card;
};

} // namespace

TEST_F(ComplianceFaults, AReferenceThatIsNoWholeNumberIsNamedBySummaryReportAndCheck) {
    for (const QString& line :
         {QStringLiteral("S-ALA,85.0"), QStringLiteral("S-ALA, 85"), QStringLiteral("abc"), QString()}) {
        SetUp();
        setLine("20210302.LAC", 9, line);
        const QString said =
            QStringLiteral("20210302.LAC は破損しています。基準値の行「%1」が整数ではありません。").arg(line);
        const CliResult s = summary();
        EXPECT_EQ(s.code, 1) << line.toStdString();
        EXPECT_EQ(s.err, "moravel-cli: " + said + "\n") << line.toStdString();
        const CliResult r = cli(
            {"report", card, tmp.filePath("r.png"), "--period", "20210301", "20210303", "--kind", "table"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "moravel-cli: " + said + "\n");
        const CliResult c = cli({"check", card});
        EXPECT_EQ(c.code, 1);
        EXPECT_TRUE(c.out.contains("20210302 " + said)) << c.out.toStdString();
    }
}

TEST_F(ComplianceFaults, ALevelThatIsNoNumberFailsTheDayWithItsFileAndText) {
    for (const QString& text : {QStringLiteral("07O.0"), QStringLiteral("1e5")}) {
        SetUp();
        setLevel("20210302.LAC", 50, 2, text); // L05 of 08:20
        const CliResult s = summary();
        EXPECT_EQ(s.code, 1) << text.toStdString();
        EXPECT_EQ(s.err,
                  QStringLiteral("moravel-cli: 20210302.LAC は破損しています。08:20のL05「%1」%2\n")
                      .arg(text, text == u"1e5" ? QStringLiteral("は測定値としてありえない大きさです。")
                                                : QStringLiteral("は数値ではありません。")));
        EXPECT_TRUE(cli({"check", card}).out.contains("20210302 20210302.LAC は破損しています。"))
            << text.toStdString();
        // Outside the time window the day is judged as the window's tables show it.
        EXPECT_EQ(summary({"--from", "10:00", "--to", "18:00"}).code, 0);
    }
}

TEST_F(ComplianceFaults, TheMaximumAndRunPeaksAreAsWrittenAndTheJsonIsValid) {
    setLine("20210301.LAC", 9, "S-ALA,70");
    setLevel("20210301.LAC", 0, 2, "071.25");
    const CliResult s =
        cli({"summary", card, "--day", "20210301", "--format", "json", "--from", "00:00", "--to", "01:00"});
    ASSERT_EQ(s.code, 0) << s.err.toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(s.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << s.out.toStdString();
    EXPECT_TRUE(s.out.contains("\"peak\": 71.25")) << s.out.toStdString();
    const CliResult text = cli({"summary", card, "--day", "20210301", "--from", "00:00", "--to", "01:00"});
    EXPECT_TRUE(text.out.contains("71.25")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(", 1 entry, peak 71.25") || text.out.contains("entries, peak 71.25"))
        << text.out.toStdString();
}

TEST_F(ComplianceFaults, EveryCalendarDayOfThePeriodIsListedAndALoneDayFileIsNamed) {
    ASSERT_TRUE(QFile::remove(card + "/20210302.LVC"));
    const CliResult s = summary();
    ASSERT_EQ(s.code, 0) << s.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(s.out.toUtf8()).object();
    const QJsonArray days = root["channels"].toObject()["S"].toObject()["days"].toArray();
    ASSERT_EQ(days.size(), 3);
    EXPECT_EQ(days[1].toObject()["date"].toString(), "2021-03-02");
    EXPECT_FALSE(days[1].toObject()["recorded"].toBool());
    EXPECT_EQ(days[1].toObject()["valid"].toInt(), 0);
    EXPECT_EQ(days[1].toObject()["entries"].toInt(), 144);
    EXPECT_TRUE(days[1].toObject()["reference"].isNull());
    const CliResult c = cli({"check", card});
    EXPECT_EQ(c.code, 1);
    EXPECT_TRUE(c.out.contains("20210302 20210302.LAC has no 20210302.LVC beside it: the day is not shown"))
        << c.out.toStdString();
}

TEST_F(ComplianceFaults, AnUnreadableSettingsFileIsOneRuleForImagesAndPdfs) {
    // A byte order mark of UTF-8 before bytes that are not: the file is there but cannot be read.
    moravel::test::writeBytes(card + "/MORVEL.TXT", QByteArray("\xEF\xBB\xBF\xC3\x28\r\n"));
    for (const char* file : {"r.png", "r.pdf"}) {
        const CliResult r = cli({"report", card, tmp.filePath(file), "--day", "20210301"});
        EXPECT_EQ(r.code, 0) << file << ": " << r.err.toStdString();
    }
    QString meta;
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {"-meta", tmp.filePath("r.pdf")}, &meta));
    EXPECT_TRUE(meta.contains("<moravel:SettingsFile>unreadable</moravel:SettingsFile>"))
        << meta.toStdString();
    EXPECT_EQ(cli({"verify", tmp.filePath("r.pdf"), card}).code, 0);
}
