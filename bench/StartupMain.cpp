// What the application does from the start of its process until its main window is shown, then
// ends: scripts/bench times the whole process.
#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/CompliancePage.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "graph/GraphPage.h"
#include "platform/Application.h"
#include "settings/SettingsPage.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    moravel::app::Windows windows = moravel::app::createWindows();
    windows.main->show();
    QCoreApplication::processEvents();
    return windows.main->isVisible() ? 0 : 1;
}
