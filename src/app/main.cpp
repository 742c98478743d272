#include "app/MainForm.h"
#include "app/Startup.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    moravel::app::Windows windows = moravel::app::createWindows();
    windows.main->show();
    return app.exec();
}
