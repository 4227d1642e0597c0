#include "BackupRegister.h"

#include "platform/DataPath.h"
#include "platform/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace backup {
namespace {

using namespace registerlayout;
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

struct FilePair {
    QString records;
    QString paths;
};

FilePair filesFor(const QString &programDir, RegisterEntry::Kind kind)
{
    const bool backup = kind == RegisterEntry::Backup;
    return {platform::resolveDataPath(programDir, backup ? QStringLiteral("Admini\\data_ar.dat")
                                                         : QStringLiteral("Admini\\data_or.dat")),
            platform::resolveDataPath(programDir, backup ? QStringLiteral("Admini\\data_adr.dat")
                                                         : QStringLiteral("Admini\\data_odr.dat"))};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whole records only: a cut-off tail (a write that failed long ago) goes.
QByteArray wholeRecords(QByteArray bytes, int size)
{
    bytes.truncate(bytes.size() - bytes.size() % size);
    return bytes;
}

} // namespace

QByteArray encodeRegisterRecord(const RegisterEntry &entry)
{
    QByteArray r(RecordSize, '\0');
    const QByteArray time = entry.when.toString(TimeFormat).toLatin1().left(TimeSize - 1);
    std::copy(time.begin(), time.end(), r.begin());
    auto *data = reinterpret_cast<uchar *>(r.data());
    qToLittleEndian<quint32>(entry.files, data + 20);
    if (entry.kind == RegisterEntry::Backup) {
        qToLittleEndian<quint64>(entry.bytes, data + 24);
    } else {
        qToLittleEndian<quint32>(entry.kept, data + 24);
        qToLittleEndian<quint32>(entry.unchanged, data + 28);
    }
    return r;
}

QByteArray encodePathRecord(const QString &path)
{
    QByteArray r(PathRecordSize, '\0');
    QString text = path;
    QByteArray utf8 = text.toUtf8();
    // Cut between whole characters.
    while (utf8.size() > PathRecordSize - 2) {
        text.chop(1);
        utf8 = text.toUtf8();
    }
    qToLittleEndian<quint16>(static_cast<quint16>(utf8.size()), reinterpret_cast<uchar *>(r.data()));
    std::copy(utf8.begin(), utf8.end(), r.begin() + 2);
    return r;
}

RegisterEntry decodeRegisterRecord(RegisterEntry::Kind kind, const QByteArray &record, const QByteArray &pathRecord)
{
    RegisterEntry e;
    e.kind = kind;
    if (record.size() < RecordSize)
        return e;
    const auto *data = reinterpret_cast<const uchar *>(record.constData());
    e.when = QDateTime::fromString(QString::fromLatin1(record.left(TimeSize - 1)), TimeFormat);
    e.files = qFromLittleEndian<quint32>(data + 20);
    if (kind == RegisterEntry::Backup) {
        e.bytes = qFromLittleEndian<quint64>(data + 24);
    } else {
        e.kept = qFromLittleEndian<quint32>(data + 24);
        e.unchanged = qFromLittleEndian<quint32>(data + 28);
    }
    if (pathRecord.size() >= PathRecordSize) {
        const int length = std::min<int>(qFromLittleEndian<quint16>(pathRecord.constData()), PathRecordSize - 2);
        e.archive = QString::fromUtf8(pathRecord.mid(2, length));
    }
    return e;
}

void appendToRegister(const QString &programDir, const RegisterEntry &entry)
{
    const FilePair files = filesFor(programDir, entry.kind);
    QDir().mkpath(QFileInfo(files.records).absolutePath());
    const QByteArray records = wholeRecords(readAll(files.records), RecordSize);
    const int count = records.size() / RecordSize;
    // The paths follow the records one to one: an extra path from an
    // earlier half-done append goes, a missing one is left empty.
    QByteArray paths = wholeRecords(readAll(files.paths), PathRecordSize).left(count * PathRecordSize);
    paths.append(QByteArray((count * PathRecordSize) - paths.size(), '\0'));
    platform::writeRecordFile(files.paths, paths + encodePathRecord(entry.archive));
    platform::writeRecordFile(files.records, records + encodeRegisterRecord(entry));
}

QList<RegisterEntry> readRegister(const QString &programDir)
{
    QList<RegisterEntry> entries;
    for (const RegisterEntry::Kind kind : {RegisterEntry::Backup, RegisterEntry::Restore}) {
        const FilePair files = filesFor(programDir, kind);
        const QByteArray records = wholeRecords(readAll(files.records), RecordSize);
        const QByteArray paths = readAll(files.paths);
        for (int i = 0; i < records.size() / RecordSize; ++i)
            entries << decodeRegisterRecord(kind, records.mid(i * RecordSize, RecordSize),
                                            paths.mid(i * PathRecordSize, PathRecordSize));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RegisterEntry &a, const RegisterEntry &b) { return a.when < b.when; });
    return entries;
}

} // namespace backup
