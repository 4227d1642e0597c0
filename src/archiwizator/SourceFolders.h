#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace backup {

// A folder the editor's configuration asks to be protected.
struct SourceFolder {
    QString name; // "Dyplomy", as the ProgramDir spells it
    QString path; // absolute
    bool exists = false;
    int files = 0;
    qint64 bytes = 0;
};

struct SourceConfig {
    QString programDir;
    QList<SourceFolder> folders;
    // Filled by collectFiles: what a copy does not hold, by archive name.
    QStringList skippedLinks;
    QStringList undecodableNames; // not UTF-8, shown as Windows-1250
    QStringList unreadableFiles;  // no read permission: named, the rest is copied
};

// The editor's archiwizator_config.dat in decoded form. A record of the
// wrong size, a length byte beyond its slot, an empty ProgramDir or a mask
// that is not "<ProgramDir><sep><folder><sep>*.*" raises BackupError.
SourceConfig decodeConfig(const QByteArray &record);

// Reads the file in `folder` (name matched without regard to case); a
// missing or unreadable file raises BackupError.
SourceConfig readConfig(const QString &folder);

// One file to protect: its name inside the archive ("Dyplomy/a.dyp") and
// where it lies now.
struct SourceFile {
    QString name;
    QString path;
    qint64 size = 0;
};

// Every regular file below the folders, in a stable order. Links inside a
// folder are skipped (the folder itself may be a link) and named in
// config.skippedLinks; names that are not UTF-8 are named in
// config.undecodableNames and not returned, unreadable files in
// config.unreadableFiles; the archive's own register
// files and restore leftovers are not protected. Sizes and counts of
// `config` are filled in on the way.
QList<SourceFile> collectFiles(SourceConfig &config);

// The register files of the archiver and its configuration, relative to the
// ProgramDir, matched without regard to case: never copied nor restored.
bool isRegisterFile(const QString &archiveName);

} // namespace backup
