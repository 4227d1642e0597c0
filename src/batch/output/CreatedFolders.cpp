#include "CreatedFolders.h"

#include "Failure.h"

#include <QDir>
#include <QFileInfo>

namespace batch {

CreatedFolders::~CreatedFolders()
{
    if (!kept_)
        for (const QString &dir : std::as_const(created_))
            QDir().rmdir(dir);
}

void CreatedFolders::make(const QString &path)
{
    QStringList missing;
    for (QString dir = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(dir); dir = QFileInfo(dir).path())
        missing.append(dir);
    if (!QDir().mkpath(path))
        throw Failure(path, QStringLiteral("nie można utworzyć katalogu"));
    created_ += missing;
}

} // namespace batch
