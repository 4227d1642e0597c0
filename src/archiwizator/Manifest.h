#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace backup {

// The list every archive of ours carries as its first entry: what each file
// must be when read back, and when the copy was made. A ZIP without it is
// not one of our copies.
inline const QString ManifestName = QStringLiteral("dyplom-kopia.json");

struct ManifestEntry {
    QString name; // "Dyplomy/a.dyp"
    qint64 size = 0;
    QByteArray sha256;  // hex
    QDateTime modified; // UTC, whole seconds
};

struct Manifest {
    QDateTime created; // local time of the copy
    QString programDir;
    QList<ManifestEntry> entries;
    qint64 totalBytes() const;
};

QByteArray encodeManifest(const Manifest &manifest);
// Raises BackupError naming the archive when the list does not parse or
// names a file outside the protected folders ("..", an absolute path).
Manifest decodeManifest(const QByteArray &bytes, const QString &archiveName);

// A name safe to place below the ProgramDir: relative, "/" separated, in one
// of the editor's five folders, no empty, "." or ".." part, no backslash or
// control character.
bool isSafeEntryName(const QString &name);

} // namespace backup
