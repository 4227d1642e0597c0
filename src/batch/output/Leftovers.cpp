#include "Leftovers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {

const QString NamePrefix = QStringLiteral("dyplom-druk-");

QString hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return QStringLiteral("localhost");
    QString host = QString::fromLatin1(name).left(64);
    for (QChar &c : host)
        if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    return host;
}

QString bootId()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    const QString id = file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.read(64)).trimmed() : QString();
    static const QRegularExpression uuid(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    return uuid.match(id).hasMatch() ? id : QStringLiteral("00000000-0000-0000-0000-000000000000");
}

const QString &thisHost()
{
    static const QString host = hostName();
    return host;
}

const QString &thisBoot()
{
    static const QString boot = bootId();
    return boot;
}

bool processRuns(qint64 pid)
{
    if (pid <= 0 || pid > 0x7fffffff)
        return true; // not a process we can ask about: keep its files
    return pid == ::getpid() || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

void removeFolderWithFiles(const QString &path)
{
    QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(name));
    QDir().rmdir(path);
}

} // namespace

QString temporaryPrefix()
{
    return NamePrefix + thisHost() + QLatin1Char('-') + thisBoot() + QLatin1Char('-') + QString::number(::getpid())
           + QLatin1Char('-');
}

bool isDeadRunsLeftover(const QString &fileName)
{
    const QString ours = NamePrefix + thisHost() + QLatin1Char('-');
    const QString name = fileName.startsWith(QLatin1Char('.')) ? fileName.mid(1) : fileName;
    if (!name.startsWith(ours))
        return false;
    // What follows the host: BOOTID-PID-XXXXXX; another host's longer name
    // that starts like ours does not fit.
    static const QRegularExpression rest(
        QStringLiteral("^([0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12})-(\\d{1,10})-[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch m = rest.match(QStringView(name).mid(ours.size()));
    if (!m.hasMatch())
        return false;
    return m.captured(1) != thisBoot() || !processRuns(m.captured(2).toLongLong());
}

void removeLeftovers(const QString &folder)
{
    static QSet<QString> done;
    const QString key = QDir(folder).absolutePath();
    if (done.contains(key))
        return;
    done.insert(key);
    QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*dyplom-druk-*")}, QDir::Files | QDir::Dirs | QDir::Hidden
                                                                                    | QDir::System
                                                                                    | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!isDeadRunsLeftover(name))
            continue;
        const QString path = dir.filePath(name);
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || st.st_uid != ::geteuid())
            continue;
        if (S_ISREG(st.st_mode))
            QFile::remove(path);
        else if (S_ISDIR(st.st_mode))
            removeFolderWithFiles(path);
    }
}

} // namespace batch
