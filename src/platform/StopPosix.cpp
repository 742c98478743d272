#include "platform/Stop.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace moravel::platform {

namespace {

struct Mark {
    std::atomic<char*> path{nullptr};
    bool directory = false;
};

constexpr int Capacity = 16384;
Mark g_marks[Capacity];
std::atomic<int> g_used{0}; // marks handed out so far; a freed one is not used again
bool g_installed = false;   // nothing is marked where no handler would read the marks
pthread_t g_main;           // the thread that makes and marks files

void onStop(int signal) {
    // The marks are taken away on the thread that makes files, so that no file is put in place
    // while they are; a signal that reached another thread is passed on to it.
    if (!pthread_equal(pthread_self(), g_main)) {
        pthread_kill(g_main, signal);
        return;
    }
    // Only what a signal handler may call: unlink, rmdir, _exit.
    for (int i = std::min(g_used.load(), Capacity) - 1; i >= 0; --i) {
        const char* path = g_marks[i].path.load();
        if (!path)
            continue;
        if (g_marks[i].directory)
            ::rmdir(path);
        else
            ::unlink(path);
    }
    ::_exit(128 + signal);
}

} // namespace

int markForStop(const QString& path, bool directory) {
    if (!g_installed)
        return -1;
    const QByteArray name = QFile::encodeName(path);
    char* copy = static_cast<char*>(std::malloc(static_cast<size_t>(name.size()) + 1));
    if (!copy)
        return -1;
    std::memcpy(copy, name.constData(), static_cast<size_t>(name.size()) + 1);
    // The conversion writes on more than one thread: each mark takes a slot of its own.
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
    g_main = pthread_self();
    g_installed = true;
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&action.sa_mask, s);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &action, nullptr);
}

} // namespace moravel::platform
