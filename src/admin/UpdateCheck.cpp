#include "UpdateCheck.h"
#include "VersionRecord.h"

#include "companions/MakerContact.h"
#include "platform/Cp1250.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "platform/Platform.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace narzedzia_admini {
namespace {

constexpr std::uint32_t ModemBit = 1;
constexpr std::uint32_t LanBit = 2;
const QString Caption = QStringLiteral("Informacja");

QByteArray readWholeFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        platform::IoError::raiseFromErrno(errno);
    QByteArray content;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            platform::IoError::raiseFromErrno(err);
        }
        if (n == 0)
            break;
        content.append(buffer, n);
    }
    ::close(fd);
    return content;
}

QString updateMessage(const QString &kindOfUpdate, const QString &description)
{
    return QStringLiteral("Na stronie ") + maker::WebSite + QStringLiteral(" znajduję się nowa, ") + kindOfUpdate
           + QStringLiteral(" aktualizacja programu.") + QChar(13) + QStringLiteral("Pobierz aktualną wersje programu ")
           + description;
}

} // namespace

VersionInfo parseVersionInfo(const QByteArray &content)
{
    QByteArray lines[3];
    int line = 0;
    qsizetype i = 0;
    while (line < 3 && i < content.size()) {
        const char c = content.at(i++);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < content.size() && content.at(i) == '\n')
                ++i;
            ++line;
        } else {
            lines[line].append(c);
        }
    }
    return VersionInfo{platform::fromCp1250(lines[0]), platform::fromCp1250(lines[1]), platform::fromCp1250(lines[2])};
}

VersionInfo readVersionInfo(const QString &path)
{
    return parseVersionInfo(readWholeFile(path));
}

QString freeUpdateMessage(const QString &description)
{
    return updateMessage(QStringLiteral("darmowa"), description);
}

QString paidUpdateMessage(const QString &description)
{
    return updateMessage(QStringLiteral("płatna"), description);
}

std::optional<QString> updateOutcome(const QString &installedCode, const VersionInfo &published)
{
    const bool same = installedCode == published.publishedCode;
    if (published.kind == QLatin1String("k") && same)
        return UpToDateMessage;
    if (published.kind == QLatin1String("d") && same)
        return freeUpdateMessage(published.description);
    if (!same)
        return paidUpdateMessage(published.description);
    return std::nullopt;
}

QString localCopyPath(const QString &workingDirectory)
{
    return platform::resolveDataPath(workingDirectory, QStringLiteral("\\Admini\\20.txt"));
}

void checkForUpdate(QWidget *parent, const QString &workingDirectory, const QString &address)
{
    platform::Platform &services = platform::services();
    if ((services.connectionFlags() & (LanBit | ModemBit)) == 0)
        return;
    const QString localPath = localCopyPath(workingDirectory);
    const int result = services.download(address, localPath);
    // Where the connection state is unknown, an unknown server name or no
    // route tells that the machine is offline after all.
    if (result == platform::DownloadNoNetwork)
        return;
    if (result != 0) {
        services.inform(parent, NoInformationMessage, Caption);
        return;
    }
    const QString installed = readInstalledVersion(workingDirectory);
    const VersionInfo published = readVersionInfo(localPath);
    if (const std::optional<QString> message = updateOutcome(installed, published))
        services.inform(parent, *message, Caption);
}

} // namespace narzedzia_admini
