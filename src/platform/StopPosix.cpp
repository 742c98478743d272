#include "platform/Stop.h"

#include "platform/StopMarks.h"

#include <QFile>
#include <csignal>
#include <pthread.h>
#include <unistd.h>

namespace moravel::platform {

namespace {

stopmarks::Marks<char> g_marks;
pthread_t g_main; // the thread that makes and marks files

void onStop(int signal) {
    // The marks are taken away on the thread that makes files, so that no file is put in place
    // while they are; a signal that reached another thread is passed on to it.
    if (!pthread_equal(pthread_self(), g_main)) {
        pthread_kill(g_main, signal);
        return;
    }
    // Only what a signal handler may call: unlink, rmdir, _exit.
    g_marks.takeAway([](const char* path, bool directory) { directory ? ::rmdir(path) : ::unlink(path); });
    ::_exit(128 + signal);
}

} // namespace

int markForStop(const QString& path, bool directory) {
    const QByteArray name = QFile::encodeName(path);
    return g_marks.mark(std::string(name.constData(), static_cast<size_t>(name.size())), directory);
}

void unmarkForStop(int ticket) {
    g_marks.unmark(ticket);
}

void installStopHandlers() {
    g_main = pthread_self();
    g_marks.installed = true;
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&action.sa_mask, s);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &action, nullptr);
}

} // namespace moravel::platform
