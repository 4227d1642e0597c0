#pragma once
#include <QByteArray>

#include <functional>

namespace platform {

// How far work run in a child process may go before the kernel (or the
// parent) stops it.
struct ChildLimits {
    int cpuSeconds = 20;    // processor time: SIGXCPU, a second later SIGKILL
    qint64 memoryBytes = 0; // address space on top of what the program holds; 0: no limit
    int wallSeconds = 60;   // then the parent kills it (in case it waits instead of working)
};

struct ChildEnd {
    bool started = false; // false: no pipe or no fork, error holds errno
    int error = 0;
    QByteArray answer; // what the work returned, as far as it came through
    int status = 0;    // as waitpid gives it
    bool late = false; // killed at the wall-clock limit
};

// Runs work in a forked child under limits and returns what it wrote back.
// work runs in the child only: it must catch its own errors (an exception
// that escapes ends the child with status 1) and must not rely on threads.
ChildEnd runLimitedChild(const ChildLimits &limits, const std::function<QByteArray()> &work);

} // namespace platform
