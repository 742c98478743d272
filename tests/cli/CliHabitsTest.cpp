// The command line as people use it: full disks and closed pipes, GNU option habits, odd cards.
#include "CliRun.h"
#include "TestSupport.h"
#include "Volumes.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using moravel::test::cli;
using moravel::test::CliResult;

namespace {

class Habits : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        card = tmp.filePath("card");
        moravel::tools::writeSampleCard(card, moravel::test::cardOptions(3));
    }
    QTemporaryDir tmp;
    QString card;
};

// Runs moravel-cli with its standard output on /dev/full.
CliResult toFullDisk(const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LANGUAGE"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MORAVEL_CLI), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST_F(Habits, WhatCannotBeWrittenToStandardOutputIsAFailure) {
    if (moravel::test::onWindows())
        GTEST_SKIP() << "Windows has no /dev/full";
    for (const QStringList& args :
         {QStringList{"days", card}, QStringList{"summary", card, "--day", "20210301"},
          QStringList{"settings", card}, QStringList{"--help"}}) {
        const CliResult r = toFullDisk(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, "moravel-cli: write error: No space left on device\n")
            << args.join(' ').toStdString();
    }
}

TEST_F(Habits, GnuOptionHabitsAreTaken) {
    const CliResult equals = cli({"summary", card, "--day=20210302", "--format=json"});
    EXPECT_EQ(equals.code, 0) << equals.err.toStdString();
    EXPECT_EQ(equals.out, cli({"summary", card, "--day", "20210302", "--format", "json"}).out);
    EXPECT_EQ(cli({"summary", card, "--format=json=x", "--day", "20210302"}).code, 2);
    EXPECT_EQ(cli({"days", card, "--quiet=1"}).code, 2);
    // After "--" a name that starts with "-" is a file.
    QDir().mkpath(tmp.filePath("-out"));
    QDir::setCurrent(tmp.path());
    const CliResult dash = cli({"graph", card, "--day", "20210301", "--channel", "S", "--", "-out/g.jpeg"});
    EXPECT_EQ(dash.code, 0) << dash.err.toStdString();
    EXPECT_TRUE(QFileInfo(tmp.filePath("-out/g.jpeg")).size() > 0);
    EXPECT_EQ(cli({"help", "csv"}).out, cli({"csv", "--help"}).out);
}

TEST_F(Habits, CheckTellsWhatIsNotACard) {
    QDir().mkpath(tmp.filePath("empty"));
    const CliResult empty = cli({"check", tmp.filePath("empty")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.err, "moravel-cli: " + tmp.filePath("empty") +
                             ": no day file and no MORVEL.TXT: not a memory card of the monitor\n");
    // A named pipe under a day file's name is skipped, never read (it would wait for ever).
    ASSERT_TRUE(QFile::remove(card + "/20210302.LVC"));
    if (!moravel::test::makeNamedPipe(card + "/20210302.LVC"))
        GTEST_SKIP() << "the file system holds no named pipe";
    const CliResult c = cli({"check", card});
    EXPECT_EQ(c.code, 1);
    EXPECT_TRUE(c.out.contains("20210302.LVC is not a regular file: skipped")) << c.out.toStdString();
    EXPECT_EQ(cli({"days", card}).out, "20210301\n20210303\n");
    EXPECT_EQ(cli({"summary", card, "--period", "20210301", "20210303"}).code, 0);
}

TEST_F(Habits, EveryStemTheCatalogueListsCanBeChosen) {
    for (const char* ext : {".LAC", ".LVC"})
        QFile::copy(card + "/20210301" + ext, card + "/20210230" + ext);
    EXPECT_TRUE(cli({"days", card}).out.startsWith("20210230\n"));
    const CliResult r = cli({"report", card, tmp.filePath("r.png"), "--day", "20210230", "--kind", "table"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

TEST_F(Habits, TwoRunsAtOnceNeverBothClaimOneName) {
    const QString other = tmp.filePath("other");
    moravel::tools::SampleCardOptions options = moravel::test::cardOptions(3, true);
    options.seed = 99;
    moravel::tools::writeSampleCard(other, options);
    // What each card's conversion gives, file by file.
    const QString refA = tmp.filePath("refA"), refB = tmp.filePath("refB");
    ASSERT_EQ(cli({"csv", card, refA, "--all", "--quiet"}).code, 0);
    ASSERT_EQ(cli({"csv", other, refB, "--all", "--quiet"}).code, 0);
    for (int round = 0; round < 6; ++round) {
        const QString out = tmp.filePath(QStringLiteral("both%1").arg(round));
        QProcess a, b;
        a.start(QStringLiteral(MORAVEL_CLI), {"csv", card, out, "--all"});
        b.start(QStringLiteral(MORAVEL_CLI), {"csv", other, out, "--all"});
        ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
        EXPECT_FALSE(a.exitCode() == 0 && b.exitCode() == 0) << round;
        for (QProcess* p : {&a, &b}) {
            if (p->exitCode() != 0) {
                const QString said = QString::fromUtf8(p->readAllStandardError());
                EXPECT_TRUE(said.contains("File exists") || said.contains("the file exists"))
                    << round << said.toStdString();
            }
        }
        // Every file there is wholly one card's.
        for (const QString& name : QDir(out).entryList(QDir::Files | QDir::Hidden)) {
            const QByteArray bytes = moravel::test::readBytes(out + "/" + name);
            EXPECT_TRUE(bytes == moravel::test::readBytes(refA + "/" + name) ||
                        bytes == moravel::test::readBytes(refB + "/" + name))
                << round << " " << name.toStdString();
        }
        // A run that says it is done has every one of its files in place, with its data.
        for (const auto& [p, ref] : {std::pair{&a, refA}, std::pair{&b, refB}}) {
            if (p->exitCode() != 0)
                continue;
            for (const QString& name : QDir(ref).entryList(QDir::Files)) {
                EXPECT_TRUE(moravel::test::readBytes(out + "/" + name) ==
                            moravel::test::readBytes(ref + "/" + name))
                    << round << " " << name.toStdString();
            }
        }
    }
    // One report, two runs: one gets the name.
    const QString pdf = tmp.filePath("r.pdf");
    QProcess a, b;
    a.start(QStringLiteral(MORAVEL_CLI), {"report", card, pdf, "--day", "20210301"});
    b.start(QStringLiteral(MORAVEL_CLI), {"report", other, pdf, "--day", "20210301"});
    ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
    EXPECT_EQ((a.exitCode() == 0) + (b.exitCode() == 0), 1);
    if (moravel::test::onWindows())
        GTEST_SKIP() << "verify reads no PDF on Windows";
    EXPECT_EQ(cli({"verify", pdf, a.exitCode() == 0 ? card : other, "--quiet"}).code, 0);
}

TEST_F(Habits, ABrokenSettingsFileIsSaidAsEveryMessageIs) {
    moravel::test::writeBytes(card + "/MORVEL.TXT", "broken\r\n");
    const CliResult r = cli({"report", card, tmp.filePath("r.png"), "--day", "20210301"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "moravel-cli: " + card + "/MORVEL.TXT: MORVEL.TXTは破損しています\n");
}

TEST_F(Habits, ASymbolicLinkAsTheOutputIsANameThatExistsAndIsWrittenThrough) {
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program makes a shortcut where a symbolic link is asked for";
    const QString link = tmp.filePath("g.png"), pointed = tmp.filePath("real/g.png");
    QDir().mkpath(tmp.filePath("real"));
    ASSERT_TRUE(QFile::link(pointed, link)); // dangling
    const QStringList args = {"graph", card, link, "--day", "20210301", "--channel", "S"};
    const CliResult refused = cli(args);
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("the file exists (--overwrite replaces it)"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pointed));
    ASSERT_EQ(cli(args + QStringList{"--overwrite"}).code, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    const QByteArray first = moravel::test::readBytes(pointed);
    EXPECT_TRUE(first.startsWith("\x89PNG"));
    // A live link: the file it names is replaced, the link stays.
    ASSERT_EQ(cli({"graph", card, link, "--day", "20210302", "--channel", "S", "--overwrite"}).code, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_NE(moravel::test::readBytes(pointed), first);
}

TEST_F(Habits, AFileFarLargerThanADayHoldsIsRefusedUnread) {
    const QString big = tmp.filePath("raw");
    moravel::tools::writeSampleCard(big, moravel::test::cardOptions(1, true));
    QFile raw(big + "/20210301.LA");
    ASSERT_TRUE(raw.resize(qint64(1) << 30)); // a sparse gibibyte of NUL bytes
    const CliResult r = cli({"csv", big, tmp.filePath("out"), "--day", "20210301"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "moravel-cli: " + big +
                         "/20210301.LA: 1024.0 MB, more than a file of the card can hold (16 MB)\n");
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out")));
}

TEST_F(Habits, AMessageAboutADamagedFileNamesIt) {
    const QString lvc = card + "/20210301.LVC";
    QStringList lines = QString::fromLatin1(moravel::test::readBytes(lvc)).split("\r\n");
    moravel::test::writeBytes(lvc, lines.mid(0, 117).join("\r\n").toLatin1() + "\r\n");
    const CliResult r = cli({"csv", card, tmp.filePath("out"), "--day", "20210301"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "moravel-cli: " + lvc + QStringLiteral(": ファイルに118行目がありません（117行）。\n"));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out")));
}
