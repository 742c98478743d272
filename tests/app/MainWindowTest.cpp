#include "WindowTest.h"

#include "graph/ImageView.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using moravel::test::MainWindowTest;
using moravel::tools::SampleCardOptions;

namespace {

bool dataButtonsEnabled(const TFmMain* m) {
    return m->BtPrintOut->isEnabled() && m->BtPrintGraph->isEnabled() && m->BtPrintDataView->isEnabled() &&
           m->BtGraphSave->isEnabled() && m->BtCSVConvert->isEnabled();
}

bool dataButtonsDisabled(const TFmMain* m) {
    return !m->BtPrintOut->isEnabled() && !m->BtPrintGraph->isEnabled() && !m->BtPrintDataView->isEnabled() &&
           !m->BtGraphSave->isEnabled() && !m->BtCSVConvert->isEnabled();
}

} // namespace

using MainWindow = MainWindowTest;

TEST_F(MainWindow, StartsEmptyInDayMode) {
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべる"));
    EXPECT_EQ(main->size(), QSize(1020, 700));
    EXPECT_TRUE(main->RbDateDMode->isChecked());
    EXPECT_EQ(main->PnDMode->pos(), QPoint(190, 5));
    EXPECT_EQ(main->PnMMode->pos(), QPoint(-2150, 5));
    EXPECT_TRUE(dataButtonsDisabled(main));
    EXPECT_FALSE(main->errorFlag);
    EXPECT_EQ(main->TabItem3->LbSMode->text(), "L05");
    EXPECT_EQ(main->TabItem3->LbVMode->text(), "L10");
    EXPECT_EQ(main->CbSModeIndex, 2);
    EXPECT_EQ(main->CbVModeIndex, 3);
    EXPECT_EQ(main->CbDataStartH->count(), 24);
    EXPECT_EQ(main->CbDataStartH->itemText(23), "23");
    EXPECT_EQ(main->CbDataStopM->count(), 2);
    EXPECT_TRUE(main->EdSelectDir->text().isEmpty());
    EXPECT_FALSE(main->BtGraphSave->isVisible());
    EXPECT_FALSE(main->CbDriveSelect->isVisible());
    EXPECT_EQ(main->PnControlPanel->pos(), QPoint(-200, 10));
    EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(MainWindow, SideMenuSlidesInAndOut) {
    main->BtMenuOpen->click();
    EXPECT_EQ(main->PnControlPanel->pos(), QPoint(10, 10));
    main->BtMenuClose->click();
    EXPECT_EQ(main->PnControlPanel->pos(), QPoint(-200, 10));
}

TEST_F(MainWindow, ChoosingACardShowsItsEarliestDayWithTheSettingsTexts) {
    const QString card = makeCard(moravel::test::cardOptions(3));
    QStringList settings = moravel::tools::sampleHeader("1111100");
    settings[0] = QStringLiteral("設定ファイルの現場,");
    moravel::test::writeDeviceFile(card + "/MORVEL.TXT", settings);

    chooseDirectory(card);
    EXPECT_TRUE(dialogs.boxes().size() == 1) << dialogs.allTexts().join(u'|').toStdString();
    EXPECT_EQ(dialogs.boxes()[0].caption, QStringLiteral("ディレクトリ指定"));
    EXPECT_EQ(main->EdSelectDir->text(), moravel::test::shown(card + "/"));
    EXPECT_EQ(main->DateNumList, (QStringList{"20210301", "20210302", "20210303"}));
    EXPECT_EQ(main->CbDateList->count(), 3);
    EXPECT_EQ(main->CbDateListStart->itemText(2), QStringLiteral("2021年03月03日"));
    EXPECT_EQ(main->CbDateList->currentIndex(), 0);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), -1);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべる - 2021年03月01日"));
    EXPECT_EQ(main->TabItem1->LbDate->text(), QStringLiteral("2021年03月01日"));
    // The site texts come from the settings file, the reference levels, weekdays and LED times from
    // the day file.
    EXPECT_EQ(main->TabItem1->EdMeasTarget->text(), QStringLiteral("設定ファイルの現場"));
    EXPECT_EQ(main->TabItem1->EdMeasInstitution->text(), QStringLiteral("株式会社環境測定サービス"));
    EXPECT_EQ(main->TabItem1->MmNotices->toPlainText(),
              QStringLiteral("重機稼働は８時から１８時まで。夜間作業なし。"));
    EXPECT_EQ(main->TabItem1->EdReferenceS->text(), "85");
    EXPECT_EQ(main->TabItem1->EdReferenceV->text(), "75");
    EXPECT_EQ(main->TabItem1->EdMeasPositionV->text(), QStringLiteral("敷地境界東側"));
    EXPECT_EQ(main->TabItem1->EdMeasStart->text(), "08:00");
    EXPECT_EQ(main->TabItem1->EdMeasStop->text(), "18:00");
    EXPECT_EQ(main->TabItem1->EdDate->text(), "2021/03/01 ");
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(main->TabItem1->WeekArray[i]->isChecked(), i < 6)
            << i; // the sample day files: Monday to Saturday
    EXPECT_TRUE(dataButtonsEnabled(main));
    EXPECT_FALSE(main->errorFlag);
    EXPECT_EQ(main->LA_List[0].size(), 144);
}

TEST_F(MainWindow, ADirectoryWithoutDaysLeavesTheButtonsDisabled) {
    QDir(tmp.path()).mkpath("empty/sub");
    moravel::test::writeDeviceFile(tmp.filePath("empty/sub/20210301.LAC"), moravel::test::dayFile({}));
    moravel::test::writeDeviceFile(tmp.filePath("empty/sub/20210301.LVC"), moravel::test::dayFile({}));
    chooseDirectory(tmp.filePath("empty"));
    EXPECT_TRUE(main->DateNumList.isEmpty()); // files in subdirectories are not found
    EXPECT_EQ(main->CbDateList->count(), 0);
    EXPECT_TRUE(dataButtonsDisabled(main));
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(MainWindow, CancellingThePickerChangesNothingButClearsTheErrorState) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2)));
    main->errorFlag = true;
    dialogs.cancelFolder();
    main->BtSelectDir->click();
    EXPECT_FALSE(main->errorFlag);
    EXPECT_EQ(main->CbDateList->count(), 2);
}

TEST_F(MainWindow, ACardGivenAtStartOpensAsChosenOrIsSaidAsThePickerSaysIt) {
    const QString card = makeCard(moravel::test::cardOptions(2));
    // Relative to the working directory, as a shell passes it.
    const QString before = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    main->OpenCard(QStringLiteral("card/"));
    QDir::setCurrent(before);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.allTexts().join(u'|').toStdString();
    EXPECT_EQ(main->EdSelectDir->text(), moravel::test::shown(card + "/"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべる - 2021年03月01日"));
    EXPECT_TRUE(dataButtonsEnabled(main));

    // A path that names no folder leaves the card shown and says so.
    moravel::test::writeDeviceFile(tmp.filePath("file.txt"), {QStringLiteral("x")});
    for (const QString& wrong : {tmp.filePath("missing"), tmp.filePath("file.txt/inner")}) {
        main->OpenCard(wrong);
        ASSERT_FALSE(dialogs.boxes().empty());
        EXPECT_EQ(dialogs.boxes().back().text,
                  QStringLiteral("フォルダーが見つかりません：") + moravel::test::shown(wrong));
        EXPECT_EQ(main->EdSelectDir->text(), moravel::test::shown(card + "/"));
    }
}

TEST_F(MainWindow, ADayFileOpensItsCardAndFurtherFoldersAreNamedNotOpened) {
    const QString card = makeCard(moravel::test::cardOptions(2));
    QDir(tmp.path()).mkpath("other card");
    // "Open with" on a day file, with two more folders selected beside it (relative ones too).
    const QString before = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    main->OpenCard(card + "/20210302.LVC", {QStringLiteral("other card"), "b", "c", "d", "e"});
    QDir::setCurrent(before);
    EXPECT_EQ(main->EdSelectDir->text(), moravel::test::shown(card + "/"));
    EXPECT_EQ(main->CbDateList->count(), 2);
    EXPECT_TRUE(dataButtonsEnabled(main));
    ASSERT_EQ(dialogs.boxes().size(), 1u) << dialogs.allTexts().join(u'|').toStdString();
    EXPECT_EQ(dialogs.boxes().back().text,
              QStringLiteral("一度に開けるカードは一つです。最初のフォルダーだけを開きました。\r\n"
                             "開いていないフォルダー：\r\n") +
                  moravel::test::shown(tmp.filePath("other card")) + "\r\n" +
                  moravel::test::shown(tmp.filePath("b")) + "\r\n" + moravel::test::shown(tmp.filePath("c")) +
                  QStringLiteral("\r\nほか2件"));
}

TEST(StartArguments, HelpVersionACardAndWhatIsWrong) {
    using moravel::app::StartRequest;
    using Kind = StartRequest::Kind;
    const struct {
        QStringList arguments;
        Kind kind;
        QString card;
        QString message;
        QStringList others = {};
    } cases[] = {
        {{}, Kind::Run, {}, {}},
        {{"/media/u/CARD"}, Kind::Run, "/media/u/CARD", {}},
        {{"--", "--help"}, Kind::Run, "--help", {}},
        {{"-"}, Kind::Run, "-", {}},
        {{"CARD", "--help"}, Kind::Help, {}, {}},
        {{"-h"}, Kind::Help, {}, {}},
        {{"--version", "--help"}, Kind::Version, {}, {}},
        {{"--card"},
         Kind::Usage,
         {},
         "moravel: unknown option '--card'\nTry 'moravel --help' for more information.\n"},
        {{"a", "--", "-b", "c"}, Kind::Run, "a", {}, {"-b", "c"}},
        {{""},
         Kind::Usage,
         {},
         "moravel: the card directory is an empty name\nTry 'moravel --help' for more information.\n"},
    };
    for (const auto& c : cases) {
        const StartRequest r = moravel::app::parseStartArguments(c.arguments);
        EXPECT_EQ(r.kind, c.kind) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.card, c.card);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.others, c.others);
    }
    EXPECT_EQ(moravel::app::startVersion(), QStringLiteral("moravel 1.0.1.6\n"));
    EXPECT_TRUE(moravel::app::startHelp().startsWith(QStringLiteral("usage: moravel [CARD]\n")));
}

TEST(StartArguments, HelpAndVersionNeedNoDisplay) {
    for (const auto& [argument, expected] : {std::pair{"--version", QByteArray("moravel 1.0.1.6\n")},
                                             std::pair{"--help", QByteArray("usage: moravel [CARD]\n")}}) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        program.setProcessEnvironment(env);
        program.start(MORAVEL_APP, {argument});
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << argument;
        EXPECT_TRUE(program.readAllStandardOutput().startsWith(expected)) << argument;
        EXPECT_EQ(program.readAllStandardError(), QByteArray());
    }
}

TEST_F(MainWindow, NavigationWrapsAround) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    main->BtDateUp->click();
    EXPECT_EQ(main->CbDateList->currentIndex(), 2);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべる - 2021年03月03日"));
    EXPECT_EQ(main->TabItem1->EdDate->text(), "2021/03/03 ");
    main->BtDateDown->click();
    EXPECT_EQ(main->CbDateList->currentIndex(), 0);
    main->BtDateDown->click();
    EXPECT_EQ(main->CbDateList->currentIndex(), 1);
    main->errorFlag = true;
    main->BtDateDown->click();
    EXPECT_EQ(main->CbDateList->currentIndex(), 1); // nothing happens in the error state
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(MainWindow, ThePeriodStaysWithinOneTo31Days) {
    chooseDirectory(makeCard(moravel::test::cardOptions(45)));
    choosePeriod(0, 0);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), 0);
    main->CbDateListStop->setCurrentIndex(44);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), 14); // moved to last - 30
    main->CbDateListStart->setCurrentIndex(4);
    EXPECT_EQ(main->CbDateListStop->currentIndex(), 34); // first + 30
    main->CbDateListStop->setCurrentIndex(2);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), 2); // a last day before the first: one day
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべる - 2021年03月03日-2021年03月03日"));
    EXPECT_EQ(main->TabItem1->EdDate->text(), QStringLiteral("2021年03月03日~2021年03月03日"));
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(MainWindow, SwitchingToMonthModeShowsTheFirstDayAsAPeriod) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    main->RbDateMMode->setChecked(true);
    EXPECT_EQ(main->PnDMode->pos(), QPoint(-2150, 5));
    EXPECT_EQ(main->PnMMode->pos(), QPoint(190, 5));
    EXPECT_EQ(main->CbDateList->currentIndex(), -1);
    EXPECT_EQ(main->CbDateListStart->currentIndex(), 0);
    EXPECT_EQ(main->CbDateListStop->currentIndex(), 0);
    EXPECT_FALSE(main->CbDataStartM->isEnabled());
    EXPECT_FALSE(main->TabItem2->LoGraphM->isHidden());
    EXPECT_TRUE(main->TabItem2->LoGraphD->isHidden());
    main->RbDateDMode->setChecked(true);
    EXPECT_EQ(main->CbDateList->currentIndex(), 0);
    EXPECT_TRUE(main->CbDataStartM->isEnabled());
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(MainWindow, BrokenDayFilesResetTheWindowWithTheirMessage) {
    struct Case {
        const char* name;
        int line;
        QString text;
        bool vibration;
        QStringList messages;
    };
    const Case cases[] = {
        {"line 16 not empty", 16, "x", false, {QStringLiteral("20210301.LAC\r\nは破損しています。")}},
        {"six weekday flags",
         13,
         "WEEK,111111",
         false,
         {QStringLiteral("2021/03/01.LAC [WEEK]の部分\r\nは破損しています。")}},
        {"one-digit hour", 14, "START,8:00", false, {QStringLiteral("20210301.LAC\r\nは破損しています。")}},
        {"no first data row", 17, QString(), false, {QStringLiteral("データは破損しています。")}},
        {"line 16 of .LVC", 16, "x", true, {QStringLiteral("20210301.LVC\r\nは破損しています。")}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString card = makeCard(moravel::test::cardOptions(1), QStringLiteral("card%1").arg(n++));
        const QString path = card + (c.vibration ? "/20210301.LVC" : "/20210301.LAC");
        QStringList lines = moravel::platform::readLines(path);
        if (c.text.isNull())
            lines = lines.mid(0, c.line);
        else
            lines[c.line] = c.text;
        moravel::test::writeDeviceFile(path, lines);
        dialogs.clear();
        chooseDirectory(card);
        QStringList shown = dialogs.texts("information");
        EXPECT_EQ(shown, c.messages) << c.name;
        EXPECT_TRUE(main->errorFlag) << c.name;
        EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス")) << c.name;
        EXPECT_TRUE(dataButtonsDisabled(main)) << c.name;
        EXPECT_TRUE(main->TabItem1->EdDate->text().isEmpty()) << c.name;
        EXPECT_TRUE(main->TabItem1->EdReferenceS->text().isEmpty()) << c.name;
    }
}

TEST_F(MainWindow, AMissingHeaderEndStillShowsTheSettingsTexts) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    dialogs.clear();
    main->LAC_Data[16] = "x";
    main->InitDataView();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("20210301.LAC\r\nは破損しています。")});
    EXPECT_EQ(main->TabItem1->EdMeasTarget->text(), QStringLiteral("中央区立体駐車場新築工事"));
    EXPECT_TRUE(main->TabItem1->EdReferenceS->text().isEmpty());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス"));
    EXPECT_TRUE(main->errorFlag);
    // While the error state lasts, the item page takes only the settings texts.
    main->TabItem1->EdMeasTarget->clear();
    main->InitDataView();
    EXPECT_EQ(main->TabItem1->EdMeasTarget->text(), QStringLiteral("中央区立体駐車場新築工事"));
    EXPECT_TRUE(main->TabItem1->EdDate->text().isEmpty());
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(MainWindow, AnUnreadableDayFileNamesTheVibrationFile) {
    const QString card = makeCard(moravel::test::cardOptions(2));
    moravel::test::writeBytes(card + "/20210302.LAC", QByteArray("\xEF\xBB\xBF\xFF\xFE"));
    chooseDirectory(card);
    dialogs.clear();
    main->BtDateDown->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{moravel::test::shown(card + "/20210302.LVC") + "\r\nデータが存在していません"});
    EXPECT_TRUE(main->errorFlag);
    // Another directory clears the error state and loads again.
    chooseDirectory(makeCard(moravel::test::cardOptions(1), "other"));
    EXPECT_FALSE(main->errorFlag);
    EXPECT_TRUE(dataButtonsEnabled(main));
}

TEST_F(MainWindow, AVanishedCardIsReportedAndReset) {
    const QString card = makeCard(moravel::test::cardOptions(2));
    chooseDirectory(card);
    ASSERT_TRUE(QDir(card).removeRecursively());
    dialogs.clear();
    main->RbDateMMode->setChecked(true);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("指定されたドライブが無効になっています。")});
    EXPECT_TRUE(main->errorFlag);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス"));
}

TEST_F(MainWindow, ResizingKeepsTheWindowWithinItsLimitsAndRedrawsTheGraphsAtTheNewSize) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->resize(800, 500);
    EXPECT_EQ(main->size(), QSize(1020, 700));
    main->resize(2500, 1400);
    EXPECT_EQ(main->size(), QSize(1920, 1080));
    main->resize(1200, 800);
    EXPECT_EQ(main->size(), QSize(1200, 800));
    EXPECT_EQ(main->TabControl1->geometry(), QRect(10, 120, 1180, 670));
    const moravel::graph::ImageView* graph = main->TabItem2->ImSGraph;
    EXPECT_EQ(graph->width(), main->TabControl1->currentWidget()->width() - 68);
    EXPECT_EQ(graph->bitmap().size(), graph->size()); // drawn again at the new size
}

TEST_F(MainWindow, GraphImagesHaveTheirDesignSizes) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->TabControl1->setCurrentIndex(1);
    EXPECT_EQ(main->TabItem2->ImSGraph->size(), QSize(930, 239));
    EXPECT_EQ(main->TabItem2->ImGraphMS->size(), QSize(945, 249));
}
