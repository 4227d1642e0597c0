#include "ArchiveFuzzEntry.h"

#include "archiwizator/Manifest.h"
#include "archiwizator/Restore.h"
#include "archiwizator/ZipFile.h"
#include "SheetSamples.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace {

using sheetsamples::ZipPart;

// Stored, so that mutations reach the list's text.
ZipPart stored(const QByteArray &name, const QByteArray &data, quint32 unixMode = 0100644)
{
    return ZipPart(name, data, false, -1, {}, unixMode);
}

QByteArray listOf(const QList<ZipPart> &files)
{
    backup::Manifest m;
    m.created = QDateTime(QDate(2026, 6, 20), QTime(9, 30));
    m.programDir = QStringLiteral("/home/szkola/Dyplom");
    for (const ZipPart &f : files)
        m.entries.append({QString::fromUtf8(f.name), f.data.size(),
                          QCryptographicHash::hash(f.data, QCryptographicHash::Sha256).toHex(),
                          QDateTime(QDate(2026, 6, 19), QTime(12, 0), Qt::UTC)});
    return backup::encodeManifest(m);
}

QByteArray copyOf(const QList<ZipPart> &files, const QList<ZipPart> &unlisted = {})
{
    return sheetsamples::zip(QList<ZipPart>{stored(backup::ManifestName.toUtf8(), listOf(files))} + files + unlisted);
}

// Files below root, as paths relative to it; directories included.
QStringList listing(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    return out;
}

bool restoredSafely(const QString &archive, const QString &sandbox)
{
    const QString programDir = sandbox + QStringLiteral("/Dyplom");
    QDir(programDir).removeRecursively();
    QDir().mkpath(programDir);
    try {
        backup::restoreBackup(archive, programDir, [](const backup::ConflictGroup &) { return true; });
    } catch (const backup::BackupError &) {}
    // Nothing beside the ProgramDir and the archive; inside, only the folders.
    for (const QString &p : listing(sandbox)) {
        if (p == QLatin1String("kopia.zip") || p == QLatin1String("Dyplom"))
            continue;
        if (!p.startsWith(QLatin1String("Dyplom/")))
            return false;
        const QString inside = p.mid(7);
        // A folder of the ProgramDir itself must be one of the five (no
        // staging folder left behind).
        const bool top = !inside.contains(QLatin1Char('/'));
        if (top ? !QFileInfo(sandbox + QLatin1Char('/') + p).isDir()
                      || !backup::isSafeEntryName(inside + QStringLiteral("/x"))
                : !backup::isSafeEntryName(inside))
            return false;
        if (QFileInfo(sandbox + QLatin1Char('/') + p).isSymLink())
            return false;
    }
    return true;
}

} // namespace

bool archiveFuzzOne(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return true;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.startsWith("PK")) {
        try {
            const backup::Manifest m = backup::decodeManifest(bytes, QStringLiteral("kopia.zip"));
            for (const backup::ManifestEntry &e : m.entries)
                if (!backup::isSafeEntryName(e.name))
                    return false;
        } catch (const backup::BackupError &e) {
            return !e.message().isEmpty();
        }
        return true;
    }
    static QTemporaryDir sandbox;
    const QString archive = sandbox.filePath(QStringLiteral("kopia.zip"));
    {
        QFile f(archive);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return true; // the machine, not the reader
    }
    try {
        const backup::ArchiveSummary s = backup::inspectArchive(archive);
        for (const backup::ManifestEntry &e : s.manifest.entries)
            if (!backup::isSafeEntryName(e.name))
                return false;
    } catch (const backup::BackupError &e) {
        return !e.message().isEmpty();
    }
    return restoredSafely(archive, sandbox.path());
}

std::vector<QByteArray> archiveSeeds()
{
    const QList<ZipPart> files = {stored("Dyplomy/uznanie.dyp", QByteArray(1064, 'a')),
                                  stored("Admini/historia.dat", "0000000012\r\n"),
                                  stored("Notatki/zebranie.txt", "Zebranie w piątek"),
                                  stored("Terminarz/a.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n")};
    std::vector<QByteArray> seeds = {
        copyOf(files),
        copyOf({files[0]}, {stored("Dyplomy/obcy.txt", "spoza spisu")}),
        copyOf({stored("Dyplomy/../../poza.txt", "x")}),
        copyOf({stored("/tmp/bezwzgledna.txt", "x")}),
        copyOf({stored("Dyplomy\\ukosnik.dyp", "x")}),
        copyOf({stored("Dyplomy/a.dyp", "duze"), stored("dyplomy/A.dyp", "male")}),
        copyOf({stored("Dyplomy/link", "/etc", 0120777), stored("Dyplomy/link/passwd", "x")}),
        copyOf({stored("Wzory/fifo", "", 010644)}),
        sheetsamples::zip({stored("Inny/folder/plik.txt", "archiwum innego programu")}),
        listOf(files),
    };
    seeds.push_back(copyOf(files).left(seeds.front().size() / 2));
    return seeds;
}
