// moravel-cli settings against the settings page: the same checks, the same file.
#include "CliRun.h"
#include "Volumes.h"
#include "WindowTest.h"

#include "platform/TextFile.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

using moravel::platform::Answer;
using moravel::test::cli;
using moravel::test::CliResult;
using moravel::test::MainWindowTest;

class CliSettings : public MainWindowTest {};

TEST_F(CliSettings, ChangesAreWrittenByteForByteAsTheSettingsPageWritesThem) {
    const QString page = makeCard(moravel::test::cardOptions(1), "page");
    const QString script = makeCard(moravel::test::cardOptions(1), "script");
    ASSERT_EQ(moravel::test::readBytes(page + "/MORVEL.TXT"),
              moravel::test::readBytes(script + "/MORVEL.TXT"));

    chooseDirectory(page);
    main->TabItem4->SettingsEdits[moravel::MeasTarget]->setText(QStringLiteral("第二工区　北側"));
    main->TabItem4->SettingsEdits[moravel::MeasPositionS]->setText(QStringLiteral("敷地境界西側"));
    main->TabItem4->SettingsEdits[moravel::ReferenceS]->setText("80");
    main->TabItem4->SettingsEdits[moravel::Notices]->clear();
    dialogs.clear();
    for (int i = 0; i < 3; ++i) // not FAT32, create, overwrite
        dialogs.answer(Answer::Yes);
    main->TabItem4->BtRegister->click();
    ASSERT_EQ(dialogs.texts().last(), QStringLiteral("保存完了しました"));

    const CliResult r = cli({"settings", script, "--set", QStringLiteral("site=第二工区　北側"), "--set",
                             QStringLiteral("position=敷地境界西側"), "--set", "noise-reference=80", "--set",
                             "notices=", "--not-fat32-ok"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QDir::toNativeSeparators(script + "/MORVEL.TXT") + "\n");
    EXPECT_EQ(moravel::test::readBytes(script + "/MORVEL.TXT"),
              moravel::test::readBytes(page + "/MORVEL.TXT"));
    EXPECT_TRUE(QDir(script).entryList({".*"}, QDir::Files | QDir::Hidden).isEmpty());

    // What the page shows, one name a line.
    EXPECT_EQ(cli({"settings", script}).out,
              QStringLiteral("site=第二工区　北側\nplace=東京都中央区日本橋１丁目\nposition=敷地境界西側\n"
                             "noise-regulation=特定建設作業\nvibration-regulation=特定建設作業\nnotices=\n"
                             "institution=株式会社環境測定サービス\nperson=山田　太郎\nnoise-reference=80\n"
                             "vibration-reference=75\nweek=1111110\nstart=08:00\nstop=18:00\n"));
}

TEST(CliSettingsChecks, EveryProblemIsToldAndNothingIsWritten) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1));
    const QByteArray before = moravel::test::readBytes(card + "/MORVEL.TXT");
    const CliResult r = cli({"settings", card, "--set", "site=" + QString(17, u'長'), "--set",
                             "noise-reference=100", "--set", "week=12", "--set", "start=25:00", "--set",
                             QStringLiteral("place=一行目\n二行目"), "--set", QStringLiteral("person=〜한")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(
        r.err,
        QStringLiteral(
            "moravel-cli: %1: the file system is not known, and the monitor takes FAT32 "
            "cards only (--not-fat32-ok writes the file all the same)\n"
            "moravel-cli: week=12: seven flags of 0 and 1, Monday first\n"
            "moravel-cli: start=25:00: a time is HH:MM, the minutes 00 or 30\n"
            "moravel-cli: --set site=長長長長長長長長長長長長長長長長長: "
            "現場名の文字数が16文字を超えています。\n"
            "moravel-cli: --set place=一行目\\x0a二行目: 測定場所に改行やタブなどの制御文字が含まれています\n"
            "moravel-cli: --set person=〜한: 測定者に設定ファイルに書けない文字「한」が含まれています\n"
            "moravel-cli: --set noise-reference=100: 騒音基準値に99以上の数値が記入されています\n")
            .arg(card));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(moravel::test::readBytes(card + "/MORVEL.TXT"), before);

    // A card without a settings file gets one; a broken one is not written over.
    QFile::remove(card + "/MORVEL.TXT");
    EXPECT_EQ(
        cli({"settings", card}).err,
        QStringLiteral("moravel-cli: %1/MORVEL.TXT: there is no settings file on the card\n").arg(card));
    const CliResult created =
        cli({"settings", card, "--set", "noise-reference=70", "--set", "vibration-reference=65", "--set",
             "start=07:30", "--not-fat32-ok", "--quiet"});
    EXPECT_EQ(created.code, 0) << created.err.toStdString();
    EXPECT_TRUE(created.out.isEmpty());
    EXPECT_EQ(moravel::platform::readLines(card + "/MORVEL.TXT"),
              QStringList({",", ",", ",", ",", ",", ",", ",", ",", ",", "S-ALA,70", "S-ALMODE,0", "V-ALA,65",
                           "V-ALMODE,0", "WEEK,0000000", "START,07:30", "STOP,00:00"}));
    moravel::test::writeBytes(card + "/MORVEL.TXT", "broken\r\n");
    const CliResult broken = cli({"settings", card, "--set", "site=x", "--not-fat32-ok"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.err,
              QStringLiteral("moravel-cli: %1/MORVEL.TXT: MORVEL.TXTは破損しています\n").arg(card));
    EXPECT_EQ(moravel::test::readBytes(card + "/MORVEL.TXT"), QByteArray("broken\r\n"));
}

TEST(CliSettingsChecks, AReadOnlySettingsFileIsRefusedWithTheSystemsReason) {
    if (!moravel::test::runningAsRoot())
        GTEST_SKIP() << "handing files to another user needs root";
    QTemporaryDir tmp;
    const QString base = moravel::test::userReadableDirectory(tmp.path(), "user");
    const QString card = base + "/card";
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1));
    ASSERT_TRUE(moravel::test::runCommand("chown", {"-R", "65534:65534", card}));
    QFile::setPermissions(card + "/MORVEL.TXT",
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray before = moravel::test::readBytes(card + "/MORVEL.TXT");
    const moravel::test::UserRun run = moravel::test::runAsUser(
        QStringLiteral(MORAVEL_CLI), {"settings", card, "--set", "site=x", "--not-fat32-ok"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("moravel-cli: %1/MORVEL.TXT: Permission denied\n").arg(card));
    EXPECT_EQ(moravel::test::readBytes(card + "/MORVEL.TXT"), before);
}

// A settings file with damage the person did not make: shown with escapes, changed only where the
// person changes it, the rest written back byte for byte; what cannot be written back is said with
// its line, and a file that cannot be read at all is said as such.
TEST(CliSettingsChecks, ADamagedSettingsFileIsShownEscapedAndKeptWhereUntouched) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1));
    const QString path = card + "/MORVEL.TXT";
    QList<QByteArray> lines = moravel::test::readBytes(path).split('\n');
    lines[0] = QByteArray("\xED\x40\xFD,\r"); // the NEC form of a character, a byte of no character
    lines[6] = QByteArray("a\x00"
                          "b,\r",
                          5); // 特記事項 with a NUL
    const QByteArray damaged = lines.join('\n');
    moravel::test::writeBytes(path, damaged);

    const CliResult shown = cli({"settings", card});
    EXPECT_EQ(shown.code, 0);
    const QStringList out = shown.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(out.size(), 13) << shown.out.toStdString();
    if (moravel::test::onWindows())
        GTEST_SKIP()
            << "Windows' code page 932 reads 0xFD as a private-use character; Linux's reads no character";
    EXPECT_EQ(out.value(0), QStringLiteral("site=纊\\x7f"));
    EXPECT_EQ(out.value(5), QStringLiteral("notices=a\\x00b"));

    const CliResult set = cli({"settings", card, "--set", "noise-reference=80", "--not-fat32-ok", "--quiet"});
    EXPECT_EQ(set.code, 0) << set.err.toStdString();
    QByteArray expected = damaged;
    expected.replace("S-ALA,85", "S-ALA,80");
    EXPECT_EQ(moravel::test::readBytes(path), expected);
    // What the person sets is checked as always.
    const CliResult refused = cli({"settings", card, "--set", "notices=x\ty", "--not-fat32-ok"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, QStringLiteral("moravel-cli: --set notices=x\\x09y: "
                                          "特記事項に改行やタブなどの制御文字が含まれています\n"));

    // UTF-16: nothing keeps its bytes, so an item that cannot be written is said with its line.
    QStringList texts = moravel::platform::decodeLines(expected);
    texts[0] = QStringLiteral("한,");
    const QString text = texts.join("\r\n") + "\r\n";
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    moravel::test::writeBytes(path, utf16);
    const CliResult unwritable = cli({"settings", card, "--set", "noise-reference=70", "--not-fat32-ok"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(
        unwritable.err,
        QStringLiteral("moravel-cli: %1, line 1: 現場名に設定ファイルに書けない文字「한」が含まれています\n"
                       "moravel-cli: %1, line 7: 特記事項に改行やタブなどの制御文字が含まれています\n")
            .arg(path));
    EXPECT_EQ(moravel::test::readBytes(path), utf16);

    // Half a surrogate pair: the file cannot be read.
    moravel::test::writeBytes(path, QByteArray("\xFE\xFF\xD9\x07\x00\x0A", 6));
    for (const QStringList& args : {QStringList{"settings", card},
                                    QStringList{"settings", card, "--set", "site=x", "--not-fat32-ok"}}) {
        const CliResult r = cli(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains(path)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("UTF-16として読めない文字が含まれています")))
            << r.err.toStdString();
    }
}
