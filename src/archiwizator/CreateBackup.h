#pragma once
#include "BackupError.h"
#include "SourceFolders.h"

#include <QDateTime>
#include <QString>

namespace backup {

struct BackupResult {
    QString archivePath;
    int files = 0;
    qint64 bytes = 0;
    QStringList skippedLinks;    // links in the folders, not copied
    QStringList unreadableFiles; // no read permission, not copied
};

// "kopia-dyplomy-2026-12-08-0930.zip"
QString archiveFileName(const QDateTime &when);

// Writes one ZIP of every protected file into `destinationFolder`: first
// under a hidden staging name, flushed to the medium and read back in full
// (sizes and SHA-256 of every file against its source), and only then
// renamed to its dated name. A file whose name is not UTF-8 cannot be
// restored under its name everywhere: the copy is refused, naming each. Any failure (a full medium, a medium removed,
// a write error, a file changed meanwhile) or a cancel removes the staged
// file, so no half archive remains, and raises BackupError (Cancelled).
// `expectedDevice` (deviceOf the destination when it was offered, -1 for
// no check) is checked before writing and before the rename: a medium
// removed meanwhile leaves its mount point on the internal disk.
BackupResult createBackup(SourceConfig &config, const QString &destinationFolder, const QDateTime &when,
                          const ProgressFn &progress = {}, qint64 expectedDevice = -1);

} // namespace backup
