#include "TemplateUpdate.h"

#include "DataPath.h"
#include "IoError.h"
#include "RecordBytes.h"
#include "RecordFile.h"
#include "TemplateFiles.h"
#include "platform/VersionCode.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>
#include <algorithm>
#include <unistd.h>

namespace platform {

const QString ShippedManifest = QStringLiteral("wzory-wydane.sha256");
const QString UserRecord = QStringLiteral("Admini/wzory.txt");
const QString LayoutTable = QStringLiteral("wzory-uklady.json");

namespace {

const QString ShippedWord = QStringLiteral("dolaczony");
const QString SchoolWord = QStringLiteral("szkola");
const QString LayoutWord = QStringLiteral("uklady");
constexpr int MaxNumber = 9999;
constexpr int VersionRecordSize = 11; // wer.dat: one short string of 10

struct Entry {
    TemplateOrigin origin = TemplateOrigin::Shipped;
    int id = 0;     // the number in the shipped or school folder
    int number = 0; // the number in this user's folder
    QString hash;   // of what was last put there; "-" when the user's change came first
};

struct Record {
    QString version;
    QString layoutHash; // of the table last written to the folder
    QList<Entry> entries;
    bool found = false;
};

struct Manifest {
    QMap<int, QSet<QString>> hashes; // number -> every version's hash
    QMap<int, qint64> firstVersion;  // number -> code of the first version shipping it
};

QString numberText(int n)
{
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

QString hashOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

bool readAll(const QString &path, QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// BDR_nnnn.wmf files of a folder by number, in any letter case.
QMap<int, QString> templateFiles(const QString &folder)
{
    QMap<int, QString> files;
    for (const TemplateFile &t : templateFilesIn(folder))
        if (t.number > 0 && t.number <= MaxNumber && !files.contains(t.number))
            files.insert(t.number, t.path);
    return files;
}

Manifest readManifest(const QString &shipped)
{
    Manifest manifest;
    QFile f(shipped + QLatin1Char('/') + ShippedManifest);
    if (shipped.isEmpty() || !f.open(QIODevice::ReadOnly | QIODevice::Text))
        return manifest;
    while (!f.atEnd()) {
        const QStringList parts = QString::fromUtf8(f.readLine()).simplified().split(QLatin1Char(' '));
        if (parts.size() < 2 || parts[0].startsWith(QLatin1Char('#')))
            continue;
        const int n = parts[0].toInt();
        manifest.hashes[n].insert(parts[1].toLower());
        const qint64 code = parts.value(2).toLongLong();
        if (code > 0 && (!manifest.firstVersion.contains(n) || code < manifest.firstVersion[n]))
            manifest.firstVersion[n] = code;
    }
    return manifest;
}

Record readRecord(const QString &dir)
{
    Record record;
    QFile f(resolveDataPath(dir, UserRecord));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return record;
    record.found = true;
    while (!f.atEnd()) {
        const QStringList parts = QString::fromUtf8(f.readLine()).simplified().split(QLatin1Char(' '));
        if (parts.size() == 2 && parts[0] == QLatin1String("wersja")) {
            record.version = parts[1];
        } else if (parts.size() == 2 && parts[0] == LayoutWord) {
            record.layoutHash = parts[1];
        } else if (parts.size() == 4 && (parts[0] == ShippedWord || parts[0] == SchoolWord)) {
            const Entry e{parts[0] == ShippedWord ? TemplateOrigin::Shipped : TemplateOrigin::School, parts[1].toInt(),
                          parts[2].toInt(), parts[3]};
            if (e.id > 0 && e.number > 0 && e.number <= MaxNumber)
                record.entries << e;
        }
    }
    return record;
}

void writeRecord(const QString &dir, const Record &record, QStringList &problems)
{
    QByteArray text = "# Skąd są wzory tego folderu (zapisuje go program).\n";
    text += "wersja " + record.version.toUtf8() + '\n';
    if (!record.layoutHash.isEmpty())
        text += LayoutWord.toUtf8() + ' ' + record.layoutHash.toUtf8() + '\n';
    for (const Entry &e : record.entries)
        text += QStringLiteral("%1 %2 %3 %4\n")
                    .arg(e.origin == TemplateOrigin::Shipped ? ShippedWord : SchoolWord, numberText(e.id),
                         numberText(e.number), e.hash)
                    .toUtf8();
    const QString path = resolveDataPath(dir, UserRecord);
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit())
        problems << QStringLiteral("nie można zapisać %1").arg(path);
}

// A new template appears whole and only where no file is: written beside
// it, then hard-linked into place.
bool placeNew(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return false;
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    return ::link(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) == 0;
}

bool replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

int lowestFree(const QMap<int, QString> &local)
{
    for (int n = 1; n <= MaxNumber; ++n)
        if (!local.contains(n))
            return n;
    return 0;
}

QString versionIn(const QString &werDat)
{
    try {
        return getShortString(readFirstRecord(werDat, VersionRecordSize), 0, VersionRecordSize - 1);
    } catch (const IoError &) {
        return QString();
    }
}

// A folder from before the record: a file holding a shipped version is that
// template; a changed one at a number shipped to this user is the user's
// change of it; anything else is the user's own.
void inferRecord(Record &record, const QMap<int, QString> &local, const QMap<int, QString> &shippedFiles,
                 const Manifest &manifest, const QString &userVersion)
{
    const qint64 userCode = userVersion.toLongLong();
    for (auto it = shippedFiles.cbegin(); it != shippedFiles.cend(); ++it) {
        const int n = it.key();
        QByteArray bytes;
        if (!local.contains(n) || !readAll(local[n], bytes))
            continue;
        const QString hash = hashOf(bytes);
        if (manifest.hashes.value(n).contains(hash))
            record.entries << Entry{TemplateOrigin::Shipped, n, n, hash};
        else if (userCode == 0 || manifest.firstVersion.value(n, 0) <= userCode)
            record.entries << Entry{TemplateOrigin::Shipped, n, n, QStringLiteral("-")};
    }
}

// The shipped table with the user's numbers; empty when it is unreadable.
QByteArray mappedLayoutTable(const QByteArray &shippedTable, const QMap<int, int> &userNumber)
{
    const QJsonDocument doc = QJsonDocument::fromJson(shippedTable);
    if (!doc.isObject())
        return {};
    QByteArray out = "{\"format\": " + QByteArray::number(doc.object().value(QStringLiteral("format")).toInt())
                     + ", \"designs\": [\n";
    QList<QByteArray> lines;
    const QJsonArray designs = doc.object().value(QStringLiteral("designs")).toArray();
    for (const auto &v : designs) {
        QJsonObject o = v.toObject();
        const int number = userNumber.value(o.value(QStringLiteral("number")).toInt());
        if (number <= 0)
            continue;
        o.insert(QStringLiteral("number"), number);
        o.insert(QStringLiteral("file"), QStringLiteral("BDR_%1.wmf").arg(numberText(number)));
        lines << QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    return out + lines.join(",\n") + (lines.isEmpty() ? "" : "\n") + "]}\n";
}

// A name beside path for a copy of it, not yet taken.
QString backupName(const QString &path)
{
    const QString base = path.chopped(int(QStringLiteral(".json").size())) + QStringLiteral("-kopia");
    QString name = base + QStringLiteral(".json");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QStringLiteral("-%1.json").arg(n);
    return name;
}

void updateLayoutTable(const QString &dir, const QString &shipped, Record &record, QStringList &problems)
{
    QByteArray shippedTable;
    if (shipped.isEmpty() || !readAll(resolveDataPath(shipped, LayoutTable), shippedTable))
        return; // nothing shipped: the folder's table stays as it is
    QMap<int, int> userNumber;
    for (const Entry &e : record.entries)
        if (e.origin == TemplateOrigin::Shipped)
            userNumber.insert(e.id, e.number);
    const QByteArray table = mappedLayoutTable(shippedTable, userNumber);
    if (table.isEmpty()) {
        problems << QStringLiteral("uszkodzona tabela układów %1").arg(resolveDataPath(shipped, LayoutTable));
        return;
    }
    const QString target = resolveDataPath(dir, LayoutTable);
    const QString hash = hashOf(table);
    QByteArray current;
    const bool present = readAll(target, current);
    if (present && current == table) {
        record.layoutHash = hash;
        return;
    }
    // Anything but what was shipped or written here before is kept aside.
    const QString currentHash = hashOf(current);
    if (present && currentHash != record.layoutHash && currentHash != hashOf(shippedTable)) {
        const QString backup = backupName(target);
        if (!QFile::copy(target, backup)) {
            problems << QStringLiteral("nie można zachować %1 jako %2; tabela układów nie została uaktualniona")
                            .arg(target, backup);
            return;
        }
    }
    if (!replace(target, table)) {
        problems << QStringLiteral("nie można zapisać %1").arg(target);
        return;
    }
    record.layoutHash = hash;
}

} // namespace

QString buildVersionCode()
{
    return QStringLiteral(DYPLOM_VERSION_CODE);
}

QString shippedVersionCode(const QString &shipped)
{
    const QString code = shipped.isEmpty() ? QString()
                                           : versionIn(resolveDataPath(shipped, QStringLiteral("Admini/wer.dat")));
    return code.isEmpty() ? buildVersionCode() : code;
}

QStringList updateTemplates(const QString &dir, const QString &shipped, const QString &school)
{
    QStringList problems;
    const QString folder = resolveDataPath(dir, QStringLiteral("Wzory"));
    if (!QDir().mkpath(folder))
        return {QStringLiteral("nie można utworzyć folderu %1").arg(folder)};
    const QMap<int, QString> shippedFiles = shipped.isEmpty()
                                                ? QMap<int, QString>()
                                                : templateFiles(resolveDataPath(shipped, QStringLiteral("Wzory")));
    const QMap<int, QString> schoolFiles = school.isEmpty()
                                               ? QMap<int, QString>()
                                               : templateFiles(resolveDataPath(school, QStringLiteral("Wzory")));
    const Manifest manifest = readManifest(shipped);
    QMap<int, QString> local = templateFiles(folder);
    const QString werDat = resolveDataPath(dir, QStringLiteral("Admini/wer.dat"));

    Record record = readRecord(dir);
    if (!record.found)
        inferRecord(record, local, shippedFiles, manifest, versionIn(werDat));

    auto source = [&](const Entry &e) {
        return (e.origin == TemplateOrigin::Shipped ? shippedFiles : schoolFiles).value(e.id);
    };
    auto place = [&](Entry &e, const QString &from) {
        QByteArray bytes;
        if (!readAll(from, bytes)) {
            problems << QStringLiteral("nie można odczytać %1").arg(from);
            return false;
        }
        const QString hash = hashOf(bytes);
        const QString target = local.value(e.number, folder + QStringLiteral("/BDR_") + numberText(e.number)
                                                         + QStringLiteral(".wmf"));
        const bool ok = local.contains(e.number) ? replace(target, bytes) : placeNew(target, bytes);
        if (!ok) {
            problems << QStringLiteral("nie można zapisać %1").arg(target);
            return false;
        }
        local.insert(e.number, target);
        e.hash = hash;
        return true;
    };

    // What the folder already has from us: missing ones come back, unchanged
    // ones take the newer version, changed ones stay.
    QSet<QPair<int, int>> known;
    for (Entry &e : record.entries) {
        known.insert({int(e.origin), e.id});
        const QString from = source(e);
        if (from.isEmpty())
            continue; // no longer shipped: stays as it is
        if (!local.contains(e.number)) {
            place(e, from);
            continue;
        }
        QByteArray current, incoming;
        if (!readAll(local[e.number], current) || !readAll(from, incoming))
            continue;
        const QString hash = hashOf(current);
        const bool unchanged = hash == e.hash
                               || (e.origin == TemplateOrigin::Shipped && manifest.hashes.value(e.id).contains(hash));
        if (unchanged && hash != hashOf(incoming))
            place(e, from);
        else if (unchanged)
            e.hash = hash;
    }

    // New to this user: first everything whose own number is free (school
    // designs before shipped templates), then the rest at the lowest free
    // numbers.
    for (bool relocate : {false, true}) {
        for (TemplateOrigin origin : {TemplateOrigin::School, TemplateOrigin::Shipped}) {
            const QMap<int, QString> &files = origin == TemplateOrigin::Shipped ? shippedFiles : schoolFiles;
            for (auto it = files.cbegin(); it != files.cend(); ++it) {
                if (known.contains({int(origin), it.key()}) || (local.contains(it.key()) != relocate))
                    continue;
                known.insert({int(origin), it.key()});
                Entry e{origin, it.key(), relocate ? lowestFree(local) : it.key(), QString()};
                if (e.number == 0)
                    problems << QStringLiteral("brak wolnego numeru dla wzoru %1").arg(it.value());
                else if (place(e, it.value()))
                    record.entries << e;
            }
        }
    }

    // The installed version follows the package (the installer's role).
    const QString code = shippedVersionCode(shipped);
    if (record.version != code) {
        const QString shippedWerDat = shipped.isEmpty() ? QString()
                                                        : resolveDataPath(shipped, QStringLiteral("Admini/wer.dat"));
        QByteArray bytes;
        if (!readAll(shippedWerDat, bytes) || bytes.size() < VersionRecordSize) {
            bytes = QByteArray(VersionRecordSize, '\0');
            putShortString(bytes, 0, VersionRecordSize - 1, code);
        }
        try {
            QDir().mkpath(QFileInfo(werDat).path());
            writeRecordFile(werDat, bytes);
            record.version = code;
        } catch (const IoError &e) {
            problems << QStringLiteral("%1: %2").arg(werDat, QString::fromUtf8(e.what()));
        }
    }
    updateLayoutTable(dir, shipped, record, problems);
    writeRecord(dir, record, problems);
    return problems;
}

QMap<int, TemplateOrigin> templateOrigins(const QString &dir, const QString &shipped)
{
    QMap<int, TemplateOrigin> origins;
    const Record record = readRecord(dir);
    QMap<int, TemplateOrigin> recorded;
    for (const Entry &e : record.entries)
        recorded.insert(e.number, e.origin);
    const Manifest manifest = readManifest(shipped);
    const QMap<int, QString> local = templateFiles(resolveDataPath(dir, QStringLiteral("Wzory")));
    for (auto it = local.cbegin(); it != local.cend(); ++it) {
        if (recorded.contains(it.key())) {
            origins.insert(it.key(), recorded[it.key()]);
            continue;
        }
        QByteArray bytes;
        const bool shippedOne = readAll(it.value(), bytes) && manifest.hashes.value(it.key()).contains(hashOf(bytes));
        origins.insert(it.key(), shippedOne ? TemplateOrigin::Shipped : TemplateOrigin::Own);
    }
    return origins;
}

QList<int> everShippedNumbers(const QString &shipped)
{
    QSet<int> numbers;
    const Manifest manifest = readManifest(shipped);
    for (auto it = manifest.hashes.cbegin(); it != manifest.hashes.cend(); ++it)
        numbers.insert(it.key());
    if (!shipped.isEmpty()) {
        const QMap<int, QString> files = templateFiles(resolveDataPath(shipped, QStringLiteral("Wzory")));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            numbers.insert(it.key());
    }
    QList<int> sorted(numbers.cbegin(), numbers.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

} // namespace platform
