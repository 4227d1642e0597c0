#include "Destinations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStorageInfo>

#include <sys/stat.h>

namespace backup {

bool looksRemovable(const QString &rootPath, const QString &device, const QString &sysRoot)
{
    if (rootPath.startsWith(QLatin1String("/media/")) || rootPath.startsWith(QLatin1String("/run/media/")))
        return true;
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    // sdb1 -> sdb, mmcblk0p1 -> mmcblk0
    QString disk = device.mid(5);
    static const QRegularExpression partition(QStringLiteral("^(mmcblk\\d+|nvme\\d+n\\d+)p\\d+$|^([a-z]+)\\d+$"));
    const QRegularExpressionMatch m = partition.match(disk);
    if (m.hasMatch())
        disk = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    QFile flag(sysRoot + QStringLiteral("/class/block/") + disk + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

QList<Destination> offeredDestinations(const QList<QStorageInfo> &volumes, const QStringList &fallback,
                                       const QString &sysRoot)
{
    QList<Destination> offered;
    for (const QStorageInfo &v : volumes) {
        if (!v.isValid() || !v.isReady() || v.isReadOnly())
            continue;
        if (!looksRemovable(v.rootPath(), QString::fromLocal8Bit(v.device()), sysRoot))
            continue;
        const QString name = v.displayName().isEmpty() ? v.rootPath() : v.displayName();
        offered.append({v.rootPath(),
                        QStringLiteral("Nośnik wymienny: %1 (%2), wolne %3")
                            .arg(name, QDir::toNativeSeparators(v.rootPath()), sizeText(v.bytesAvailable())),
                        true, v.bytesAvailable(), deviceOf(v.rootPath())});
    }
    for (const QString &folder : fallback) {
        if (!QFileInfo(folder).isDir())
            continue;
        const QStorageInfo v(folder);
        offered.append(
            {folder,
             QStringLiteral("Folder: %1, wolne %2").arg(QDir::toNativeSeparators(folder), sizeText(v.bytesAvailable())),
             false, v.bytesAvailable(), deviceOf(folder)});
    }
    return offered;
}

qint64 deviceOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return static_cast<qint64>(st.st_dev);
}

QString sizeText(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("?");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes < 1024 * 1024)
        return polish.toString(bytes / 1024.0, 'f', 1) + QStringLiteral(" kB");
    if (bytes < 1024LL * 1024 * 1024)
        return polish.toString(bytes / (1024.0 * 1024), 'f', 1) + QStringLiteral(" MB");
    return polish.toString(bytes / (1024.0 * 1024 * 1024), 'f', 1) + QStringLiteral(" GB");
}

} // namespace backup
