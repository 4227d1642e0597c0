#pragma once
#include <QString>
#include <QStringList>

namespace klasa {

// The checks a folder of separate files gets before the window asks
// anything about it: an error is worth more than a question whose Yes
// could only fail.

// Throws batch::Failure naming folder when nothing can be written in it: it
// is no folder, or it is read-only (no write bit, which stops root too, or
// no write access for this user).
void checkFolderWritable(const QString &folder);

// How many of names are taken in folder; throws batch::Failure naming the
// first one that could not be replaced (read-only, a folder, a device).
int replaceableTaken(const QString &folder, const QStringList &names);

} // namespace klasa
