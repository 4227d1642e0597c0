#pragma once
#include "BackupError.h"
#include "Manifest.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace backup {

// What an archive holds, for the window to show before anything happens.
struct ArchiveSummary {
    QString path;
    Manifest manifest;
};

// Opens the archive and reads its list; raises BackupError for a damaged
// file, a ZIP that is no copy of ours, or a list naming unsafe paths.
ArchiveSummary inspectArchive(const QString &archivePath);

// Files of the ProgramDir that a restore would overwrite although they
// differ from the copy, grouped by folder and by why.
struct ConflictGroup {
    enum Kind { NewerHere, ChangedHere };
    Kind kind = ChangedHere;
    QString folder;           // "Dyplomy"
    QStringList files;        // names inside the archive
    QString question() const; // Polish, lists the files
};

// Asked once per group; true replaces that group's files with the copy's.
using ConfirmGroup = std::function<bool(const ConflictGroup &)>;

struct RestoreResult {
    int restored = 0;  // written from the copy
    int unchanged = 0; // already identical
    int kept = 0;      // differing files left as they were
    QStringList keptFiles;
    QStringList replacedFiles; // differing files overwritten with the copy's
    QStringList skippedFiles;  // never restored from an archive (the register)
};

// Restores a copy into `programDir`. Every file is first extracted into a
// hidden folder of the ProgramDir and checked against the list (size,
// SHA-256, CRC); a damaged archive raises BackupError before anything of the
// ProgramDir changes. Then files missing here are added, identical ones
// skipped, and differing ones replaced only for confirmed groups. The hidden
// folder is gone afterwards, also after a failure or a cancel.
RestoreResult restoreBackup(const QString &archivePath, const QString &programDir, const ConfirmGroup &confirm,
                            const ProgressFn &progress = {});

} // namespace backup
