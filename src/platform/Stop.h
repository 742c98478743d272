#pragma once

#include <QString>

namespace moravel::platform {

// What a run has made that must go should it be stopped by SIGINT, SIGTERM or SIGHUP: files being
// written beside their targets, and the files and directories a command line run made. The marks
// live in memory that a signal handler may read.

// Marks a path; returns a ticket for unmarkForStop, or -1 where the marks are full (the path then
// stays, as before).
int markForStop(const QString& path, bool directory);
void unmarkForStop(int ticket);

// From now on SIGINT, SIGTERM and SIGHUP take every marked path away, the last marked first (files
// are removed, directories only when empty), and end the program with status 128 + the signal.
void installStopHandlers();

} // namespace moravel::platform
