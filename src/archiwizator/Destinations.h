#pragma once
#include <QList>
#include <QString>

class QStorageInfo;

namespace backup {

// A place a copy can go to, as the window offers it.
struct Destination {
    QString path;
    QString label;
    bool removable = false;
    qint64 freeBytes = -1;
    qint64 device = -1; // of the folder when offered, see deviceOf
};

// The id of the device holding `path` (stat's st_dev); -1 when it is gone.
// A stick unmounted leaves its mount point on another device.
qint64 deviceOf(const QString &path);

// A mounted volume counts as removable media when it is mounted under
// /media or /run/media (where desktops put sticks and cards), or when the
// kernel marks its disk removable (<sysRoot>/class/block/<disk>/removable).
bool looksRemovable(const QString &rootPath, const QString &device, const QString &sysRoot = QStringLiteral("/sys"));

// The writable removable media mounted now first, then `fallback` folders
// (the home folder, say) that exist.
QList<Destination> offeredDestinations(const QList<QStorageInfo> &volumes, const QStringList &fallback,
                                       const QString &sysRoot = QStringLiteral("/sys"));

QString sizeText(qint64 bytes);

} // namespace backup
