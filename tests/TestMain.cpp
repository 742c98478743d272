#include "platform/Application.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    moravel::platform::prepareJapaneseEnvironment();
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
