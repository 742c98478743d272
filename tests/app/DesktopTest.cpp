// What a user sees outside the scripted boxes: the real boxes, pickers and set-up dialog readable and
// Japanese, the graph page laid out from the start, the side menu across resizes, the keyboard focus
// in sight.
#include "Volumes.h"
#include "WindowTest.h"

#include "data/DataViewForm.h"
#include "export/CSVConvert.h"
#include "graph/ImageView.h"
#include "platform/Dialogs.h"
#include "platform/FolderPicker.h"
#include "platform/TextFile.h"
#include "platform/Widgets.h"
#include "report/PrintForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using moravel::platform::BoxKind;
using moravel::test::contentContrast;
using moravel::test::contrastRatio;

namespace {

QImage grabbed(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The contrast of a check box's or radio button's mark: the pixels that change between its two
// states, checked against unchecked.
double markContrast(QAbstractButton* button) {
    button->setChecked(false);
    const QImage off = grabbed(button);
    button->setChecked(true);
    const QImage on = grabbed(button);
    double best = 1;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            best = std::max(best, contrastRatio(on.pixel(x, y), off.pixel(x, y)));
    return best;
}

// Whether a control lies wholly inside the main window's client area.
bool inSight(QWidget* control, QWidget* window) {
    const QRect r(control->mapTo(window, QPoint(0, 0)), control->size());
    return control->isVisible() && window->rect().contains(r);
}

// How many pixels of a control change, when the keyboard gives it the focus, to a colour that stands
// out by at least 3:1 from what was there: its focus frame.
int focusFramePixels(QWidget* control) {
    QApplication::setActiveWindow(control->window());
    control->clearFocus();
    QCoreApplication::processEvents();
    // What the window shows there: a control without a background of its own shows its parent's.
    auto shown = [control] {
        QWidget* window = control->window();
        return window->grab(QRect(control->mapTo(window, QPoint(0, 0)), control->size()))
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage off = shown();
    // A Tab press tells the window that the keyboard moves the focus from now on.
    QTest::keyClick(control->window(), Qt::Key_Tab);
    control->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    const QImage on = shown();
    int seen = 0;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            if (moravel::test::contrastRatio(on.pixel(x, y), off.pixel(x, y)) >= 3.0)
                ++seen;
    return seen;
}

} // namespace

using Desktop = moravel::test::MainWindowTest;

TEST_F(Desktop, EveryBoxIsReadableOverTheMainWindowAndTheExportWindow) {
    main->BtCSVConvert->setEnabled(true);
    main->BtCSVConvert->click();
    const struct {
        BoxKind kind;
        QString caption;
    } kinds[] = {{BoxKind::Information, QStringLiteral("もらべる")},
                 {BoxKind::YesNo, QStringLiteral("確認")},
                 {BoxKind::YesNoCancel, QStringLiteral("確認")},
                 {BoxKind::Warning, QStringLiteral("警告")},
                 {BoxKind::Error, QStringLiteral("もらべる")}};
    for (QWidget* owner : {static_cast<QWidget*>(main), static_cast<QWidget*>(main->FmCSVConvert)})
        for (const auto& k : kinds) {
            const auto box =
                moravel::platform::makeMessageBox(k.kind, owner, QStringLiteral("保存完了しました"));
            box->show();
            EXPECT_EQ(box->windowTitle(), k.caption);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_GE(contentContrast(grabbed(label)), 4.5) << k.caption.toStdString();
            for (QPushButton* b : box->findChildren<QPushButton*>())
                EXPECT_GE(contentContrast(grabbed(b)), 4.5) << b->text().toStdString();
            auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
            if (icon && k.kind != BoxKind::Information) {
                EXPECT_GE(contentContrast(grabbed(icon)), 4.5) << static_cast<int>(k.kind);
            }
            box->hide();
        }
    // The export window itself is a light window with dark texts.
    EXPECT_GE(contentContrast(grabbed(main->FmCSVConvert->Label2)), 4.5);
    EXPECT_GE(contentContrast(grabbed(main->FmCSVConvert->DModeConvert)), 4.5);
    main->FmCSVConvert->close();
}

TEST_F(Desktop, ChecksAndRadioButtonsOnTheDarkPanelsShowTheirState) {
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(main->TabItem1->Cb[0]),
                               static_cast<QAbstractButton*>(main->TabItem3->CbSTableL05),
                               static_cast<QAbstractButton*>(main->TabItem2->CbLmaxS),
                               static_cast<QAbstractButton*>(main->TabItem2->RbSS),
                               static_cast<QAbstractButton*>(main->FmDataView->RbV)})
        EXPECT_GE(markContrast(b), 4.5) << b->objectName().toStdString();
    main->RbDateDMode->setChecked(true);
    main->TabItem2->RbSB->setChecked(true);
}

TEST_F(Desktop, TheGraphPageIsLaidOutBeforeAnyLoad) {
    main->TabControl1->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // The start size: a page of 998 x 540 below the bar/line choice, halves of 254.
    EXPECT_EQ(main->TabItem2->PnSGraphArea->geometry(), QRect(0, 0, 998, 254));
    EXPECT_EQ(main->TabItem2->PnVGraphArea->geometry(), QRect(0, 254, 998, 254));
    EXPECT_EQ(main->TabItem2->ImSGraph->size(), QSize(930, 239));
    auto globalRect = [](QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); };
    // Bars: the level combos one above the other.
    EXPECT_FALSE(globalRect(main->TabItem2->CbSMode).intersects(globalRect(main->TabItem2->CbVMode)));
    EXPECT_EQ(main->TabItem2->CbVMode->mapTo(main, QPoint(0, 0)).y() -
                  main->TabItem2->CbSMode->mapTo(main, QPoint(0, 0)).y(),
              254);
    // Lines: the item buttons likewise.
    main->TabItem2->RbSS->setChecked(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->TabItem2->Button7->isVisible());
    EXPECT_EQ(main->TabItem2->Button8->mapTo(main, QPoint(0, 0)).y() -
                  main->TabItem2->Button7->mapTo(main, QPoint(0, 0)).y(),
              254);
    // Month mode: the month halves.
    main->RbDateMMode->setChecked(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->TabItem2->Panel10->geometry(), QRect(0, 254, 998, 254));
    EXPECT_EQ(main->TabItem2->BtMModeV->mapTo(main, QPoint(0, 0)).y() -
                  main->TabItem2->BtMModeS->mapTo(main, QPoint(0, 0)).y(),
              254);
    // A larger window: the halves follow.
    main->resize(1300, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->TabItem2->Panel10->geometry(), QRect(0, 354, 1278, 354));
    main->RbDateDMode->setChecked(true);
    main->TabItem2->RbSB->setChecked(true);
}

TEST_F(Desktop, InTheErrorStateTheEmptyFramesFollowTheWindowsSize) {
    const QString card = makeCard(moravel::test::cardOptions(1));
    QStringList lac = moravel::platform::readLines(card + "/20210301.LAC");
    lac[16] = "broken";
    moravel::test::writeDeviceFile(card + "/20210301.LAC", lac);
    chooseDirectory(card);
    ASSERT_TRUE(main->errorFlag);
    main->TabControl1->setCurrentIndex(1);
    main->resize(1400, 1000);
    QCoreApplication::processEvents();
    for (moravel::graph::ImageView* image : {main->TabItem2->ImSGraph, main->TabItem2->ImVGraph})
        EXPECT_EQ(image->bitmap().size(), image->size());
    EXPECT_EQ(main->TabItem2->ImSGraph->size(), QSize(1310, 389));
    dialogs.clear();
}

TEST_F(Desktop, AnOpenSideMenuStaysOpenAcrossResizes) {
    main->BtMenuOpen->click();
    main->resize(1300, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->PnControlPanel->pos(), QPoint(10, 10));
    EXPECT_TRUE(main->PnControlPanel->isVisible());
    EXPECT_EQ(main->PnControlPanel->height(), 880);
    EXPECT_EQ(main->BtVersionCheck->y(), 840); // still at the menu's bottom
    main->BtMenuClose->click();
    main->resize(1100, 750);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->PnControlPanel->pos(), QPoint(-200, 10));
    EXPECT_FALSE(main->PnControlPanel->isVisible());
}

TEST_F(Desktop, TheKeyboardNeverReachesAControlOutOfSight) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    QApplication::setActiveWindow(main);
    for (int page : {1, 2, 3}) {
        main->TabControl1->setCurrentIndex(page);
        main->TabControl1->setFocus();
        QSet<QWidget*> seen;
        for (int step = 0; step < 80; ++step) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            EXPECT_TRUE(inSight(focused, main)) << page << " " << focused->objectName().toStdString();
            seen.insert(focused);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        EXPECT_GT(seen.size(), 5);
    }
    // The side menu's controls are reached once it is open.
    main->BtMenuOpen->click();
    main->BtSelectDir->setFocus();
    EXPECT_TRUE(inSight(QApplication::focusWidget(), main));
}

TEST_F(Desktop, TheFolderPickerTakesTheFolderTypedOrSelected) {
    if (moravel::test::onWindows())
        GTEST_SKIP() << "Windows asks for folders with the shell's own dialog, not with this picker";
    QDir root(tmp.path());
    for (const char* path : {"a/card", "a/cardX", "a/.hidden", "b/現場 1/カード", "c/card"})
        ASSERT_TRUE(root.mkpath(path));
    QFile(tmp.filePath("a/card.txt")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(tmp.filePath("a/card"), tmp.filePath("a/link")));
    using moravel::platform::FolderPicker;
    auto open = [&](const QString& start) {
        auto picker = moravel::platform::makeFolderPicker(main, QStringLiteral("ディレクトリ指定"), start);
        picker->show();
        return picker;
    };
    auto typeAndReturn = [](FolderPicker& picker, const QString& text) {
        QSignalSpy finished(&picker, &QDialog::finished);
        auto* path = picker.findChild<QLineEdit*>(QStringLiteral("FolderPath"));
        path->selectAll();
        path->insert(text);
        QTest::keyClick(path, Qt::Key_Return);
        return finished.wait(5000);
    };

    // A typed path is the folder chosen, whatever the folder shown and however it is written.
    struct Typed {
        QString start, typed, chosen;
    };
    for (const Typed& t :
         {Typed{"a", tmp.filePath("a/card"), "a/card"}, Typed{"c", tmp.filePath("a/card"), "a/card"},
          Typed{"a", tmp.filePath("a/card/"), "a/card"}, Typed{"a", "card", "a/card"},
          Typed{"b", "現場 1/カード", "b/現場 1/カード"}, Typed{"c", tmp.filePath("c"), "c"},
          Typed{"b/現場 1/カード", "..", "b/現場 1"}}) {
        auto picker = open(tmp.filePath(t.start));
        EXPECT_EQ(picker->windowTitle(), QStringLiteral("ディレクトリ指定"));
        ASSERT_TRUE(typeAndReturn(*picker, t.typed)) << t.typed.toStdString();
        EXPECT_EQ(picker->result(), QDialog::Accepted);
        EXPECT_EQ(picker->chosen(), tmp.filePath(t.chosen)) << t.typed.toStdString();
    }

    // The folders of the folder shown, sorted, without files and hidden ones; a link to a folder joins.
    auto picker = open(tmp.filePath("a"));
    auto* list = picker->findChild<QListWidget*>(QStringLiteral("Folders"));
    auto names = [list] {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    };
    for (int wait = 0; wait < 100 && names().size() < 3; ++wait)
        QTest::qWait(50);
    EXPECT_EQ(names(), QStringList({"card", "cardX", "link"}));
    EXPECT_EQ(picker->findChild<QLabel*>(QStringLiteral("Status"))->text(), QString());
    for (QLabel* label : picker->findChildren<QLabel*>())
        if (!label->text().isEmpty()) {
            EXPECT_GE(contentContrast(grabbed(label)), 4.5) << label->text().toStdString();
        }
    // A click selects, 選択 takes it; a double click opens it, 上へ goes back.
    list->setCurrentRow(1);
    EXPECT_EQ(picker->findChild<QLineEdit*>(QStringLiteral("FolderPath"))->text(), tmp.filePath("a/cardX"));
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(picker->shownFolder(), tmp.filePath("a/card"));
    picker->findChild<QToolButton*>(QStringLiteral("Up"))->click();
    EXPECT_EQ(picker->shownFolder(), tmp.filePath("a"));
    QSignalSpy listed(picker.get(), &FolderPicker::folderListed);
    ASSERT_TRUE(listed.wait(5000));
    list->setCurrentRow(1);
    QSignalSpy finished(picker.get(), &QDialog::finished);
    picker->findChild<QPushButton*>(QStringLiteral("Choose"))->click();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(picker->chosen(), tmp.filePath("a/cardX"));

    // A path that is no folder is said, and the picker stays.
    picker = open(tmp.filePath("a"));
    QSignalSpy shown(picker.get(), &FolderPicker::folderListed);
    auto* path = picker->findChild<QLineEdit*>(QStringLiteral("FolderPath"));
    path->setText("card.txt");
    QTest::keyClick(path, Qt::Key_Return);
    auto* status = picker->findChild<QLabel*>(QStringLiteral("Status"));
    const QString missing = QStringLiteral("フォルダーが見つかりません：") + tmp.filePath("a/card.txt");
    // Whichever comes first, the check or the listing, the word stays.
    for (int wait = 0; wait < 100 && (status->text() != missing || shown.isEmpty()); ++wait)
        QTest::qWait(50);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(status->text(), missing);
    EXPECT_TRUE(picker->isVisible());
    picker.reset();

    // Whatever Qt's dialogs would remember goes to this run's own directory, not the user's.
    const QString settings = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    EXPECT_FALSE(settings.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)))
        << settings.toStdString();
}

TEST_F(Desktop, ThePrinterSetUpChoosesPrinterAndPaperAndSaysOK) {
    QPrinter printer(QPrinter::HighResolution);
    auto setup = moravel::platform::makePrinterSetup(main->FmPrint, printer);
    setup->show();
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("印刷設定"));
    auto* buttons = setup->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    EXPECT_TRUE(setup->findChildren<QSpinBox*>().isEmpty()); // no copies, no page range
    for (QLabel* label : setup->findChildren<QLabel*>())
        EXPECT_GE(contentContrast(grabbed(label)), 4.5) << label->text().toStdString();
    auto* printers = setup->findChild<QComboBox*>(QStringLiteral("Printers"));
    printers->setCurrentIndex(printers->count() - 1);
    EXPECT_EQ(printers->currentText(), QStringLiteral("PDFファイルに出力"));
    setup->findChild<QLineEdit*>(QStringLiteral("OutputFile"))->setText(tmp.filePath("page.pdf"));
    auto* paper = setup->findChild<QComboBox*>(QStringLiteral("Paper"));
    paper->setCurrentIndex(paper->findText(QStringLiteral("A3")));
    setup->findChild<QRadioButton*>(QStringLiteral("Landscape"))->setChecked(true);
    setup->accept();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), tmp.filePath("page.pdf"));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(Desktop, EveryKeyboardStopShowsItsFocus) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    struct Stop {
        int page;
        QWidget* control;
    };
    for (const Stop& stop : {Stop{0, main->RbDateDMode}, Stop{0, main->BtMenuOpen},
                             Stop{0, main->TabItem1->Cb[0]}, Stop{1, main->TabItem2->RbSB},
                             Stop{2, main->TabItem3->CbSTableL05}, Stop{2, main->TabItem3->DataTable}}) {
        main->TabControl1->setCurrentIndex(stop.page);
        if (!stop.control->isVisible() || stop.control->focusPolicy() == Qt::NoFocus)
            continue;
        EXPECT_GE(focusFramePixels(stop.control), 20) << stop.control->objectName().toStdString();
    }
    // The series choice of the month graphs.
    main->TabControl1->setCurrentIndex(1);
    main->RbDateMMode->setChecked(true);
    main->TabItem2->BtMModeS->click();
    ASSERT_TRUE(main->TabItem2->CbLeS->isVisible());
    EXPECT_GE(focusFramePixels(main->TabItem2->CbLeS), 20);
    // The print window's preview, which the arrows scroll.
    main->BtPrintGraph->click();
    EXPECT_GE(focusFramePixels(main->FmPrint->ScrollBox1), 20);
    main->FmPrint->close();
    main->RbDateDMode->setChecked(true);
}

TEST_F(Desktop, SeriesCaptionsAndTheChosenSummaryRowRead) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    // Each series caption is dark text beside a swatch of the series' colour in the graphs.
    struct Series {
        QCheckBox* box;
        int stat;
    };
    for (const Series& series :
         {Series{main->TabItem2->CbLeS, moravel::Le}, Series{main->TabItem2->CbLeqS, moravel::Leq},
          Series{main->TabItem2->CbLmaxS, moravel::Lmax}, Series{main->TabItem2->CbL50S, moravel::L50},
          Series{main->TabItem2->CbL95V, moravel::L95}}) {
        QCheckBox* box = series.box;
        const QImage image = grabbed(box);
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        option.icon = box->icon();
        option.iconSize = box->iconSize();
        const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        const int textLeft = contents.left() + box->iconSize().width() + 2;
        EXPECT_GE(contentContrast(image.copy(textLeft, 0, image.width() - textLeft, image.height())), 4.5)
            << box->objectName().toStdString();
        int swatch = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = contents.left(); x < textLeft; ++x)
                swatch += image.pixel(x, y) == moravel::levelStatColour(series.stat);
        EXPECT_GE(swatch, 50) << box->objectName().toStdString();
    }
    // The day chosen in the summary table.
    choosePeriod(0, 2);
    main->TabControl1->setCurrentIndex(4);
    QTableView* grid = main->TabItem5->SgSummaryS;
    QApplication::setActiveWindow(main);
    grid->setFocus();
    grid->selectRow(1);
    QCoreApplication::processEvents();
    const QRect row = grid->visualRect(grid->model()->index(1, 0));
    const QImage shown = grid->viewport()->grab(row.adjusted(1, 1, -1, -1)).toImage();
    EXPECT_GE(contentContrast(shown), 4.5);
}

TEST_F(Desktop, TabLeavesTheSummaryTablesAndPassesOverWhatTheOpenMenuCovers) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    choosePeriod(0, 2);
    QApplication::setActiveWindow(main);
    main->TabControl1->setCurrentIndex(4);
    QTableView* grid = main->TabItem5->SgSummaryS;
    grid->setFocus(Qt::MouseFocusReason);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), grid);
    grid->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_NE(QApplication::focusWidget(), grid);

    // With the side menu open, Tab goes round its controls and what it leaves in sight, never under it.
    main->TabControl1->setCurrentIndex(0);
    main->BtMenuOpen->click();
    const QRect menu(main->PnControlPanel->mapTo(main, QPoint(0, 0)), main->PnControlPanel->size());
    main->BtVersionCheck->setFocus(Qt::TabFocusReason);
    bool reachedMenu = false;
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab})
        for (int step = 0; step < 60; ++step) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            const bool inMenu = main->PnControlPanel->isAncestorOf(focused);
            reachedMenu = reachedMenu || (inMenu && focused != main->BtVersionCheck);
            EXPECT_TRUE(inMenu ||
                        !QRect(focused->mapTo(main, QPoint(0, 0)), focused->size()).intersects(menu))
                << focused->objectName().toStdString();
            QTest::keyClick(focused, key);
        }
    EXPECT_TRUE(reachedMenu);
    main->BtMenuClose->click();
}

TEST_F(Desktop, ABoxWithAShortTextHasRoomForItsCaption) {
    for (const QString& text : {QStringLiteral("保存完了"), QStringLiteral("保存完了しました")}) {
        auto box = moravel::platform::makeMessageBox(BoxKind::Information, main, text);
        box->show();
        QCoreApplication::processEvents();
        QFont bold = box->font();
        bold.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 150)
            << text.toStdString() << " " << box->width();
        box->hide();
    }
}

TEST(WindowPlacement, AWindowOpensCentredOnItsOwnerAndInsideTheScreen) {
    const QRect screen(0, 0, 1920, 1040);
    struct Case {
        QSize window;
        QRect owner;
        QPoint expected;
    };
    for (const Case& c : {Case{{728, 778}, {100, 50, 1020, 700}, {246, 11}},  // centred
                          Case{{728, 778}, {-400, 300, 1020, 700}, {0, 261}}, // kept inside at the left
                          Case{{728, 778}, {1500, 600, 1020, 700}, {1192, 262}},
                          Case{{728, 1200}, {100, 50, 1020, 700}, {246, 0}}}) // taller than the screen
        EXPECT_EQ(moravel::platform::placeOver(c.window, c.owner, screen), c.expected)
            << c.owner.x() << "," << c.owner.y();
}

TEST_F(Desktop, ThePrintWindowOpensOverTheMainWindowAndTheDateListDropsTwentyRows) {
    chooseDirectory(makeCard(moravel::test::cardOptions(31)));
    main->move(40, 30);
    main->BtPrintGraph->click();
    EXPECT_EQ(main->FmPrint->parentWidget(), main); // owned: it stays above the main window
    const QRect area = main->screen()->availableGeometry();
    EXPECT_EQ(main->FmPrint->pos(),
              moravel::platform::placeOver(main->FmPrint->size(), main->frameGeometry(), area));
    main->FmPrint->close();

    ASSERT_EQ(main->CbDateList->count(), 31);
    main->CbDateList->showPopup();
    QWidget* popup = main->CbDateList->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const int row = main->CbDateList->view()->sizeHintForRow(0);
    EXPECT_LE(popup->height(), 20 * row + 12) << popup->height() << " rows of " << row;
    EXPECT_GE(popup->height(), 15 * row);
    main->CbDateList->hidePopup();
}
