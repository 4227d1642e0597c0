#include "ArchiveFuzzEntry.h"

#include "archiwizator/Manifest.h"
#include "archiwizator/Restore.h"
#include "archiwizator/ZipFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <zlib.h>

namespace {

struct Entry {
    QByteArray name;
    QByteArray data;
    quint32 unixMode = 0100644;
};

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A ZIP of stored entries, as small as the format allows.
QByteArray storedZip(const std::vector<Entry> &entries)
{
    QByteArray out, central;
    for (const Entry &e : entries) {
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(e.data.constData()), uInt(e.data.size())));
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        for (quint16 v : {quint16(20), quint16(0), quint16(0), quint16(0), quint16(0x21)})
            put16(out, v);
        put32(out, crc);
        put32(out, quint32(e.data.size()));
        put32(out, quint32(e.data.size()));
        put16(out, quint16(e.name.size()));
        put16(out, 0);
        out += e.name + e.data;
        put32(central, 0x02014b50);
        for (quint16 v : {quint16(0x031E), quint16(20), quint16(0), quint16(0), quint16(0), quint16(0x21)})
            put16(central, v);
        put32(central, crc);
        put32(central, quint32(e.data.size()));
        put32(central, quint32(e.data.size()));
        put16(central, quint16(e.name.size()));
        for (int i = 0; i < 4; ++i)
            put16(central, 0);
        put32(central, e.unixMode << 16);
        put32(central, offset);
        central += e.name;
    }
    const quint32 at = quint32(out.size());
    out += central;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(entries.size()));
    put16(out, quint16(entries.size()));
    put32(out, quint32(central.size()));
    put32(out, at);
    put16(out, 0);
    return out;
}

QByteArray listOf(const std::vector<Entry> &files)
{
    backup::Manifest m;
    m.created = QDateTime(QDate(2026, 6, 20), QTime(9, 30));
    m.programDir = QStringLiteral("/home/szkola/Dyplom");
    for (const Entry &f : files)
        m.entries.append({QString::fromUtf8(f.name), f.data.size(),
                          QCryptographicHash::hash(f.data, QCryptographicHash::Sha256).toHex(),
                          QDateTime(QDate(2026, 6, 19), QTime(12, 0), Qt::UTC)});
    return backup::encodeManifest(m);
}

QByteArray copyOf(std::vector<Entry> files, const std::vector<Entry> &unlisted = {})
{
    std::vector<Entry> all{{backup::ManifestName.toUtf8(), listOf(files)}};
    all.insert(all.end(), files.begin(), files.end());
    all.insert(all.end(), unlisted.begin(), unlisted.end());
    return storedZip(all);
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
    const std::vector<Entry> files = {{"Dyplomy/uznanie.dyp", QByteArray(1064, 'a')},
                                      {"Admini/historia.dat", QByteArray("0000000012\r\n")},
                                      {"Notatki/zebranie.txt", QByteArray("Zebranie w piątek")},
                                      {"Terminarz/a.ics", QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n")}};
    std::vector<QByteArray> seeds = {
        copyOf(files),
        copyOf({files[0]}, {{"Dyplomy/obcy.txt", "spoza spisu"}}),
        copyOf({{"Dyplomy/../../poza.txt", "x"}}),
        copyOf({{"/tmp/bezwzgledna.txt", "x"}}),
        copyOf({{"Dyplomy\\ukosnik.dyp", "x"}}),
        copyOf({{"Dyplomy/a.dyp", "duze"}, {"dyplomy/A.dyp", "male"}}),
        copyOf({{"Dyplomy/link", "/etc", 0120777}, {"Dyplomy/link/passwd", "x"}}),
        copyOf({{"Wzory/fifo", "", 010644}}),
        storedZip({{"Inny/folder/plik.txt", "archiwum innego programu"}}),
        listOf(files),
    };
    seeds.push_back(copyOf(files).left(seeds.front().size() / 2));
    return seeds;
}
