#pragma once
#include "BackupError.h"
#include "Manifest.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct zip;

namespace backup {

// A libzip error in Polish; `systemError` (errno) says more when not 0.
QString zipErrorText(int zipError, int systemError = 0);
// The last error of an archive open for reading or writing, in Polish.
QString archiveErrorText(zip *archive);

// An archive open for reading through libzip; closes on destruction.
class ZipReader {
public:
    // Raises BackupError: not a ZIP, damaged, unreadable.
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    QString path() const { return path_; }
    qint64 entryCount() const;
    QStringList names() const;
    bool contains(const QString &name) const;
    // The uncompressed size the archive's directory declares; -1 unknown.
    qint64 declaredSize(const QString &name) const;
    // The whole entry (for the small list of contents).
    QByteArray read(const QString &name, qint64 limit) const;
    // Streams an entry in pieces; the CRC is checked at the end by libzip.
    // Raises BackupError naming the entry when it is damaged.
    void stream(const QString &name, const std::function<void(const char *, qint64)> &piece) const;
    // Our list of contents; a ZIP without one is refused as foreign.
    Manifest manifest() const;

private:
    QString path_;
    zip *archive_ = nullptr;
};

// Refuses (BackupError naming the entry) an archive whose directory declares
// other sizes than its list does, before anything is read.
void checkDeclaredSizes(const ZipReader &reader, const Manifest &manifest);

// Reads every listed entry back and compares its size and SHA-256 with the
// list; the first difference raises BackupError naming the file. Entries
// not on the list are an error too: a copy holds exactly what it lists.
void verifyArchive(const ZipReader &reader, const Manifest &manifest, const ProgressFn &progress);

} // namespace backup
