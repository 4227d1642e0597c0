#pragma once
#include <QString>
#include <QStringList>

namespace narzedzia_admini {

// Deletes a file relative to `baseDirectory`, matched without regard to case.
// Missing or undeletable files are skipped silently.
void deleteQuietly(const QString &baseDirectory, const QString &relativePath);

// The archiver's register files, in the order they are deleted.
const QStringList &archiveRegisterFiles();

// Deletes the history file and loads the history afresh (number 1).
// Raises platform::IoError from the load.
void clearRunHistory(const QString &baseDirectory);
void clearArchiveRegister(const QString &baseDirectory);

} // namespace narzedzia_admini
