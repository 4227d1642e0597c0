#pragma once
#include "platform/VersionCode.h"

#include <QByteArray>
#include <QString>

namespace narzedzia_admini {

// The installed-version file's only record, 11 bytes: a short string of
// capacity 10.
struct VersionRecord {
    static constexpr int Size = 11;
    static constexpr int Capacity = 10;
    QString versionCode;
};

// The version code of this build, from the project's version.
inline const QString InstalledVersionCode = QStringLiteral(DYPLOM_VERSION_CODE);

// Text cut to 10, unused bytes zero.
QByteArray encodeVersion(const VersionRecord &record);
// `bytes` holds at least VersionRecord::Size bytes.
VersionRecord decodeVersion(const QByteArray &bytes);

// programDir + "\Admini\wer.dat", matched without regard to case.
QString versionFilePath(const QString &baseDirectory);

// Start-up: creates the installed-version file holding InstalledVersionCode
// when no file of that name exists; an existing one is not touched.
// Raises platform::IoError.
void createVersionFileIfMissing(const QString &programDir);

// Reads the installed code from the file below `baseDirectory`.
// Raises platform::IoError (missing file, shorter than a record, ...).
QString readInstalledVersion(const QString &baseDirectory);

} // namespace narzedzia_admini
