// A run of the command line stopped by Ctrl+Break, as a Windows console stops it.
#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <windows.h>

TEST(Stopping, ARunStoppedByCtrlBreakTakesAwayWhatItMade) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString big = tmp.filePath("big");
    moravel::tools::writeSampleCard(big, moravel::test::cardOptions(30, true));
    const QString out = tmp.filePath("out/csv");
    // The run shares this process's console, made now where the test was started without one.
    if (!GetConsoleWindow() && !AttachConsole(ATTACH_PARENT_PROCESS))
        AllocConsole();
    QProcess p;
    // A process group of its own, in this console: Ctrl+Break reaches the run and not the test.
    p.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->flags |= CREATE_NEW_PROCESS_GROUP;
        arguments->flags &= ~static_cast<DWORD>(CREATE_NO_WINDOW);
    });
    p.start(QStringLiteral(MORAVEL_CLI), {"csv", big, out, "--all"});
    ASSERT_TRUE(p.waitForStarted());
    for (int i = 0; i < 6000 && p.state() == QProcess::Running &&
                    QDir(out).entryList(QDir::Files | QDir::Hidden).size() < 4;
         ++i)
        p.waitForFinished(5);
    ASSERT_EQ(p.state(), QProcess::Running) << "the run ended before it could be stopped";
    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, static_cast<DWORD>(p.processId()))) {
        p.kill();
        p.waitForFinished(60000);
        GTEST_SKIP()
            << "the console delivers no Ctrl+Break to the run (GenerateConsoleCtrlEvent fails, error "
            << GetLastError() << "; so under Wine)";
    }
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 130);
    EXPECT_FALSE(QFileInfo::exists(out))
        << QDir(out).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out")));
}
