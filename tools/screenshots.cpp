// screenshots CARD OUTDIR [--all]
// Opens the main window on a card (offscreen, the folder picker answered by the program) and saves
// pictures of its pages, for the README and for looking at the windows without a display. With --all
// it goes through many more states (other levels, unchecked columns, the graph and table windows, a
// damaged day, the error state carried into day mode) and writes every table's cells to cells.txt,
// so that two builds can be compared picture by picture and cell by cell (scripts/outputs).
#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/CompliancePage.h"
#include "data/DataViewForm.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "graph/GraphArea.h"
#include "graph/GraphPage.h"
#include "graph/ImageView.h"
#include "platform/Application.h"
#include "platform/ScriptedDialogs.h"
#include "report/PrintForm.h"
#include "settings/SettingsPage.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>
#include <cstdio>

namespace {

// Every cell of every table view below `root`: its text, alignment and background.
void dumpCells(QTextStream& out, const QString& step, const QWidget* root) {
    QList<QAbstractItemView*> views = root->findChildren<QAbstractItemView*>();
    std::sort(views.begin(), views.end(), [](const QAbstractItemView* a, const QAbstractItemView* b) {
        return a->objectName() < b->objectName();
    });
    for (const QAbstractItemView* view : std::as_const(views)) {
        const QAbstractItemModel* m = view->model();
        if (!m || view->objectName().isEmpty() || view->objectName().startsWith(u"qt_"))
            continue;
        out << "== " << step << " " << view->objectName() << " " << m->rowCount() << "x" << m->columnCount()
            << "\n";
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c) {
                const QModelIndex i = m->index(r, c);
                const QVariant bg = m->data(i, Qt::BackgroundRole);
                cells.append(m->data(i, Qt::DisplayRole).toString() + u'|' +
                             QString::number(m->data(i, Qt::TextAlignmentRole).toInt()) +
                             (bg.isValid() ? u'|' + bg.value<QBrush>().color().name() : QString()));
            }
            out << cells.join(u'\t') << "\n";
        }
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->headerData(c, Qt::Horizontal).toString() << ":" << view->sizeHintForColumn(c) << " ";
        out << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    QStringList args = app.arguments().mid(1);
    const bool all = args.removeAll(QStringLiteral("--all")) > 0;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: screenshots CARD OUTDIR [--all]\n");
        return 2;
    }
    const QString out = args[1];
    QDir().mkpath(out);
    QFile cellsFile(out + QStringLiteral("/cells.txt"));
    if (all && !cellsFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextStream cells(&cellsFile);
    moravel::platform::ScriptedDialogs dialogs;
    dialogs.install();
    auto windows = moravel::app::createWindows();
    TFmMain* main = windows.main.get();
    main->show();
    auto save = [&](const char* name) {
        QCoreApplication::processEvents();
        main->grab().save(out + u'/' + QString::fromLatin1(name));
        if (all) {
            dumpCells(cells, QString::fromLatin1(name), main);
            dumpCells(cells, QString::fromLatin1(name) + QStringLiteral(" FmDataView"), main->FmDataView);
        }
    };
    auto report = [&](void (TFmMain::*button)(), const char* name) {
        (main->*button)();
        QCoreApplication::processEvents();
        main->FmPrint->Print_Image->bitmap().save(out + u'/' + QString::fromLatin1(name));
    };
    auto saveWindow = [&](QWidget* w, const char* name) {
        QCoreApplication::processEvents();
        w->grab().save(out + u'/' + QString::fromLatin1(name));
    };
    if (all) {
        save("empty-items.png");
        main->TabControl1->setCurrentIndex(1);
        save("empty-graph.png");
        main->TabControl1->setCurrentIndex(2);
        save("empty-table.png");
        main->TabControl1->setCurrentIndex(0);
    }
    dialogs.chooseFolder(QDir(args[0]).absolutePath());
    main->BtSelectDir->click();
    report(&TFmMain::BtPrintOutClick, "report-day-full.png");
    report(&TFmMain::BtPrintDataViewClick, "report-day-table.png");
    main->TabControl1->setCurrentIndex(0);
    save("main-items.png");
    main->TabControl1->setCurrentIndex(1);
    save("main-graph-day.png");
    main->TabItem2->RbSS->setChecked(true);
    save("main-graph-day-lines.png");
    report(&TFmMain::BtPrintGraphClick, "report-day-lines.png");
    main->TabControl1->setCurrentIndex(2);
    save("main-table-day.png");
    main->TabControl1->setCurrentIndex(3);
    save("main-settings.png");
    main->TabControl1->setCurrentIndex(4);
    save("main-summary-day.png");
    if (all) {
        main->TabItem2->RbSB->setChecked(true);
        main->TabItem2->CbSMode->setCurrentIndex(0);
        main->TabItem2->CbVMode->setCurrentIndex(7);
        main->BtDateDown->click();
        main->BtDateDown->click();
        main->TabControl1->setCurrentIndex(1);
        save("day3-graph-leq-lmax.png");
        main->TabControl1->setCurrentIndex(2);
        save("day3-table-leq-lmax.png");
        main->TabControl1->setCurrentIndex(4);
        save("day3-summary.png");
        main->TabControl1->setCurrentIndex(0);
        save("day3-items.png");
        report(&TFmMain::BtPrintOutClick, "report-day3-full.png");
        main->CbDataStartH->setCurrentIndex(8);
        main->CbDataStartM->setCurrentIndex(1);
        main->CbDataStopH->setCurrentIndex(18);
        main->TabControl1->setCurrentIndex(2);
        save("day3-window-table.png");
        main->TabControl1->setCurrentIndex(1);
        save("day3-window-graph.png");
        main->FmGraphArea->show();
        main->FmGraphArea->CbSMode->setCurrentIndex(8);
        saveWindow(main->FmGraphArea, "graph-window-day.png");
        save("day3-graph-after-graph-window.png");
        main->FmDataView->show();
        saveWindow(main->FmDataView, "table-window-day.png");
        main->TabItem2->RbSS->setChecked(true);
        main->TabItem2->BtMModeS->click();
        main->TabItem2->Button2->click();
        main->TabItem2->CbL50S->setChecked(true);
        main->TabItem2->CbLmaxS->setChecked(true);
        save("day3-lines-some-series.png");
        main->TabItem2->Button5->click();
        main->TabItem2->Button1->click();
        main->resize(1300, 860);
        save("day3-large.png");
        saveWindow(main->FmGraphArea, "graph-window-day-lines.png");
        main->resize(1020, 700);
    }
    main->RbDateMMode->setChecked(true);
    main->CbDateListStop->setCurrentIndex(std::min(6, main->CbDateListStop->count() - 1));
    main->TabControl1->setCurrentIndex(1);
    save("main-graph-month.png");
    main->TabControl1->setCurrentIndex(2);
    save("main-table-month.png");
    main->TabControl1->setCurrentIndex(4);
    save("main-summary-month.png");
    report(&TFmMain::BtPrintOutClick, "report-month-full.png");
    report(&TFmMain::BtPrintGraphClick, "report-month-graph.png");
    report(&TFmMain::BtPrintDataViewClick, "report-month-table.png");
    main->FmPrint->grab().save(out + "/print-window.png");
    if (all) {
        saveWindow(main->FmDataView, "table-window-month.png");
        saveWindow(main->FmGraphArea, "graph-window-month.png");
        main->TabItem3->Button11->click();
        main->TabItem3->CbSTableL05->setChecked(true);
        main->TabItem3->CbSTableLmax->setChecked(true);
        main->TabItem3->Button12->click();
        main->CbDateListStart->setCurrentIndex(std::min(2, main->CbDateListStart->count() - 1));
        main->CbDateListStop->setCurrentIndex(std::min(12, main->CbDateListStop->count() - 1));
        main->TabControl1->setCurrentIndex(2);
        save("month-some-columns.png");
        report(&TFmMain::BtPrintDataViewClick, "report-month-some-columns.png");
        main->TabControl1->setCurrentIndex(1);
        main->TabItem2->BtMModeV->click();
        main->TabItem2->Button4->click();
        main->TabItem2->CbLeqV->setChecked(true);
        save("month-graph-series.png");
        report(&TFmMain::BtPrintGraphClick, "report-month-graph-series.png");
        main->TabItem2->Button6->click();
        main->TabItem2->Button3->click();
        main->TabItem3->Button9->click();
        main->TabItem3->Button10->click();
        main->TabControl1->setCurrentIndex(0);
        save("month-items.png");
        main->TabControl1->setCurrentIndex(4);
        main->findChild<QAbstractItemView*>(QStringLiteral("SgSummaryV"))->setFocus();
        save("month-summary.png");
        saveWindow(main->FmDataView, "table-window-month2.png");
        // A damaged day inside the period: the box, the full reset, then back to day mode.
        const QStringList stems = main->DateNumList;
        if (stems.size() > 4) {
            QFile lac{QDir(args[0]).filePath(stems[4] + QStringLiteral(".LAC"))};
            QByteArray bytes;
            if (lac.open(QIODevice::ReadOnly))
                bytes = lac.readAll();
            lac.close();
            // The first level of the row of 12:00.
            const qsizetype noon = bytes.indexOf(" 12:00,") + 7;
            const QByteArray broken = QByteArray(bytes).replace(noon, 5, "07O.0");
            if (lac.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                lac.write(broken);
                lac.close();
            }
            main->CbDateListStop->setCurrentIndex(std::min(10, main->CbDateListStop->count() - 1));
            main->TabControl1->setCurrentIndex(2);
            save("month-error-table.png");
            main->TabControl1->setCurrentIndex(1);
            save("month-error-graph.png");
            main->TabControl1->setCurrentIndex(4);
            save("month-error-summary.png");
            saveWindow(main->FmDataView, "table-window-error.png");
            main->RbDateDMode->setChecked(true);
            main->TabControl1->setCurrentIndex(2);
            save("error-to-day-table.png");
            main->TabControl1->setCurrentIndex(0);
            save("error-to-day-items.png");
            if (lac.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                lac.write(bytes);
                lac.close();
            }
            dialogs.chooseFolder(QDir(args[0]).absolutePath());
            main->BtSelectDir->click();
            main->CbDateList->setCurrentIndex(4);
            main->TabControl1->setCurrentIndex(2);
            save("restored-day5-table.png");
        }
    }
    main->BtMenuOpen->click();
    save("main-menu.png");
    for (const QString& t : dialogs.allTexts())
        std::printf("box: %s\n", qPrintable(t));
    return 0;
}
