#include <QGuiApplication>
#include <QLocale>
#include <gtest/gtest.h>

// The core's tests: drawing needs Qt's fonts, not a window.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
