// A copy of a ProgramDir with N diplomas and the shipped catalogue: written,
// flushed, read back and checked (what "Utwórz kopię" does), and restored
// into an empty ProgramDir (what "Przywróć" does).
#include "archiwizator/CreateBackup.h"
#include "archiwizator/Restore.h"
#include "companions/ArchiverConfig.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A ProgramDir like a school's after some years: n diplomas of 1064 bytes
// (texts, mostly zero padding, like the real records), the catalogue,
// the records.
void fillProgramDir(const QString &dir, int diplomas)
{
    for (const char *folder : {"Admini", "Dyplomy", "Notatki", "Terminarz", "Wzory"})
        QDir(dir).mkpath(folder);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir);
    companions::ZapiszKonfiguracjeArchiwizatora(dir);
    QDir::setCurrent(previous);
    QRandomGenerator random(1);
    for (int i = 0; i < diplomas; ++i) {
        QByteArray record(1064, '\0');
        for (int k = 0; k < 300; ++k)
            record[random.bounded(1064)] = static_cast<char>('a' + random.bounded(26));
        QFile f(QStringLiteral("%1/Dyplomy/dyplom_%2.dyp").arg(dir).arg(i, 4, 10, QLatin1Char('0')));
        if (f.open(QIODevice::WriteOnly))
            f.write(record);
    }
    const QString shipped = QStringLiteral(DYPLOM_SOURCE_DIR "/data/Wzory");
    for (const QString &name : QDir(shipped).entryList({QStringLiteral("*.wmf")}, QDir::Files))
        QFile::copy(shipped + QLatin1Char('/') + name, dir + QStringLiteral("/Wzory/") + name);
    QFile history(dir + QStringLiteral("/Admini/historia.dat"));
    if (history.open(QIODevice::WriteOnly))
        history.write(QByteArray(79, '\1'));
}

void BM_CopyAndVerify(benchmark::State &state)
{
    QTemporaryDir programDir;
    fillProgramDir(programDir.path(), static_cast<int>(state.range(0)));
    QDateTime when(QDate(2026, 12, 8), QTime(9, 0));
    qint64 archiveSize = 0;
    for (auto _ : state) {
        QTemporaryDir stick;
        backup::SourceConfig config = backup::readConfig(programDir.path());
        const backup::BackupResult r = backup::createBackup(config, stick.path(), when);
        archiveSize = QFileInfo(r.archivePath).size();
        state.counters["files"] = r.files;
        state.counters["bytes"] = static_cast<double>(r.bytes);
    }
    state.counters["zip_bytes"] = static_cast<double>(archiveSize);
}
BENCHMARK(BM_CopyAndVerify)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Restore(benchmark::State &state)
{
    QTemporaryDir programDir;
    fillProgramDir(programDir.path(), static_cast<int>(state.range(0)));
    QTemporaryDir stick;
    backup::SourceConfig config = backup::readConfig(programDir.path());
    const QString archive =
        backup::createBackup(config, stick.path(), QDateTime(QDate(2026, 12, 8), QTime(9, 0))).archivePath;
    for (auto _ : state) {
        QTemporaryDir target;
        backup::restoreBackup(archive, target.path(), {});
    }
}
BENCHMARK(BM_Restore)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
