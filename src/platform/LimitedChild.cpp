#include "LimitedChild.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// Address space already taken by the program (libraries, fonts, a
// sanitizer's shadow): the limit is on top of it, so that it means the same
// in every build.
rlim_t addressSpaceInUse()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return rlim_t(statm.readAll().split(' ').value(0).toULongLong()) * rlim_t(::sysconf(_SC_PAGESIZE));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

[[noreturn]] void child(int fd, const ChildLimits &limits, rlim_t inUse, const std::function<QByteArray()> &work)
{
    const rlimit cpu{rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds + 1)};
    ::setrlimit(RLIMIT_CPU, &cpu);
    if (limits.memoryBytes > 0 && inUse > 0) {
        const rlim_t space = inUse + rlim_t(limits.memoryBytes);
        const rlimit memory{space, space};
        ::setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit core{0, 0};
    ::setrlimit(RLIMIT_CORE, &core);
    QByteArray answer;
    try {
        answer = work();
    } catch (...) {
        // Never back into the caller's code: that is the parent's.
        ::_exit(1);
    }
    ::_exit(writeAll(fd, answer) ? 0 : 1);
}

qint64 msSince(const timespec &start)
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
}

} // namespace

ChildEnd runLimitedChild(const ChildLimits &limits, const std::function<QByteArray()> &work)
{
    ChildEnd end;
    const rlim_t inUse = addressSpaceInUse();
    int fds[2];
    if (::pipe(fds) != 0) {
        end.error = errno;
        return end;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        end.error = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return end;
    }
    if (pid == 0) {
        ::close(fds[0]);
        child(fds[1], limits, inUse, work);
    }
    ::close(fds[1]);
    end.started = true;

    // The answer is read while the child works (it may exceed a pipe's
    // buffer); past the wall-clock limit the child is stopped.
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    char buffer[65536];
    for (;;) {
        const qint64 leftMs = qint64(limits.wallSeconds) * 1000 - msSince(start);
        if (leftMs <= 0) {
            end.late = true;
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::min<qint64>(leftMs, 1000)));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        end.answer.append(buffer, n);
    }
    ::close(fds[0]);
    while (::waitpid(pid, &end.status, 0) < 0 && errno == EINTR) {}
    return end;
}

} // namespace platform
