// screenshots CARD OUTDIR
// Opens the main window on a card (offscreen, the folder picker answered by the program) and saves
// pictures of its pages, for the README and for looking at the windows without a display.
#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/DataViewForm.h"
#include "graph/ImageView.h"
#include "platform/Application.h"
#include "platform/ScriptedDialogs.h"
#include "report/PrintForm.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: screenshots CARD OUTDIR\n");
        return 2;
    }
    const QString out = args[1];
    QDir().mkpath(out);
    moravel::platform::ScriptedDialogs dialogs;
    dialogs.install();
    auto windows = moravel::app::createWindows();
    TFmMain* main = windows.main.get();
    main->show();
    dialogs.chooseFolder(QDir(args[0]).absolutePath());
    main->BtSelectDir->click();
    auto save = [&](const char* name) {
        QCoreApplication::processEvents();
        main->grab().save(out + u'/' + QString::fromLatin1(name));
    };
    auto report = [&](void (TFmMain::*button)(), const char* name) {
        (main->*button)();
        QCoreApplication::processEvents();
        main->FmPrint->Print_Image->bitmap().save(out + u'/' + QString::fromLatin1(name));
    };
    report(&TFmMain::BtPrintOutClick, "report-day-full.png");
    report(&TFmMain::BtPrintDataViewClick, "report-day-table.png");
    main->TabControl1->setCurrentIndex(0);
    save("main-items.png");
    main->TabControl1->setCurrentIndex(1);
    save("main-graph-day.png");
    main->RbSS->setChecked(true);
    save("main-graph-day-lines.png");
    report(&TFmMain::BtPrintGraphClick, "report-day-lines.png");
    main->TabControl1->setCurrentIndex(2);
    save("main-table-day.png");
    main->TabControl1->setCurrentIndex(3);
    save("main-settings.png");
    main->TabControl1->setCurrentIndex(4);
    save("main-summary-day.png");
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
    main->BtMenuOpen->click();
    save("main-menu.png");
    for (const QString& t : dialogs.allTexts())
        std::printf("box: %s\n", qPrintable(t));
    return 0;
}
