#include "Contained.h"

#include "ImportError.h"

#include "platform/LimitedChild.h"

#include <QDataStream>
#include <QIODevice>
#include <csignal>
#include <new>
#include <sys/wait.h>

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

// What the child writes back.
QByteArray converted(const QString &path, const ImportOptions &options)
{
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
    return message;
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
    platform::ChildLimits childLimits;
    childLimits.cpuSeconds = limits.cpuSeconds;
#ifndef DYPLOM_NO_ADDRESS_LIMIT
    childLimits.memoryBytes = limits.memoryBytes;
#endif
    childLimits.wallSeconds = limits.wallSeconds;
    const platform::ChildEnd end = platform::runLimitedChild(childLimits, [&] { return converted(path, options); });
    if (!end.started)
        return importDesign(path, options);

    const QString memory =
        QStringLiteral("%1: przerwano: przekroczony limit pamięci (%2 MB)").arg(path).arg(limits.memoryBytes >> 20);
    if (end.late)
        throw ImportError(
            QStringLiteral("%1: przerwano: konwersja trwała dłużej niż %2 s").arg(path).arg(limits.wallSeconds));
    if (WIFSIGNALED(end.status)) {
        const int sig = WTERMSIG(end.status);
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
    QDataStream in(end.answer);
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
