#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// One-record files. Failures raise IoError with the run-time error codes.

// Replaces the file's content by `record` through a temporary file in the
// same folder and a rename, so a failed write (a full disk, a file-size
// limit) leaves the old file whole and no temporary file behind; every byte
// is checked before the rename. A symbolic link is kept and its target
// written. A writable file in a folder that refuses new files is written in
// place. A file without write permission bits (for root too), a folder or
// other non-file of that name is "File access denied".
void writeRecordFile(const QString &path, const QByteArray &record);

// The first `size` bytes; a shorter file is "Read beyond end of file".
QByteArray readFirstRecord(const QString &path, int size);

// A file (not a folder) of that name exists.
bool fileExists(const QString &path);
// Any entry of that name exists: file, folder, or a dangling link.
bool entryExists(const QString &path);

} // namespace platform
