#include "OutputSafety.h"

#include "ErrorTexts.h"
#include "Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// The kernel's rule for links in sticky folders open to everybody.
void requireFollowable(const QString &link, const struct stat &linkStat, const QString &folder)
{
    struct stat dir;
    if (::stat(nativePath(folder).constData(), &dir) != 0)
        return;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    if (!shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == dir.st_uid)
        return;
    throw Failure(link, QStringLiteral("dowiązanie symboliczne innego użytkownika (uid %1) w katalogu wspólnym "
                                       "dla wszystkich (%2): nie zostanie użyte, podaj inną nazwę")
                            .arg(linkStat.st_uid)
                            .arg(folder));
}

QString readLink(const QString &link)
{
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink(nativePath(link).constData(), buffer.data(), size_t(buffer.size()));
    if (n < 0 || n >= buffer.size())
        throw Failure(link, systemErrorText(n < 0 ? errno : ENAMETOOLONG));
    return QFile::decodeName(buffer.left(n));
}

} // namespace

OutputPlace followLinks(const QString &path)
{
    // Not cleaned first: after a link, ".." leaves the link's target.
    const QString absolute = path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path;
    QStringList todo = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString done = QStringLiteral("/");
    bool lastIsLink = false; // what is left of the path came from the last component's link
    int links = 0;
    while (!todo.isEmpty()) {
        const QString part = todo.takeFirst();
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            done = parentOf(done);
            continue;
        }
        const QString next = joined(done, part);
        struct stat st;
        if (::lstat(nativePath(next).constData(), &st) != 0) {
            // Nothing there: the rest of the path is made, not followed.
            done = next;
            for (const QString &rest : todo)
                done = joined(done, rest);
            return {QDir::cleanPath(done), lastIsLink && todo.isEmpty()};
        }
        if (!S_ISLNK(st.st_mode)) {
            done = next;
            continue;
        }
        if (++links > 40)
            throw Failure(path, systemErrorText(ELOOP));
        requireFollowable(next, st, done);
        const QString target = readLink(next);
        if (target.startsWith(QLatin1Char('/')))
            done = QStringLiteral("/");
        if (todo.isEmpty())
            lastIsLink = true;
        todo = target.split(QLatin1Char('/'), Qt::SkipEmptyParts) + todo;
    }
    return {done, false};
}

bool nameTaken(const QString &path)
{
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

QByteArray signatureFor(const QString &path)
{
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return QByteArrayLiteral("\x89PNG\r\n\x1a\n");
    return QByteArrayLiteral("%PDF-");
}

void checkReplaceable(const QString &path, const OutputPlace &place, const QByteArray &signature, bool overwrite)
{
    if (place.danglingLink) {
        if (!overwrite)
            throw Failure(path, QStringLiteral("to dowiązanie symboliczne do pliku, którego nie ma (%1): nie zostanie "
                                               "zastąpione bez --nadpisz")
                                    .arg(place.target));
        return;
    }
    const QByteArray native = nativePath(place.target);
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return; // a new file
    if (S_ISDIR(st.st_mode))
        throw Failure(path, systemErrorText(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw Failure(path, QStringLiteral("to nie jest zwykły plik (urządzenie, kolejka FIFO lub gniazdo): nie zostanie "
                                           "zastąpiony; PDF na standardowe wyjście: -o -"));
    // As the editor: a file without any write bit is read-only for root too.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.constData(), W_OK) != 0)
        throw Failure(path, QStringLiteral("brak dostępu do pliku (plik tylko do odczytu): nie zostanie zastąpiony"));
    if (overwrite || st.st_size == 0)
        return;
    QByteArray first(signature.size(), '\0');
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    ssize_t got = -1;
    if (fd >= 0) {
        got = ::read(fd, first.data(), size_t(first.size()));
        ::close(fd);
    }
    if (got != ssize_t(signature.size()) || first != signature)
        throw Failure(path, QStringLiteral("plik istnieje i nie jest plikiem %1: nie zostanie zastąpiony bez --nadpisz")
                                .arg(signature.startsWith('%') ? QStringLiteral("PDF") : QStringLiteral("PNG")));
}

} // namespace batch
