// A card that comes out of a monitor that stood in the rain: broken files, a card pulled out, full
// and write-protected volumes. No crash, no hang, the specified message, nothing lost.
#include "Volumes.h"
#include "WindowTest.h"

#include "export/CSVConvert.h"
#include "graph/ImageView.h"
#include "platform/TextFile.h"
#include "report/PrintForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using moravel::platform::Answer;
using moravel::test::MainWindowTest;
using moravel::test::ScratchVolume;

namespace {

const QString Broken = QStringLiteral("データは破損しています。");

} // namespace

class CardFaults : public MainWindowTest {
protected:
    // The application is still usable: another card loads and shows its first day.
    void expectUsable() {
        chooseDirectory(
            makeCard(moravel::test::cardOptions(1), QStringLiteral("healthy%1").arg(++m_healthy)));
        EXPECT_FALSE(main->errorFlag);
        EXPECT_EQ(main->LA_List[0].size(), 144);
        EXPECT_TRUE(main->BtCSVConvert->isEnabled());
    }
    int m_healthy = 0;
};

TEST_F(CardFaults, TheCardPulledOutBetweenChoosingAndLoading) {
    const QString dir = makeCard(moravel::test::cardOptions(3));
    chooseDirectory(dir);
    ASSERT_TRUE(QDir(dir).removeRecursively());
    dialogs.clear();
    main->BtDateDown->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{moravel::test::shown(dir + "/20210302.LVC") + "\r\nデータが存在していません"});
    EXPECT_TRUE(main->errorFlag);
    dialogs.clear();
    main->BtDateDown->click(); // nothing more in the error state
    EXPECT_TRUE(dialogs.boxes().empty());
    expectUsable();
}

TEST_F(CardFaults, BrokenDayFiles) {
    struct Case {
        const char* name;
        std::function<QByteArray(const QByteArray&)> damage;
        QStringList messages;
    };
    const Case cases[] = {
        {"truncated in the middle of a row",
         [](const QByteArray& b) { return b.left(b.size() / 2 + 17); },
         {}},
        {"ten megabytes on one line",
         [](const QByteArray&) { return QByteArray(10 * 1024 * 1024, '7'); },
         {Broken}},
        {"zeros in place of text", [](const QByteArray& b) { return QByteArray(b.size(), '\0'); }, {Broken}},
        {"bytes that are not code page 932",
         [](const QByteArray& b) {
             QByteArray d = b;
             for (int i = 0; i < 12; ++i)
                 d[i] = static_cast<char>(0xFF);
             return d;
         },
         {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString dir = makeCard(moravel::test::cardOptions(1), QStringLiteral("broken%1").arg(n++));
        const QString lac = dir + "/20210301.LAC";
        moravel::test::writeBytes(lac, c.damage(moravel::test::readBytes(lac)));
        dialogs.clear();
        chooseDirectory(dir);
        EXPECT_EQ(dialogs.texts("information"), c.messages) << c.name;
        EXPECT_EQ(main->errorFlag, !c.messages.isEmpty()) << c.name;
        if (c.messages.isEmpty()) {
            EXPECT_EQ(main->LA_List[0].size(), 144) << c.name;
        }
        expectUsable();
    }
}

TEST_F(CardFaults, ATruncatedRowLeavesTheRestOfTheDayEmpty) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    const QString lac = dir + "/20210301.LAC";
    QStringList lines = moravel::platform::readLines(lac);
    lines = lines.mid(0, 17 + 50);
    lines[17 + 49] = lines[17 + 49].left(30); // a row cut in the middle
    moravel::test::writeDeviceFile(lac, lines);
    chooseDirectory(dir);
    EXPECT_FALSE(main->errorFlag);
    EXPECT_NE(main->LA_List[0][48], "000.0");
    for (int k = 49; k < 144; ++k)
        ASSERT_EQ(main->LA_List[0][k], "000.0") << k;
    // The vibration file is cut where the noise file ends.
    EXPECT_NE(main->LV_List[0][49], "000.0");
    EXPECT_EQ(main->LV_List[0][50], "000.0");
}

TEST_F(CardFaults, ACatalogueOf1000Days) {
    moravel::tools::SampleCardOptions o = moravel::test::cardOptions(1000);
    const QString dir = makeCard(o);
    chooseDirectory(dir);
    EXPECT_EQ(main->DateNumList.size(), 1000);
    EXPECT_EQ(main->CbDateList->count(), 1000);
    main->BtDateUp->click();
    EXPECT_EQ(main->CbDateList->currentIndex(), 999);
    choosePeriod(0, 999);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), 969); // at most 31 days
    EXPECT_EQ(main->LA_ListMaxList[0].size(), 31);
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(CardFaults, CsvFilesOnAFullOrWriteProtectedVolume) {
    for (const bool readOnly : {false, true}) {
        QString whyNot;
        auto volume = ScratchVolume::tmpfs(tmp.filePath(readOnly ? "ro" : "full"), "2m", whyNot);
        if (!volume)
            GTEST_SKIP() << whyNot.toStdString();
        chooseDirectory(makeCard(moravel::test::cardOptions(1), readOnly ? "card-ro" : "card-full"));
        // An earlier conversion left its files; the volume then filled up or was write-protected.
        const QString old = volume->path() + "/20210301.csv";
        moravel::test::writeBytes(old, "the old conversion\r\n");
        if (readOnly)
            ASSERT_TRUE(volume->remountReadOnly());
        else
            volume->fill();
        main->BtCSVConvert->click();
        dialogs.chooseFolder(volume->path());
        main->FmCSVConvert->BtDirSettings->click();
        dialogs.clear();
        dialogs.answer(Answer::Yes); // start
        dialogs.answer(Answer::Yes); // replace 20210301.csv
        main->FmCSVConvert->BtConvertStart->click();
        EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("変換が失敗しました。")})
            << readOnly;
        EXPECT_EQ(moravel::test::readBytes(old), QByteArray("the old conversion\r\n")) << readOnly;
        QStringList files = QDir(volume->path()).entryList(QDir::Files | QDir::Hidden);
        files.removeAll("filler.bin");
        files.removeAll("filler2.bin");
        EXPECT_EQ(files, QStringList{"20210301.csv"}) << readOnly; // no half-written file beside it
        EXPECT_TRUE(main->FmCSVConvert->isVisible());
        main->FmCSVConvert->close();
        expectUsable();
    }
}

TEST_F(CardFaults, ImagesOnAWriteProtectedVolume) {
    QString whyNot;
    auto volume = ScratchVolume::tmpfs(tmp.filePath("ro"), "1m", whyNot);
    if (!volume)
        GTEST_SKIP() << whyNot.toStdString();
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    const QString old = volume->path() + "/20210301 .png";
    moravel::test::writeBytes(old, "old picture");
    ASSERT_TRUE(volume->remountReadOnly());
    main->BtGraphSave->click();
    dialogs.clear();
    dialogs.chooseFolder(volume->path());
    dialogs.answer(Answer::Yes);
    main->FmPrint->PNG->click();
    EXPECT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("保存完了")));
    EXPECT_EQ(moravel::test::readBytes(old), QByteArray("old picture"));
    expectUsable();
}
