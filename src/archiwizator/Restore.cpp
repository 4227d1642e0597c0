#include "Restore.h"
#include "SourceFolders.h"
#include "ZipFile.h"

#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "platform/RecordFile.h"
#include "platform/SystemErrorText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace backup {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The hidden folder extraction goes to; removed with everything in it.
class StagingFolder {
public:
    explicit StagingFolder(const QString &programDir)
    {
        QByteArray pattern = QFile::encodeName(programDir + QStringLiteral("/.przywracanie-XXXXXX"));
        if (!::mkdtemp(pattern.data()))
            throw BackupError(QStringLiteral("Nie można utworzyć folderu roboczego w %1: %2.")
                                  .arg(shown(programDir), platform::systemErrorText(errno)));
        path_ = QFile::decodeName(pattern);
    }
    ~StagingFolder() { QDir(path_).removeRecursively(); }
    QString file(int index) const { return path_ + QStringLiteral("/%1").arg(index); }

private:
    QString path_;
};

void extract(const ZipReader &reader, const ManifestEntry &entry, const QString &to, const QString &programDir,
             qint64 &done, qint64 total, const ProgressFn &progress)
{
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        throw BackupError(QStringLiteral("Nie można zapisać w folderze %1: %2.")
                              .arg(shown(programDir), platform::systemErrorText(errno)));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 size = 0;
    reader.stream(entry.name, [&](const char *data, qint64 n) {
        // A directory may under-report: never write more than the list says.
        if (size + n > entry.size)
            throw BackupError(QStringLiteral("Plik %1 w archiwum %2 jest większy, niż podaje spis kopii (archiwum "
                                             "uszkodzone lub podrobione): nic nie zostało zmienione.")
                                  .arg(entry.name, shown(reader.path())));
        if (out.write(data, n) != n)
            throw BackupError(QStringLiteral("Brak miejsca w folderze %1 na przywracane pliki: nic nie zostało zmienione.")
                                  .arg(shown(programDir)));
        hash.addData(QByteArrayView(data, n));
        size += n;
        done += n;
        if (progress && !progress(done, total))
            throw Cancelled();
    });
    if (!out.flush() || (out.close(), out.error() != QFileDevice::NoError))
        throw BackupError(QStringLiteral("Brak miejsca w folderze %1 na przywracane pliki: nic nie zostało zmienione.")
                              .arg(shown(programDir)));
    if (size != entry.size || hash.result().toHex() != entry.sha256)
        throw BackupError(QStringLiteral("Plik %1 w archiwum %2 różni się od spisu kopii (archiwum uszkodzone): nic nie "
                                         "zostało zmienione.")
                              .arg(entry.name, shown(reader.path())));
}

QByteArray sha256Of(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&in);
    return hash.result().toHex();
}

void setModified(const QString &path, const QDateTime &modified)
{
    if (!modified.isValid())
        return;
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(modified.toSecsSinceEpoch()), 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// Moves the checked file into place; across file systems (a Dyplomy link to
// another disk) and onto links it is written through the record writer.
void place(const QString &staged, const QString &target, const QString &name)
{
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        throw BackupError(QStringLiteral("Nie można utworzyć folderu dla pliku %1.").arg(name));
    if (!QFileInfo(target).isSymLink()
        && ::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData()) == 0)
        return;
    QFile in(staged);
    if (!in.open(QIODevice::ReadOnly))
        throw BackupError(
            QStringLiteral("Nie można przywrócić pliku %1: %2.").arg(name, platform::systemErrorText(errno)));
    try {
        platform::writeRecordFile(target, in.readAll());
    } catch (const platform::IoError &error) {
        throw BackupError(
            QStringLiteral("Nie można przywrócić pliku %1: %2.").arg(name, platform::ioErrorText(error.code())));
    }
}

// Refuses, before anything is written, an archive whose names cannot all be
// placed: a name that is a file and a folder at once, or a folder on the way
// that is a file here, or a link (only the protected folder itself may be a
// link, the per-user Dyplomy one; a link below it could lead anywhere).
void checkTree(const QList<ManifestEntry> &entries, const QString &programDir, const QString &archivePath)
{
    QSet<QString> names;
    for (const ManifestEntry &e : entries)
        names.insert(e.name.toLower());
    for (const ManifestEntry &e : entries) {
        const QStringList parts = e.name.split(QLatin1Char('/'));
        for (int n = 1; n < parts.size(); ++n) {
            const QString folder = parts.mid(0, n).join(QLatin1Char('/'));
            if (names.contains(folder.toLower()))
                throw BackupError(QStringLiteral("Archiwum %1 zawiera plik %2 i zarazem folder o tej nazwie (%3): nic "
                                                 "nie zostało zmienione.")
                                      .arg(shown(archivePath), folder, e.name));
            const QFileInfo here(platform::resolveDataPath(programDir, folder));
            if ((n > 1 && here.isSymLink()) || (here.exists() && !here.isDir()))
                throw BackupError(QStringLiteral("Nie można przywrócić pliku %1: %2 w folderze programu nie jest "
                                                 "zwykłym folderem. Nic nie zostało zmienione.")
                                      .arg(e.name, folder));
        }
    }
}

} // namespace

QString ConflictGroup::question() const
{
    const QString why = kind == NewerHere
                            ? QStringLiteral("W folderze %1 są pliki nowsze niż w kopii:").arg(folder)
                            : QStringLiteral("W folderze %1 są pliki zmienione od czasu kopii:").arg(folder);
    QStringList shownFiles = files.mid(0, 20);
    if (files.size() > 20)
        shownFiles << QStringLiteral("… i %1 innych").arg(files.size() - 20);
    return why + QStringLiteral("\n\n") + shownFiles.join(QLatin1Char('\n'))
           + QStringLiteral("\n\nZastąpić je wersjami z kopii? (Nie: zostają obecne wersje.)");
}

ArchiveSummary inspectArchive(const QString &archivePath)
{
    const ZipReader reader(archivePath);
    return {archivePath, reader.manifest()};
}

RestoreResult restoreBackup(const QString &archivePath, const QString &programDir, const ConfirmGroup &confirm,
                            const ProgressFn &progress)
{
    const ZipReader reader(archivePath);
    const Manifest manifest = reader.manifest();
    QSet<QString> listed{ManifestName};
    for (const ManifestEntry &e : manifest.entries)
        listed.insert(e.name);
    for (const QString &name : reader.names()) {
        if (!listed.contains(name))
            throw BackupError(QStringLiteral("Archiwum %1 zawiera plik %2 spoza spisu kopii: nic nie zostało zmienione.")
                                  .arg(shown(archivePath), name));
    }

    checkDeclaredSizes(reader, manifest);
    checkTree(manifest.entries, programDir, archivePath);
    const qint64 total = manifest.totalBytes();
    const QStorageInfo volume(programDir);
    if (volume.isValid() && volume.bytesAvailable() >= 0 && volume.bytesAvailable() < total)
        throw BackupError(QStringLiteral("Brak miejsca w folderze %1 na przywracane pliki (potrzeba %2 bajtów): nic nie "
                                         "zostało zmienione.")
                              .arg(shown(programDir))
                              .arg(total));

    // Everything is extracted and checked before the ProgramDir changes.
    const StagingFolder staging(programDir);
    qint64 done = 0;
    for (int i = 0; i < manifest.entries.size(); ++i)
        extract(reader, manifest.entries[i], staging.file(i), programDir, done, total, progress);

    RestoreResult result;
    QList<int> restorable;
    for (int i = 0; i < manifest.entries.size(); ++i) {
        // The register records what happened here; a copy must not forge it.
        if (isRegisterFile(manifest.entries[i].name))
            result.skippedFiles << manifest.entries[i].name;
        else
            restorable << i;
    }
    QList<int> toPlace;
    QMap<QPair<int, QString>, ConflictGroup> groups;
    QMap<QPair<int, QString>, QList<int>> groupMembers;
    QMap<int, QString> targets;
    for (int i : restorable) {
        const ManifestEntry &e = manifest.entries[i];
        const QString target = platform::resolveDataPath(programDir, e.name);
        targets[i] = target;
        const QFileInfo here(target);
        if (!here.exists() && !here.isSymLink()) {
            toPlace << i;
            continue;
        }
        if (here.isFile() && here.size() == e.size && sha256Of(target) == e.sha256) {
            ++result.unchanged;
            continue;
        }
        const ConflictGroup::Kind kind = here.isFile() && here.lastModified().toUTC() > e.modified
                                             ? ConflictGroup::NewerHere
                                             : ConflictGroup::ChangedHere;
        const QString folder = e.name.section(QLatin1Char('/'), 0, 0);
        const QPair<int, QString> key{kind, folder};
        groups[key].kind = kind;
        groups[key].folder = folder;
        groups[key].files << e.name;
        groupMembers[key] << i;
    }
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const bool replace = confirm && confirm(it.value());
        for (int i : groupMembers[it.key()]) {
            // A link here is kept: writing through it would reach outside.
            const QFileInfo here(targets[i]);
            if (replace && here.isFile() && !here.isSymLink()) {
                toPlace << i;
                result.replacedFiles << manifest.entries[i].name;
            } else {
                ++result.kept;
                result.keptFiles << manifest.entries[i].name;
            }
        }
    }
    std::sort(toPlace.begin(), toPlace.end());
    for (int i : toPlace) {
        place(staging.file(i), targets[i], manifest.entries[i].name);
        setModified(targets[i], manifest.entries[i].modified);
        ++result.restored;
    }
    return result;
}

} // namespace backup
