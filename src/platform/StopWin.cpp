#include "platform/Stop.h"

#include <QDir>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace moravel::platform {

namespace {

struct Mark {
    std::atomic<wchar_t*> path{nullptr};
    bool directory = false;
};

constexpr int Capacity = 16384;
Mark g_marks[Capacity];
std::atomic<int> g_used{0}; // marks handed out so far; a freed one is not used again
bool g_installed = false;

// Ctrl+C, Ctrl+Break and the console window closed: the marks are taken away, the last first, and
// the program ends with the status a POSIX shell reports for SIGINT (130) or SIGHUP (129).
BOOL WINAPI onStop(DWORD event) {
    for (int i = std::min(g_used.load(), Capacity) - 1; i >= 0; --i) {
        const wchar_t* path = g_marks[i].path.load();
        if (!path)
            continue;
        if (g_marks[i].directory)
            RemoveDirectoryW(path);
        else
            DeleteFileW(path);
    }
    ExitProcess(event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? 130 : 129);
    return TRUE;
}

} // namespace

int markForStop(const QString& path, bool directory) {
    if (!g_installed)
        return -1;
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    auto* copy = static_cast<wchar_t*>(std::malloc((name.size() + 1) * sizeof(wchar_t)));
    if (!copy)
        return -1;
    std::memcpy(copy, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    const int ticket = g_used.fetch_add(1);
    if (ticket >= Capacity) {
        std::free(copy);
        return -1;
    }
    g_marks[ticket].directory = directory;
    g_marks[ticket].path.store(copy);
    return ticket;
}

void unmarkForStop(int ticket) {
    if (ticket < 0 || ticket >= Capacity)
        return;
    std::free(g_marks[ticket].path.exchange(nullptr));
}

void installStopHandlers() {
    g_installed = true;
    SetConsoleCtrlHandler(onStop, TRUE);
}

} // namespace moravel::platform
