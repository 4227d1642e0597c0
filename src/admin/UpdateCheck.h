#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace narzedzia_admini {

// The first three lines of the version-information file.
struct VersionInfo {
    QString publishedCode;
    QString kind; // "k" or "d"
    QString description;
};

// Lines end at CR LF, LF or CR; a missing line is empty; trailing blanks
// stay; the text is Windows-1250.
VersionInfo parseVersionInfo(const QByteArray &content);
// Raises platform::IoError when the file cannot be read.
VersionInfo readVersionInfo(const QString &path);

QString freeUpdateMessage(const QString &description);
QString paidUpdateMessage(const QString &description);
inline const QString UpToDateMessage = QStringLiteral("Posiadasz aktualną wersje programu.");
inline const QString NoInformationMessage = QStringLiteral("Brak informacji o nowych wersjach tego programu.");

// The message the comparison leads to, if any (exact, case-sensitive).
std::optional<QString> updateOutcome(const QString &installedCode, const VersionInfo &published);

// The local copy below the working directory: "\Admini\20.txt".
QString localCopyPath(const QString &workingDirectory);

// The whole check: connection flags, download of `address` to the local
// copy, the installed code, the comparison and its message box ("Informacja").
// A server name that does not resolve or no route to it counts as offline:
// nothing is shown.
// Raises platform::IoError when a local file cannot be read.
void checkForUpdate(QWidget *parent, const QString &workingDirectory, const QString &address);

} // namespace narzedzia_admini
