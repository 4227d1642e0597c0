#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

// The archive registers in Admini, four files of fixed little-endian
// records, each file rewritten whole through platform::writeRecordFile:
//   data_ar.dat   copies made, 32 bytes each: time "YYYY-MM-DD HH:MM:SS"
//                 and a zero byte (20), files (uint32), bytes (uint64)
//   data_adr.dat  where each copy went, 512 bytes each: length (uint16)
//                 and the archive's path in UTF-8
//   data_or.dat   restores, 32 bytes each: time (20), files restored,
//                 files kept, files already identical (uint32 each)
//   data_odr.dat  the archive each restore came from, as data_adr.dat
// The n-th path belongs to the n-th record; a cut-off last record is
// ignored. Deleting the files clears the history.
namespace backup {

struct RegisterEntry {
    enum Kind { Backup, Restore };
    Kind kind = Backup;
    QDateTime when;
    quint32 files = 0;     // archived or restored
    quint64 bytes = 0;     // archived (copies)
    quint32 kept = 0;      // restores
    quint32 unchanged = 0; // restores
    QString archive;
};

namespace registerlayout {
constexpr int RecordSize = 32;
constexpr int PathRecordSize = 512;
constexpr int TimeSize = 20;
} // namespace registerlayout

QByteArray encodeRegisterRecord(const RegisterEntry &entry);
QByteArray encodePathRecord(const QString &path);
// Raises nothing: unreadable fields give an empty time or path.
RegisterEntry decodeRegisterRecord(RegisterEntry::Kind kind, const QByteArray &record, const QByteArray &pathRecord);

// Appends to the pair of files for the entry's kind (Admini created when
// missing). Raises platform::IoError when a file cannot be written.
void appendToRegister(const QString &programDir, const RegisterEntry &entry);

// Both kinds, oldest first.
QList<RegisterEntry> readRegister(const QString &programDir);

} // namespace backup
