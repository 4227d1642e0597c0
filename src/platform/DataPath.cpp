#include "DataPath.h"

#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QString join(const QString &dir, const QString &name)
{
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

QString matchComponent(const QString &dir, const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return name;
    const QString exact = join(dir, name);
    if (QFileInfo::exists(exact))
        return name;
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
                                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

} // namespace

QString resolveDataPath(const QString &base, const QString &relative)
{
    QString path = base;
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        path = join(path, matchComponent(path, part));
    return path;
}

QString currentDirectory()
{
    QString dir = QDir::currentPath();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

} // namespace platform
