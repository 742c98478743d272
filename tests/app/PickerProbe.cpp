// Opens the folder picker as the application does (from a given working folder), types a path and
// presses Return, or presses Escape, and says what came back once the picker is gone: what a test
// watches from outside when a volume beside the card does not answer.
// picker-probe WORKING-FOLDER START TYPED  (an empty TYPED presses Escape)
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/FolderPicker.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const QString typed = QString::fromLocal8Bit(argv[3]);
    QTimer::singleShot(0, [typed] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* picker = qobject_cast<moravel::platform::FolderPicker*>(window)) {
                if (typed.isEmpty()) {
                    QTest::keyClick(picker, Qt::Key_Escape);
                } else {
                    auto* path = picker->findChild<QLineEdit*>(QStringLiteral("FolderPath"));
                    path->setText(typed);
                    QTest::keyClick(path, Qt::Key_Return);
                }
            }
    });
    const auto chosen = moravel::platform::dialogs().chooseDirectory(
        nullptr, QStringLiteral("ディレクトリ指定"), QString::fromLocal8Bit(argv[2]));
    std::printf("%s\n", chosen ? qPrintable(QStringLiteral("chosen ") + *chosen) : "cancelled");
    std::fflush(stdout);
    // A reading thread may still wait on the stalled volume: the process ends without the exit
    // handlers, whose leak check (in a sanitizer build) would stop every thread and wait for that one.
    std::_Exit(0);
}
