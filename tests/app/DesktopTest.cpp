// What a user sees outside the scripted boxes: the real boxes, pickers and set-up dialog readable and
// Japanese, the graph page laid out from the start, the side menu across resizes, the keyboard focus
// in sight.
#include "WindowTest.h"

#include "data/DataViewForm.h"
#include "export/CSVConvert.h"
#include "graph/ImageView.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "report/PrintForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
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

TEST_F(Desktop, TheFolderPickerIsJapaneseAndRemembersNothing) {
    QDir(tmp.path()).mkpath("現場");
    auto picker = moravel::platform::makeFolderPicker(main, QStringLiteral("ディレクトリ指定"), tmp.path());
    auto* model = picker->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    picker->show();
    const QModelIndex folder = model->index(tmp.filePath("現場"));
    if (model->rowCount(folder.parent()) == 0) {
        ASSERT_TRUE(loaded.wait(10000));
    }
    const QModelIndex row = model->index(tmp.filePath("現場"));
    EXPECT_EQ(model->index(row.row(), 2, row.parent()).data().toString(), QStringLiteral("フォルダ"));
    const QString date = model->index(row.row(), 3, row.parent()).data().toString();
    EXPECT_TRUE(QRegularExpression("^\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}$").match(date).hasMatch())
        << date.toStdString();
    auto* view = picker->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    EXPECT_GE(view->header()->sectionSize(3), view->fontMetrics().horizontalAdvance(date));
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        if (auto* label = picker->findChild<QLabel*>(QString::fromLatin1(name))) {
            EXPECT_GE(contentContrast(grabbed(label)), 4.5) << name;
        }
    picker.reset();
    // Whatever the picker would remember goes to this run's own directory, not the user's.
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
