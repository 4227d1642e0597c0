#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// One-record files. Failures raise IoError with the run-time error codes.

// Replaces the file's content by `record` through a temporary file in the
// same folder and a rename, so a failed write leaves the old file whole.
// A read-only target or a folder of that name is "File access denied".
void writeRecordFile(const QString &path, const QByteArray &record);

// The first `size` bytes; a shorter file is "Read beyond end of file".
QByteArray readFirstRecord(const QString &path, int size);

// A file (not a folder) of that name exists.
bool fileExists(const QString &path);
// Any entry of that name exists: file, folder, or a dangling link.
bool entryExists(const QString &path);

} // namespace platform
