#include "CreateBackup.h"
#include "Destinations.h"
#include "Manifest.h"
#include "ZipFile.h"

#include "platform/SystemErrorText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

namespace backup {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Three phases weigh the same: reading the sources, writing, reading back.
struct PhasedProgress {
    const ProgressFn &report;
    qint64 total;
    bool step(int phase, qint64 done) const { return !report || report(phase * total + done, 3 * total); }
};

ManifestEntry describe(const SourceFile &file, const PhasedProgress &progress, qint64 &done)
{
    QFile in(file.path);
    if (!in.open(QIODevice::ReadOnly))
        throw BackupError(
            QStringLiteral("Nie można odczytać pliku %1: %2.").arg(shown(file.path), platform::systemErrorText(errno)));
    ManifestEntry e;
    e.name = file.name;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            throw BackupError(
                QStringLiteral("Nie można odczytać pliku %1: %2.").arg(shown(file.path), platform::systemErrorText(errno)));
        if (n == 0)
            break;
        hash.addData(QByteArrayView(buffer, n));
        e.size += n;
        done += n;
        if (!progress.step(0, done))
            throw Cancelled();
    }
    e.sha256 = hash.result().toHex();
    const QDateTime modified = QFileInfo(file.path).lastModified().toUTC();
    e.modified = modified.addMSecs(-modified.time().msec());
    return e;
}

struct WriteState {
    const PhasedProgress *progress;
    bool cancelled = false;
};

void onProgress(zip_t *, double fraction, void *state)
{
    auto *s = static_cast<WriteState *>(state);
    if (!s->progress->step(1, static_cast<qint64>(fraction * s->progress->total)))
        s->cancelled = true;
}

int onCancel(zip_t *, void *state)
{
    return static_cast<WriteState *>(state)->cancelled ? 1 : 0;
}

// The failure text for a write that did not complete.
QString writeFailure(int systemError, const QString &destination)
{
    if (systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG)
        return QStringLiteral("Brak miejsca na nośniku %1: kopia nie powstała (nie zostawiono niepełnego archiwum).")
            .arg(shown(destination));
    const QString why = systemError ? platform::systemErrorText(systemError) : QStringLiteral("błąd zapisu");
    return QStringLiteral("Zapis kopii w %1 nie powiódł się (%2): kopia nie powstała (nie zostawiono niepełnego "
                          "archiwum). Sprawdź, czy nośnik jest podłączony.")
        .arg(shown(destination), why);
}

// Removes the staged archive and whatever libzip left beside it.
void removeStaged(const QString &staged)
{
    const QFileInfo info(staged);
    QDir folder = info.dir();
    const QStringList leftovers = folder.entryList({info.fileName() + QStringLiteral("*")},
                                                   QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        QFile::remove(folder.filePath(name));
}

// Pushes the archive to the medium, so that a failing stick fails here, and
// drops it from the cache, so that the check reads what the medium holds.
void flushToMedium(const QString &staged, const QString &destination)
{
    const int fd = ::open(QFile::encodeName(staged).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw BackupError(writeFailure(errno, destination));
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        throw BackupError(writeFailure(err, destination));
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void writeZip(const QString &staged, const QList<SourceFile> &files, const Manifest &manifest,
              const PhasedProgress &progress, const QString &destination)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(staged).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const int err = zip_error_code_system(&error);
        zip_error_fini(&error);
        throw BackupError(writeFailure(err ? err : errno, destination));
    }
    const auto fail = [&](const QString &text) {
        zip_discard(archive);
        throw BackupError(text);
    };
    const QByteArray list = encodeManifest(manifest);
    // The list is copied into the source: libzip reads it at zip_close.
    zip_source_t *listSource = zip_source_buffer(archive, list.constData(), list.size(), 0);
    if (!listSource || zip_file_add(archive, ManifestName.toUtf8().constData(), listSource, ZIP_FL_ENC_UTF_8) < 0) {
        if (listSource)
            zip_source_free(listSource);
        fail(QStringLiteral("Nie można przygotować kopii: %1.").arg(archiveErrorText(archive)));
    }
    for (int i = 0; i < files.size(); ++i) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(files[i].path).constData(), 0, -1);
        zip_int64_t index = -1;
        if (source)
            index = zip_file_add(archive, files[i].name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            if (source)
                zip_source_free(source);
            fail(QStringLiteral("Nie można dodać pliku %1 do kopii: %2.")
                     .arg(shown(files[i].path), archiveErrorText(archive)));
        }
        zip_file_set_mtime(archive, index, static_cast<time_t>(manifest.entries[i].modified.toSecsSinceEpoch()), 0);
    }
    WriteState state{&progress};
    zip_register_progress_callback_with_state(archive, 0.001, onProgress, nullptr, &state);
    zip_register_cancel_callback_with_state(archive, onCancel, nullptr, &state);
    if (zip_close(archive) != 0) {
        zip_error_t *error = zip_get_error(archive);
        const int zipCode = zip_error_code_zip(error);
        const int err = zip_error_code_system(error);
        zip_discard(archive);
        if (zipCode == ZIP_ER_CANCELLED || state.cancelled)
            throw Cancelled();
        if (zipCode == ZIP_ER_READ)
            throw BackupError(QStringLiteral("Nie można odczytać jednego z plików programu (%1): kopia nie powstała.")
                                  .arg(platform::systemErrorText(err)));
        throw BackupError(writeFailure(err, destination));
    }
}

void checkStillMounted(const QString &destination, qint64 expectedDevice)
{
    if (expectedDevice >= 0 && deviceOf(destination) != expectedDevice)
        throw BackupError(QStringLiteral("Nośnik %1 został odłączony lub zamieniony: kopia nie powstała (nie zapisano "
                                         "jej na dysku komputera). Podłącz nośnik, kliknij „Odśwież” i spróbuj ponownie.")
                              .arg(shown(destination)));
}

} // namespace

QString archiveFileName(const QDateTime &when)
{
    return QStringLiteral("kopia-dyplomy-%1.zip").arg(when.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

BackupResult createBackup(SourceConfig &config, const QString &destinationFolder, const QDateTime &when,
                          const ProgressFn &progress, qint64 expectedDevice)
{
    const QFileInfo destination(destinationFolder);
    if (!destination.isDir())
        throw BackupError(
            QStringLiteral("Folder docelowy %1 nie istnieje (czy nośnik jest podłączony?).").arg(shown(destinationFolder)));
    // A copy inside a protected folder would be copied again by the next one.
    const QString target = destination.canonicalFilePath();
    for (const SourceFolder &f : config.folders) {
        const QString protectedRoot = QFileInfo(f.path).canonicalFilePath();
        if (!protectedRoot.isEmpty() && (target == protectedRoot || target.startsWith(protectedRoot + QLatin1Char('/'))))
            throw BackupError(QStringLiteral("Folder %1 należy do chronionego folderu %2: kopia w nim trafiałaby do "
                                             "każdej następnej kopii. Wybierz pendrive albo folder spoza folderu programu.")
                                  .arg(shown(destinationFolder), f.name));
    }
    const QList<SourceFile> files = collectFiles(config);
    if (!config.undecodableNames.isEmpty())
        throw BackupError(QStringLiteral("Nazwy tych plików nie są zapisane w UTF-8 (np. skopiowano je ze starego dysku "
                                         "Windows), więc kopia nie mogłaby ich wiernie odtworzyć:\n%1\n\nZmień ich "
                                         "nazwy (np. w menedżerze plików) i utwórz kopię ponownie. Kopia nie powstała.")
                              .arg(config.undecodableNames.join(QLatin1Char('\n'))));
    qint64 total = 0;
    for (const SourceFile &f : files)
        total += f.size;
    PhasedProgress phased{progress, std::max<qint64>(total, 1)};

    Manifest manifest;
    manifest.created = when;
    manifest.programDir = config.programDir;
    qint64 done = 0;
    for (const SourceFile &f : files)
        manifest.entries.append(describe(f, phased, done));

    const QDir folder(destination.absoluteFilePath());
    QString finalName = archiveFileName(when);
    for (int n = 2; folder.exists(finalName); ++n)
        finalName = archiveFileName(when).chopped(4) + QStringLiteral("-%1.zip").arg(n);
    const QString finalPath = folder.filePath(finalName);
    const QString staged = folder.filePath(QLatin1Char('.') + finalName + QStringLiteral(".czesc"));
    checkStillMounted(destinationFolder, expectedDevice);
    removeStaged(staged);
    try {
        writeZip(staged, files, manifest, phased, destinationFolder);
        flushToMedium(staged, destinationFolder);
        const ZipReader reader(staged);
        const Manifest stored = reader.manifest();
        if (stored.entries.size() != manifest.entries.size())
            throw BackupError(QStringLiteral("Kopia w %1 jest niepełna.").arg(shown(destinationFolder)));
        verifyArchive(reader, manifest, [&](qint64 d, qint64) { return phased.step(2, d); });
        checkStillMounted(destinationFolder, expectedDevice);
    } catch (...) {
        removeStaged(staged);
        throw;
    }
    if (::rename(QFile::encodeName(staged).constData(), QFile::encodeName(finalPath).constData()) != 0) {
        const int err = errno;
        removeStaged(staged);
        throw BackupError(writeFailure(err, destinationFolder));
    }
    syncFolder(folder.absolutePath());
    return {finalPath, static_cast<int>(files.size()), total, config.skippedLinks, config.unreadableFiles};
}

} // namespace backup
