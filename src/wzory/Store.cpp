#include "Store.h"

#include "ImportError.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "platform/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace wzory {

QString templateFolder(const QString &dir)
{
    return platform::resolveDataPath(dir, QStringLiteral("Wzory"));
}

QList<StoredTemplate> storedTemplates(const QString &folder)
{
    return platform::templateFilesIn(folder);
}

int nextFreeNumber(const QString &folder)
{
    const QList<StoredTemplate> taken = storedTemplates(folder);
    int n = 1;
    for (const StoredTemplate &t : taken) {
        if (t.number == n)
            ++n;
        else if (t.number > n)
            break;
    }
    if (n > kMaxTemplateNumber)
        throw ImportError(QStringLiteral("%1: wszystkie numery wzorów są zajęte").arg(folder));
    return n;
}

QString storeTemplate(const QString &folder, int number, const QByteArray &bytes, bool overwrite)
{
    if (!QDir().mkpath(folder))
        throw ImportError(QStringLiteral("%1: nie można utworzyć folderu").arg(folder));
    QString target = QDir(folder).filePath(QStringLiteral("BDR_%1.wmf").arg(number, 4, 10, QLatin1Char('0')));
    for (const StoredTemplate &t : storedTemplates(folder))
        if (t.number == number)
            target = t.path; // the existing spelling, whatever its letter case
    const QString name = QFileInfo(target).fileName();
    if (QFileInfo::exists(target) && !overwrite)
        throw ImportError(QStringLiteral("%1 już istnieje (--nadpisz pozwala go zastąpić)").arg(target));

    if (overwrite) {
        try {
            platform::writeRecordFile(target, bytes);
        } catch (const platform::IoError &e) {
            throw ImportError(QStringLiteral("%1: nie można zapisać (%2)").arg(target, QString::fromUtf8(e.what())));
        }
        return target;
    }
    // A hard link puts the finished file in place only if the name is
    // still free, so a template made meanwhile is not replaced.
    QTemporaryFile temp(QDir(folder).filePath(QStringLiteral(".%1.XXXXXX").arg(name)));
    // Temporary files are private; a template is as readable as any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (!temp.open() || ::fchmod(temp.handle(), 0666 & ~mask) != 0 || temp.write(bytes) != bytes.size() || !temp.flush()
        || ::fsync(temp.handle()) != 0)
        throw ImportError(QStringLiteral("%1: nie można zapisać (%2)").arg(target, temp.errorString()));
    if (::link(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target).constData()) != 0) {
        const int err = errno;
        if (err == EEXIST)
            throw ImportError(QStringLiteral("%1 już istnieje (--nadpisz pozwala go zastąpić)").arg(target));
        throw ImportError(
            QStringLiteral("%1: nie można zapisać (%2)").arg(target, QString::fromLocal8Bit(std::strerror(err))));
    }
    return target;
}

} // namespace wzory
