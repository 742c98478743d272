// The settings page of the main window: reading "MORVEL.TXT", registering, and real volumes.
#include "Volumes.h"
#include "WindowTest.h"

#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "settings/MeasItemSettings.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using moravel::platform::Answer;
using moravel::test::MainWindowTest;
using moravel::test::ScratchVolume;

namespace {

const QString NotFat32 = QStringLiteral(
    "選択したディレクトリのファイルシステムが「FAT32」ではありません。\r\nデータを書き込みますか");
const QString Overwrite = QStringLiteral("ファイルが既に存在しています。上書きしますか？");
const QString Saved = QStringLiteral("保存完了しました");

} // namespace

class SettingsPage : public MainWindowTest {
protected:
    QLineEdit* edit(const char* name) { return main->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* combo(const char* name) { return main->findChild<QComboBox*>(QString::fromLatin1(name)); }
    QString confirm(const QString& dir) {
        return dir + QStringLiteral("に設定ファイルを作成します。よろしいですか？");
    }
};

TEST_F(SettingsPage, ChoosingACardReadsItsSettingsFile) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    QStringList lines = moravel::tools::sampleHeader("1010101");
    lines[14] = "START,07:30";
    lines[15] = "STOP,19:00";
    moravel::test::writeDeviceFile(dir + "/MORVEL.TXT", lines);
    chooseDirectory(dir);
    EXPECT_EQ(edit("SettingsEdMeasTarget")->text(), QStringLiteral("中央区立体駐車場新築工事"));
    EXPECT_EQ(edit("SettingsEdMeasPositionV")->text(), QStringLiteral("敷地境界東側"));
    EXPECT_EQ(edit("SettingsEdReferenceS")->text(), "85");
    EXPECT_EQ(edit("SettingsEdReferenceV")->text(), "75");
    EXPECT_EQ(combo("CbStartH")->currentText(), "07");
    EXPECT_EQ(combo("CbStartM")->currentText(), "00"); // the minutes are not read
    EXPECT_EQ(combo("CbStopH")->currentText(), "19");
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(main->findChild<QCheckBox*>(QStringLiteral("SettingsCb%1").arg(i + 1))->isChecked(),
                  i % 2 == 0);
}

TEST_F(SettingsPage, ACorruptFileEmptiesTheFieldsAndSaysSo) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    QStringList lines = moravel::tools::sampleHeader("1111100");
    lines[13] = "WEEK,111110";
    moravel::test::writeDeviceFile(dir + "/MORVEL.TXT", lines);
    chooseDirectory(dir);
    EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("MORVEL.TXTは破損しています")});
    EXPECT_TRUE(edit("SettingsEdMeasTarget")->text().isEmpty());
    // The item page then shows no site texts either.
    EXPECT_TRUE(main->TabItem1->EdMeasTarget->text().isEmpty());
}

TEST_F(SettingsPage, AnUndecodableFileReachesTheGeneralErrorReport) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    moravel::test::writeBytes(dir + "/MORVEL.TXT", QByteArray("\xEF\xBB\xBF\xC3\x28\r\n"));
    chooseDirectory(dir);
    ASSERT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_TRUE(dialogs.texts("error")[0].startsWith(moravel::test::shown(dir + "/MORVEL.TXT") +
                                                     "\r\nを読み込めません。"));
}

TEST_F(SettingsPage, RegisterFlowOnADirectoryThatIsNotAFat32Root) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    chooseDirectory(dir);
    const QByteArray before = moravel::test::readBytes(dir + "/MORVEL.TXT");
    edit("SettingsEdMeasTarget")->setText(QStringLiteral("新しい現場"));
    dialogs.clear();

    dialogs.answer(Answer::No);
    main->TabItem4->BtRegister->click();
    EXPECT_EQ(dialogs.texts(), QStringList{NotFat32});
    EXPECT_EQ(moravel::test::readBytes(dir + "/MORVEL.TXT"), before);

    dialogs.clear();
    dialogs.answer(Answer::Yes); // not FAT32: write anyway
    dialogs.answer(Answer::Yes); // create the file
    dialogs.answer(Answer::Yes); // overwrite
    main->TabItem4->BtRegister->click();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{NotFat32, confirm(moravel::test::shown(dir + "/")), Overwrite, Saved}));
    EXPECT_EQ(dialogs.boxes()[1].caption, QStringLiteral("確認"));
    QStringList expected = moravel::tools::sampleHeader("1111110");
    expected[0] = QStringLiteral("新しい現場,");
    EXPECT_EQ(moravel::test::readBytes(dir + "/MORVEL.TXT"),
              moravel::platform::encodeCp932(expected.join("\r\n") + "\r\n"));

    // "戻す" reads the file again.
    edit("SettingsEdMeasTarget")->setText("x");
    main->TabItem4->BtCancell->click();
    EXPECT_EQ(edit("SettingsEdMeasTarget")->text(), QStringLiteral("新しい現場"));
}

TEST_F(SettingsPage, InvalidEntriesAreListedInOneWarning) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    QStringList lines = moravel::tools::sampleHeader("1111100");
    lines[2] = QStringLiteral("１２３４５６７８９０１２３,"); // 13 characters: both position boxes take them
    moravel::test::writeDeviceFile(dir + "/MORVEL.TXT", lines);
    chooseDirectory(dir);
    edit("SettingsEdMeasPositionS")
        ->setText(QStringLiteral("１２３４５６７８９０１２")); // the visible one shortened
    edit("SettingsEdMeasTarget")->setText(QString(17, u'長'));
    edit("SettingsEdReferenceV")->setText("abc");
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    main->TabItem4->BtRegister->click();
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_EQ(dialogs.boxes()[1].kind, "warning");
    EXPECT_EQ(dialogs.boxes()[1].caption, QStringLiteral("警告"));
    EXPECT_EQ(dialogs.boxes()[1].text,
              QStringLiteral("現場名の文字数が16文字を超えています。\r\n"
                             "・振動Vの文字数が12文字を超えています。\r\n"
                             "振動基準値に整数以外の数値、または文字列が記入されています\r\n"));
}

TEST_F(SettingsPage, RegisteringOnACardWithoutSettingsWritesZeroFlagsAndHeldHours) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    QFile::remove(dir + "/MORVEL.TXT");
    chooseDirectory(dir);
    edit("SettingsEdReferenceS")->setText("60");
    edit("SettingsEdReferenceV")->setText("55");
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    main->TabItem4->BtRegister->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{NotFat32, confirm(moravel::test::shown(dir + "/")), Saved}));
    const QStringList written = moravel::platform::readLines(dir + "/MORVEL.TXT");
    ASSERT_EQ(written.size(), 16);
    EXPECT_EQ(written[13], "WEEK,0000000");
    EXPECT_EQ(written[14], "START,00:00");
    EXPECT_EQ(written[15], "STOP,00:00");
}

TEST_F(SettingsPage, PastedLineBreaksAndTabsAreRefusedAndNothingIsWritten) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    chooseDirectory(dir);
    const QByteArray before = moravel::test::readBytes(dir + "/MORVEL.TXT");
    for (const char* pasted : {"A\nB", "A\r\nB", "A\tB"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(pasted));
        QLineEdit* target = edit("SettingsEdMeasTarget");
        target->clear();
        target->paste();                                        // as Ctrl+V does
        ASSERT_EQ(target->text(), QString::fromLatin1(pasted)); // the line edit keeps what was pasted
        dialogs.clear();
        dialogs.answer(Answer::Yes); // not FAT32: write anyway
        main->TabItem4->BtRegister->click();
        EXPECT_EQ(dialogs.boxes().back().kind, "warning");
        EXPECT_EQ(dialogs.texts("warning"),
                  QStringList{QStringLiteral("現場名に改行やタブなどの制御文字が含まれています\r\n")})
            << pasted;
        EXPECT_EQ(moravel::test::readBytes(dir + "/MORVEL.TXT"), before);
    }
}

TEST_F(SettingsPage, BytesThatCannotBeReadAreNeverWrittenBackAsOtherCharacters) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    QByteArray bytes = moravel::test::readBytes(dir + "/MORVEL.TXT");
    // The site name of a damaged card: a lead byte of code page 932 without its trail byte.
    bytes.replace(0, bytes.indexOf(','), QByteArray("A\x81 B"));
    moravel::test::writeBytes(dir + "/MORVEL.TXT", bytes);
    chooseDirectory(dir);
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    main->TabItem4->BtRegister->click();
    const QStringList warnings = dialogs.texts("warning");
    ASSERT_EQ(warnings.size(), 1) << dialogs.allTexts().join(" | ").toStdString();
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("現場名に"))) << warnings[0].toStdString();
    EXPECT_EQ(moravel::test::readBytes(dir + "/MORVEL.TXT"), bytes);
}

TEST_F(SettingsPage, NoDirectoryNoRegistering) {
    main->TabItem4->BtRegister->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("ディレクトリが指定されていません\r\n"
                                         "メインウィンドウでディレクトリを指定してください")});
}

// ---- real volumes ----

TEST_F(SettingsPage, Fat32CardsAreWrittenWithoutTheFileSystemQuestion) {
    QString whyNot;
    const QString card = makeCard(moravel::test::cardOptions(1), "fat32-card");
    auto fat32 = ScratchVolume::fat(tmp.filePath("fat32"), tmp.filePath("fat32.img"), 32, whyNot, card);
    if (!fat32)
        GTEST_SKIP() << whyNot.toStdString();
    EXPECT_EQ(moravel::platform::fileSystemName(fat32->path()), "FAT32");
    EXPECT_EQ(moravel::platform::fileSystemName(fat32->path() + "/"), "FAT32");
    QDir().mkpath(fat32->path() + "/sub");
    EXPECT_EQ(moravel::platform::fileSystemName(fat32->path() + "/sub"), ""); // not the root of a volume
    chooseDirectory(fat32->path());
    edit("SettingsEdMeasName")->setText(QStringLiteral("佐藤"));
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    main->TabItem4->BtRegister->click();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{confirm(moravel::test::shown(fat32->path() + "/")), Overwrite, Saved}));
    EXPECT_EQ(moravel::platform::readLines(fat32->path() + "/MORVEL.TXT")[8], QStringLiteral("佐藤,"));

    auto fat16 = ScratchVolume::fat(tmp.filePath("fat16"), tmp.filePath("fat16.img"), 16, whyNot);
    ASSERT_TRUE(fat16) << whyNot.toStdString();
    EXPECT_EQ(moravel::platform::fileSystemName(fat16->path()), "FAT");
}

TEST_F(SettingsPage, CapacityOfARealVolume) {
    QString whyNot;
    auto volume = ScratchVolume::tmpfs(tmp.filePath("small"), "3m", whyNot);
    if (!volume)
        GTEST_SKIP() << whyNot.toStdString();
    EXPECT_EQ(moravel::platform::fileSystemName(volume->path()), "tmpfs");
    dialogs.chooseFolder(volume->path());
    main->BtSelectDir->click();
    dialogs.clear();
    main->BtCardCheck->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("残り容量 : 0.002 GB\r\n記録可能の日数 : 1日、約 0ヶ月")});
}

TEST_F(SettingsPage, AFailedWriteLeavesTheOldFileAndReportsNoSuccess) {
    for (const bool readOnly : {false, true}) {
        QString whyNot;
        auto volume = ScratchVolume::tmpfs(tmp.filePath(readOnly ? "ro" : "full"), "1m", whyNot);
        if (!volume)
            GTEST_SKIP() << whyNot.toStdString();
        moravel::tools::writeSampleCard(volume->path(), moravel::test::cardOptions(1));
        const QByteArray before = moravel::test::readBytes(volume->path() + "/MORVEL.TXT");
        chooseDirectory(volume->path());
        if (readOnly)
            ASSERT_TRUE(volume->remountReadOnly());
        else
            volume->fill();
        edit("SettingsEdMeasTarget")->setText(QStringLiteral("書けない現場"));
        dialogs.clear();
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Yes);
        main->TabItem4->BtRegister->click();
        const QStringList texts = dialogs.texts();
        EXPECT_FALSE(texts.contains(Saved)) << readOnly;
        ASSERT_EQ(dialogs.texts("error").size(), 1) << readOnly;
        EXPECT_TRUE(
            dialogs.texts("error")[0].startsWith(volume->path() + "/MORVEL.TXT\r\nに書き込めませんでした。"));
        EXPECT_EQ(moravel::test::readBytes(volume->path() + "/MORVEL.TXT"), before) << readOnly;
        EXPECT_FALSE(QDir(volume->path()).entryList(QDir::Files).join(u' ').contains(u"MORVEL.TXT."));
    }
}

// The sample card that comes with the application opens from the side menu and is only read: the
// settings page says so instead of writing.
TEST_F(SettingsPage, TheSampleCardOpensFromTheMenuAndIsNotWritten) {
    const QString sample = makeCard(moravel::test::cardOptions(2), QStringLiteral("sample-card"));
    qputenv("MORAVEL_SAMPLE_CARD", QDir::toNativeSeparators(sample).toLocal8Bit());
    const QByteArray before = moravel::test::readBytes(sample + "/MORVEL.TXT");
    main->BtSampleCard->click();
    qunsetenv("MORAVEL_SAMPLE_CARD");
    EXPECT_EQ(main->EdSelectDir->text(), moravel::test::shown(sample + "/"));
    EXPECT_EQ(main->DateNumList, (QStringList{"20210301", "20210302"}));
    EXPECT_TRUE(main->BtCSVConvert->isEnabled());
    qputenv("MORAVEL_SAMPLE_CARD", QDir::toNativeSeparators(sample).toLocal8Bit());
    edit("SettingsEdMeasTarget")->setText(QStringLiteral("変更"));
    main->TabItem4->BtRegister->click();
    qunsetenv("MORAVEL_SAMPLE_CARD");
    EXPECT_EQ(dialogs.texts("warning"),
              QStringList{QStringLiteral(
                  "サンプルカードには書き込めません。\r\n設定の変更は、実際のカードで行ってください。")});
    EXPECT_TRUE(dialogs.texts("question").isEmpty());
    EXPECT_EQ(moravel::test::readBytes(sample + "/MORVEL.TXT"), before);

    // Without a sample card installed, the menu says so.
    qputenv("MORAVEL_SAMPLE_CARD", QDir::toNativeSeparators(tmp.filePath("none")).toLocal8Bit());
    dialogs.clear();
    if (moravel::platform::sampleCardDirectory().isEmpty()) {
        main->BtSampleCard->click();
        EXPECT_EQ(dialogs.texts("information"),
                  QStringList{QStringLiteral("サンプルカードがインストールされていません。")});
    }
    qunsetenv("MORAVEL_SAMPLE_CARD");
}
