#include "platform/Stop.h"

#include "platform/StopMarks.h"

#include <QDir>
#include <windows.h>

namespace moravel::platform {

namespace {

stopmarks::Marks<wchar_t> g_marks;

// Ctrl+C, Ctrl+Break and the console window closed: the marks are taken away, the last first, and
// the program ends with the status a POSIX shell reports for SIGINT (130) or SIGHUP (129).
BOOL WINAPI onStop(DWORD event) {
    g_marks.takeAway(
        [](const wchar_t* path, bool directory) { directory ? RemoveDirectoryW(path) : DeleteFileW(path); });
    ExitProcess(event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? 130 : 129);
    return TRUE;
}

} // namespace

int markForStop(const QString& path, bool directory) {
    return g_marks.mark(QDir::toNativeSeparators(path).toStdWString(), directory);
}

void unmarkForStop(int ticket) {
    g_marks.unmark(ticket);
}

void installStopHandlers() {
    g_marks.installed = true;
    SetConsoleCtrlHandler(onStop, TRUE);
}

} // namespace moravel::platform
