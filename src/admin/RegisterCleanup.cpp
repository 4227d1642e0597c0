#include "RegisterCleanup.h"

#include "history/RunHistory.h"
#include "platform/DataPath.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace narzedzia_admini {

void deleteQuietly(const QString &baseDirectory, const QString &relativePath)
{
    const QByteArray path = QFile::encodeName(platform::resolveDataPath(baseDirectory, relativePath));
    // Only files are deleted; a folder of that name stays.
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
        ::unlink(path.constData());
}

const QStringList &archiveRegisterFiles()
{
    static const QStringList files{QStringLiteral("ADMINI\\data_ar.dat"), QStringLiteral("ADMINI\\data_adr.dat"),
                                   QStringLiteral("ADMINI\\data_or.dat"), QStringLiteral("ADMINI\\data_odr.dat")};
    return files;
}

void clearRunHistory(const QString &baseDirectory)
{
    deleteQuietly(baseDirectory, QStringLiteral("Admini\\historia.dat"));
    modul_hist::PobierzDane();
}

void clearArchiveRegister(const QString &baseDirectory)
{
    for (const QString &file : archiveRegisterFiles())
        deleteQuietly(baseDirectory, file);
}

} // namespace narzedzia_admini
