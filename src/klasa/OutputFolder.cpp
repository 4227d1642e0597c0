#include "OutputFolder.h"

#include "batch/output/Failure.h"
#include "batch/output/OutputSafety.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace klasa {

void checkFolderWritable(const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder);
    struct stat st;
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw batch::Failure(folder, QStringLiteral("to nie jest folder"));
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.constData(), W_OK | X_OK) != 0)
        throw batch::Failure(folder, QStringLiteral("folder tylko do odczytu: nie można w nim zapisać plików"));
}

int replaceableTaken(const QString &folder, const QStringList &names)
{
    const QDir dir(folder);
    int taken = 0;
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (!batch::nameTaken(path))
            continue;
        // The replace question comes next: whatever it may replace.
        batch::checkReplaceable(path, batch::followLinks(path), batch::signatureFor(path), true);
        ++taken;
    }
    return taken;
}

} // namespace klasa
