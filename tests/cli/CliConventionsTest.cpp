// moravel-cli as a new user meets it: help, errors that say what and why, the files it wrote, and
// nothing left behind by a run that failed.
#include "CliRun.h"
#include "TestSupport.h"
#include "Volumes.h"

#include "SampleCard.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using moravel::test::cli;
using moravel::test::CliResult;

namespace {

struct CardFixture {
    QTemporaryDir tmp;
    QString card = tmp.filePath("card");
    QString out = tmp.filePath("out/new");

    CardFixture() { moravel::tools::writeSampleCard(card, moravel::test::cardOptions(3, true)); }

    QStringList expand(const QStringList& args) const {
        QStringList expanded;
        for (QString a : args)
            expanded.append(a.replace("%card%", card).replace("%out%", out).replace("%tmp%", tmp.path()));
        return expanded;
    }
};

} // namespace

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"csv", "--help"},
                                    QStringList{"settings", "-h"}, QStringList{"report", "card", "--help"}}) {
        const CliResult r = cli(args);
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("usage: moravel-cli ")) << r.out.toStdString();
    }
    EXPECT_TRUE(cli({"csv", "--help"}).out.startsWith("usage: moravel-cli csv CARD OUTDIR "));
    const CliResult version = cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "moravel-cli 1.0.1.6\n");
    // Japanese under a Japanese locale, by LANG or by LANGUAGE.
    EXPECT_TRUE(
        cli({"csv", "--help"}, "ja_JP.UTF-8").out.startsWith(QStringLiteral("使い方: moravel-cli csv CARD")));
    // Without arguments: the usage on standard error, a usage error.
    const CliResult none = cli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.startsWith("usage: moravel-cli COMMAND"));
}

TEST(CommandLine, EveryBadInputSaysWhatAndWhy) {
    if (moravel::test::onWindows())
        GTEST_SKIP() << "the reasons are the system's own words, and Windows words them otherwise";
    const CardFixture f;
    struct Case {
        QStringList args;
        int code;
        QString message; // the first line of standard error
    };
    const QList<Case> cases = {
        {{"days", "%tmp%/missing"},
         1,
         "%tmp%/missing: cannot read the card directory: No such file or directory"},
        {{"days", "%card%/20210301.LAC"},
         1,
         "%card%/20210301.LAC: cannot read the card directory: Not a directory"},
        {{"csv", "%card%", "%card%/20210301.LAC", "--day", "20210301"},
         1,
         "%card%/20210301.LAC: cannot write into the output directory: Not a directory"},
        {{"csv", "%card%", "%card%/20210301.LAC/sub", "--day", "20210301"},
         1,
         "%card%/20210301.LAC/sub: cannot make the output directory: %card%/20210301.LAC: Not a directory"},
        {{"csv", "%card%", "%out%", "--day", "20210230"},
         1,
         "--day 20210230: the card has no measured day of this date"},
        {{"csv", "%card%", "%out%", "--day", "2021-03-05"},
         2,
         "--day 2021-03-05: a day is written yyyymmdd, as 20210305"},
        {{"report", "%card%", "%out%/r.pdf", "--period", "20210301", "2021035"},
         2,
         "--period 2021035: a day is written yyyymmdd, as 20210305"},
        {{"csv", "%card%", "%out%", "--day", "20991231"},
         1,
         "--day 20991231: the card has no measured day of this date"},
        {{"csv", "%card%", "%out%", "--day", "20210301", "--from", "08:00", "--to", "18:00"},
         2,
         "--from has no effect here: the CSV files of --day and --all hold whole days"},
        {{"csv", "%card%", "%out%", "--period", "20210301", "20210302", "--from", "08:30", "--to", "18:00"},
         2,
         "--from 08:30: the time window of a period takes whole hours"},
        {{"report", "%card%", "%out%/r.png", "--period", "20210301", "20210303", "--lines"},
         2,
         "--lines has no effect here: the graphs of a period are always lines"},
        {{"report", "%card%", "%out%/r.png", "--day", "20210301", "--series", "L50"},
         2,
         "--series has no effect here: the graphs of a day are bars of one level without --lines"},
        {{"report", "%card%", "%out%/r.png", "--day", "20210301", "--columns", "L50"},
         2,
         "--columns has no effect here: only the period table of --kind table has columns to choose"},
        {{"report", "%card%", "%out%/r.png", "--period", "20210301", "20210303", "--kind", "graph",
          "--noise-level", "L50"},
         2,
         "--noise-level has no effect here: this page shows neither a bar graph nor a table of one level"},
        {{"report", "%card%", "%out%/r.gif", "--day", "20210301"},
         2,
         "%out%/r.gif: the report file ends in .png, .bmp, .jpg or .pdf"},
        {{"graph", "%card%", "%out%/g.png", "--day", "20210301", "--channel", "V", "--lines", "--series",
          "Le"},
         2,
         "--series: Le is not a level of the vibration channel"},
        {{"graph", "%card%", "%out%/g.png", "--day", "20210301", "--channel", "V", "--level", "Le"},
         2,
         "--level: Le is not a level of the vibration channel; its levels are Leq L05 L10 L50 L90 L95 Lmin "
         "Lmax"},
        {{"summary", "%card%", "--day", "20210301", "--format", "xml"},
         2,
         "--format xml: the formats are text, csv and json"},
        {{"settings", "%card%", "--quiet"}, 2, "--quiet has no effect here: it goes with --set"},
        {{"settings", "%card%", "--set", "colour=red"},
         2,
         "--set colour=red: give NAME=VALUE, the names being site, place, position, noise-regulation, "
         "vibration-regulation, notices, institution, person, noise-reference, vibration-reference, week, "
         "start, stop"},
        {{"csv", "%card%"}, 2, "csv takes a card directory and an output directory"},
        {{"days", "%card%", "--bogus"}, 2, "unknown option --bogus"},
        {{"frobnicate"}, 2, "unknown command frobnicate"},
        {{"verify", "%tmp%/none.pdf", "%card%"}, 1, "%tmp%/none.pdf: No such file or directory"},
        {{"verify", "%card%/MORVEL.TXT", "%card%"}, 1, "%card%/MORVEL.TXT: not a PDF file"},
    };
    for (const Case& c : cases) {
        const QStringList args = f.expand(c.args);
        const CliResult r = cli(args);
        const QString what = args.join(' ');
        EXPECT_EQ(r.code, c.code) << what.toStdString();
        EXPECT_EQ(r.err.section('\n', 0, 0), "moravel-cli: " + f.expand({c.message})[0])
            << what.toStdString();
        if (c.code == 2) {
            EXPECT_TRUE(r.err.section('\n', 1, 1).endsWith(" --help\" tells how to use it.") ||
                        r.err.section('\n', 1, 1) == "\"moravel-cli --help\" lists the commands.")
                << r.err.toStdString();
        }
        EXPECT_TRUE(r.out.isEmpty()) << what.toStdString();
    }
    // None of them made the output directory.
    EXPECT_FALSE(QFileInfo::exists(f.tmp.filePath("out")));

    // In Japanese under a Japanese locale; the system's reason as the system gives it.
    const CliResult ja = cli(f.expand({"csv", "%card%", "%out%", "--day", "2021030"}), "ja_JP.UTF-8");
    EXPECT_EQ(ja.err,
              QStringLiteral("moravel-cli: --day 2021030: 日付は 20210305 のように yyyymmdd で書きます\n"
                             "「moravel-cli csv --help」で使い方を表示します。\n"));
    const CliResult jaMissing = cli(f.expand({"days", "%tmp%/missing"}), "ja_JP.UTF-8");
    EXPECT_TRUE(jaMissing.err.startsWith(
        QStringLiteral("moravel-cli: %1/missing: カードのディレクトリを読めません: ").arg(f.tmp.path())))
        << jaMissing.err.toStdString();
    // The application's own messages stay as they are.
    QStringList lac = moravel::platform::readLines(f.card + "/20210302.LAC");
    lac[14] = "START,8:00";
    moravel::test::writeDeviceFile(f.card + "/20210302.LAC", lac);
    EXPECT_EQ(cli(f.expand({"summary", "%card%", "--day", "20210302"})).err,
              QStringLiteral("moravel-cli: 20210302: 20210302.LAC は破損しています。\n"));
}

TEST(CommandLine, WritingCommandsNameTheirFilesAndAFailedRunLeavesNothing) {
    const CardFixture f;
    // csv and report make a missing output directory alike, and name the files they wrote.
    const CliResult csv = cli({"csv", f.card, f.out + "/csv", "--day", "20210301"});
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    // Named as the system writes paths.
    EXPECT_EQ(csv.out, QDir::toNativeSeparators(
                           QStringList({f.out + "/csv/20210301.csv", f.out + "/csv/20210301_LA.csv",
                                        f.out + "/csv/20210301_LV.csv", f.out + "/csv/20210301_LAC.csv",
                                        f.out + "/csv/20210301_LVC.csv"})
                               .join('\n') +
                           '\n'));
    const CliResult report = cli({"report", f.card, f.out + "/report/day.pdf", "--day", "20210301"});
    ASSERT_EQ(report.code, 0) << report.err.toStdString();
    EXPECT_EQ(report.out, QDir::toNativeSeparators(f.out + "/report/day.pdf\n"));
    const CliResult graph =
        cli({"graph", f.card, f.out + "/g.png", "--day", "20210301", "--channel", "S", "--quiet"});
    ASSERT_EQ(graph.code, 0) << graph.err.toStdString();
    EXPECT_TRUE(graph.out.isEmpty());
    EXPECT_TRUE(QFile::exists(f.out + "/g.png"));

    // A raw file the system will not read (a read at the start of a process's memory fails): the run
    // fails after writing the other files, and takes them and the directories it made away again.
    if (moravel::test::onWindows())
        GTEST_SKIP() << "Windows has no /proc/self/mem to fail a read";
    QFile::remove(f.card + "/20210302.LA");
    ASSERT_TRUE(QFile::link("/proc/self/mem", f.card + "/20210302.LA"));
    const CliResult failed = cli({"csv", f.card, f.tmp.filePath("failed/csv"), "--day", "20210302"});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err, "moravel-cli: " + f.card + "/20210302.LA: Input/output error\n");
    EXPECT_TRUE(failed.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.tmp.filePath("failed")));
    // Into a directory that exists, the files that were there stay, and only those.
    QDir().mkpath(f.tmp.filePath("kept"));
    moravel::test::writeBytes(f.tmp.filePath("kept/20210302_LAC.csv"), "mine");
    const CliResult kept = cli({"csv", f.card, f.tmp.filePath("kept"), "--day", "20210302", "--overwrite"});
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(QDir(f.tmp.filePath("kept")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"20210302_LAC.csv"});
}

// Le is a noise level: the vibration columns of the period table never hold it, and nothing is
// drawn right of the table's ruling.
TEST(CommandLine, LeIsANoiseColumnOnly) {
    const CardFixture f;
    const QString all = f.tmp.filePath("all.png"), withoutLe = f.tmp.filePath("without.png");
    ASSERT_EQ(cli({"report", f.card, all, "--period", "20210301", "20210303", "--kind", "table", "--columns",
                   "Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax"})
                  .code,
              0);
    ASSERT_EQ(cli({"report", f.card, withoutLe, "--period", "20210301", "20210303", "--kind", "table",
                   "--columns", "Leq,L05,L10,L50,L90,L95,Lmin,Lmax"})
                  .code,
              0);
    const QImage a = QImage(all).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(withoutLe).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), b.size());
    // The table's rows: a heading and three days, from y = 450.
    const int top = 450, bottom = 450 + 36 * 4;
    int outside = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = 1135; x < a.width(); ++x)
            outside += a.pixel(x, y) != 0xFFFFFFFF;
    EXPECT_EQ(outside, 0);
    // The vibration half is the same with or without Le; the noise half differs.
    EXPECT_EQ(a.copy(733, top, 1130 - 733, bottom - top), b.copy(733, top, 1130 - 733, bottom - top));
    EXPECT_NE(a.copy(281, top, 728 - 281, bottom - top), b.copy(281, top, 728 - 281, bottom - top));
}
