#include "Contained.h"

#include "ImportError.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <new>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define DYPLOM_NO_ADDRESS_LIMIT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DYPLOM_NO_ADDRESS_LIMIT 1
#endif
#endif

namespace wzory {

namespace {

enum Outcome : qint32 { Done = 1, Refused = 2, OutOfMemory = 3 };

// Address space already taken by the program (libraries, fonts): the
// limit is on top of it, so that it means the same in every build.
qint64 addressSpaceNow()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE);
}

void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        at += n;
    }
}

[[noreturn]] void child(int fd, const QString &path, const ImportOptions &options, const ContainmentLimits &limits)
{
    rlimit cpu{rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds + 1)};
    ::setrlimit(RLIMIT_CPU, &cpu);
#ifndef DYPLOM_NO_ADDRESS_LIMIT
    const rlim_t space = rlim_t(addressSpaceNow() + limits.memoryBytes);
    rlimit as{space, space};
    ::setrlimit(RLIMIT_AS, &as);
#endif
    rlimit core{0, 0};
    ::setrlimit(RLIMIT_CORE, &core);
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    try {
        const ImportResult r = importDesign(path, options);
        out << qint32(Done) << r.metafile << qint32(r.kind) << qint32(r.stats.vectorRecords)
            << qint32(r.stats.bitmapRecords) << qint64(r.stats.bitmapPixels) << r.warnings;
    } catch (const ImportError &e) {
        out << qint32(Refused) << QString::fromUtf8(e.what());
    } catch (const std::bad_alloc &) {
        message.clear();
        QDataStream again(&message, QIODevice::WriteOnly);
        again << qint32(OutOfMemory);
    }
    writeAll(fd, message);
    ::close(fd);
    ::_exit(0);
}

} // namespace

const ContainmentLimits &defaultLimits()
{
    static const ContainmentLimits limits = [] {
        // An administrator may lower (or raise) them for a machine.
        ContainmentLimits l;
        bool ok = false;
        const int cpu = qEnvironmentVariableIntValue("DYPLOM_WZORY_CPU_S", &ok);
        if (ok && cpu >= 0)
            l.cpuSeconds = cpu;
        const int mb = qEnvironmentVariableIntValue("DYPLOM_WZORY_PAMIEC_MB", &ok);
        if (ok && mb > 0)
            l.memoryBytes = qint64(mb) << 20;
        return l;
    }();
    return limits;
}

ImportResult importContained(const QString &path, const ImportOptions &options, const ContainmentLimits &limits)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return importDesign(path, options);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return importDesign(path, options);
    }
    if (pid == 0) {
        ::close(fds[0]);
        child(fds[1], path, options, limits);
    }
    ::close(fds[1]);

    // The answer is read while the child works (it may exceed a pipe's
    // buffer); past the wall-clock limit the child is stopped.
    QByteArray answer;
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    bool late = false;
    char buffer[65536];
    for (;;) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const qint64 leftMs = qint64(limits.wallSeconds) * 1000 - (now.tv_sec - start.tv_sec) * 1000
                              - (now.tv_nsec - start.tv_nsec) / 1000000;
        if (leftMs <= 0) {
            late = true;
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
        answer.append(buffer, n);
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    const QString memory = QStringLiteral("%1: przerwano: przekroczony limit pamięci (%2 MB)").arg(path).arg(limits.memoryBytes >> 20);
    if (late)
        throw ImportError(QStringLiteral("%1: przerwano: konwersja trwała dłużej niż %2 s").arg(path).arg(limits.wallSeconds));
    if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        if (sig == SIGXCPU || sig == SIGKILL)
            throw ImportError(QStringLiteral("%1: przerwano: przekroczony limit czasu (%2 s pracy procesora)")
                                  .arg(path)
                                  .arg(limits.cpuSeconds));
        if (sig == SIGABRT || sig == SIGSEGV || sig == SIGBUS)
            // Allocation failures end this way in libraries that do not throw.
            throw ImportError(QStringLiteral("%1: przerwano: konwersja się nie powiodła (sygnał %2; plik uszkodzony "
                                             "albo przekroczony limit pamięci %3 MB)")
                                  .arg(path)
                                  .arg(sig)
                                  .arg(limits.memoryBytes >> 20));
        throw ImportError(QStringLiteral("%1: przerwano (sygnał %2)").arg(path).arg(sig));
    }
    QDataStream in(answer);
    qint32 outcome = 0;
    in >> outcome;
    if (outcome == OutOfMemory)
        throw ImportError(memory);
    if (outcome == Refused) {
        QString text;
        in >> text;
        throw ImportError(text);
    }
    if (outcome != Done)
        throw ImportError(QStringLiteral("%1: konwersja się nie powiodła (brak wyniku)").arg(path));
    ImportResult r;
    qint32 kind = 0, vector = 0, bitmaps = 0;
    qint64 pixels = 0;
    in >> r.metafile >> kind >> vector >> bitmaps >> pixels >> r.warnings;
    if (in.status() != QDataStream::Ok)
        throw ImportError(QStringLiteral("%1: konwersja się nie powiodła (niepełny wynik)").arg(path));
    r.kind = DesignKind(kind);
    r.stats.vectorRecords = vector;
    r.stats.bitmapRecords = bitmaps;
    r.stats.bitmapPixels = pixels;
    return r;
}

} // namespace wzory
