// Starts the application as main() does, shows the main window, lets it settle and ends: what the
// start-up of a test measures from outside (a stalled volume must not hold it).
#include "app/MainForm.h"
#include "app/Startup.h"
#include "platform/Application.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    moravel::app::Windows windows = moravel::app::createWindows();
    windows.main->show();
    QCoreApplication::processEvents();
    std::printf("shown\n");
    return 0;
}
