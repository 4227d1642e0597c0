#include "DataLocation.h"
#include "DataPath.h"
#include "TemplateFiles.h"
#include "TemplateUpdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace platform {

const QString SchoolDataDir = QStringLiteral("/usr/local/share/dyplom");

namespace {

const QString Templates = QStringLiteral("Wzory");
const QString Diplomas = QStringLiteral("Dyplomy");

QString cannotCreate(const QString &path)
{
    return QStringLiteral("nie można utworzyć folderu %1").arg(path);
}

// An entry is there when it exists or is a link, even a broken one: neither
// may be replaced.
bool present(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

// <dir>/Dyplomy is a link to the visible <home>/Dyplomy; a folder or file of
// that name the user already has stays as it is.
void linkDiplomaFolder(const QString &dir, const QString &home, QStringList &problems)
{
    const QFileInfo inDir(resolveDataPath(dir, Diplomas));
    if (inDir.isSymLink()) {
        // The user removed the visible folder: bring it back, empty.
        if (!inDir.exists() && !QDir().mkpath(inDir.symLinkTarget()))
            problems << cannotCreate(inDir.symLinkTarget());
        return;
    }
    if (inDir.exists())
        return;
    if (!home.isEmpty()) {
        const QString visible = resolveDataPath(home, Diplomas);
        const QFileInfo visibleInfo(visible);
        if ((visibleInfo.isDir() || (!present(visibleInfo) && QDir().mkpath(visible)))
            && QFile::link(visible, inDir.filePath()))
            return;
    }
    // No usable home folder: the diplomas stay inside the ProgramDir.
    if (!QDir().mkpath(inDir.filePath()))
        problems << cannotCreate(inDir.filePath());
}

// Copies what dir lacks of skeleton/relative, folder by folder.
void copyMissing(const QString &skeleton, const QString &dir, const QString &relative, QStringList &problems)
{
    const QDir from(relative.isEmpty() ? skeleton : skeleton + QLatin1Char('/') + relative);
    const QFileInfoList entries = from.entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                                     QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() == QLatin1String(".gitkeep"))
            continue; // keeps empty folders in the sources only
        if (relative.isEmpty()
            && (entry.fileName().compare(Templates, Qt::CaseInsensitive) == 0 || entry.fileName() == ShippedManifest
                || entry.fileName() == LayoutTable))
            continue; // the templates follow their own rules (updateTemplates)
        const QString name = relative.isEmpty() ? entry.fileName() : relative + QLatin1Char('/') + entry.fileName();
        const QString target = resolveDataPath(dir, name);
        const QFileInfo targetInfo(target);
        if (entry.isDir()) {
            if (present(targetInfo) && !targetInfo.isDir())
                continue; // the user's own file of that name
            if (!targetInfo.isDir() && !QDir().mkpath(target))
                problems << cannotCreate(target);
            else
                copyMissing(skeleton, dir, name, problems);
        } else if (!present(targetInfo) && !QFile::copy(entry.filePath(), target)) {
            problems << QStringLiteral("nie można skopiować %1 do %2").arg(entry.filePath(), target);
        }
    }
}

bool samePlace(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

DataEnvironment processDataEnvironment()
{
    const QString school = qEnvironmentVariable("DYPLOM_SZKOLA");
    return DataEnvironment{currentDirectory(), QDir::homePath(), qEnvironmentVariable("XDG_DATA_HOME"),
                           QCoreApplication::applicationDirPath(), school.isEmpty() ? SchoolDataDir : school};
}

bool holdsProgramData(const QString &dir)
{
    if (dir.isEmpty())
        return false;
    const QString templates = resolveDataPath(dir, Templates);
    return QFileInfo(templates).isDir() && !templateFilesIn(templates).isEmpty();
}

QString userProgramDir(const DataEnvironment &env)
{
    // A relative XDG_DATA_HOME is invalid and is ignored.
    const QString base = QDir::isAbsolutePath(env.xdgDataHome) ? env.xdgDataHome
                                                               : env.home + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/dyplom"));
}

QString shippedDataDir(const DataEnvironment &env)
{
    QStringList candidates;
    if (!env.executableDir.isEmpty())
        candidates << QDir::cleanPath(env.executableDir + QStringLiteral("/../share/dyplom"))
                   << QDir::cleanPath(env.executableDir + QStringLiteral("/../../share/dyplom"))
                   << env.executableDir + QStringLiteral("/data");
    candidates << QStringLiteral("/usr/share/dyplom");
    for (const QString &dir : candidates)
        if (holdsProgramData(dir))
            return dir;
    return QString();
}

QStringList prepareUserProgramDir(const QString &dir, const QString &skeleton, const QString &home, const QString &school)
{
    if (!QDir().mkpath(dir))
        return {cannotCreate(dir)};
    QLockFile lock(dir + QStringLiteral("/.dyplom.lock"));
    if (!lock.tryLock(20000))
        return {lock.error() == QLockFile::LockFailedError
                    ? QStringLiteral("folder %1 jest zajęty przez inny program; wzory nie zostały uzupełnione").arg(dir)
                    : QStringLiteral("nie można zablokować folderu %1; wzory nie zostały uzupełnione").arg(dir)};
    QStringList problems;
    linkDiplomaFolder(dir, home, problems);
    if (!skeleton.isEmpty())
        copyMissing(skeleton, dir, QString(), problems);
    problems << updateTemplates(dir, skeleton, school);
    return problems;
}

ProgramDirChoice chooseProgramDir(const DataEnvironment &env)
{
    const QString user = userProgramDir(env);
    const QString skeleton = shippedDataDir(env);
    // The per-user folder is brought up to date even when started in it, and
    // the shipped skeleton, read-only, is never a ProgramDir.
    if (holdsProgramData(env.currentDir) && !samePlace(env.currentDir, user) && !samePlace(env.currentDir, skeleton))
        return {env.currentDir, {}};
    ProgramDirChoice choice{user, prepareUserProgramDir(user, skeleton, env.home, env.schoolDir)};
    if (skeleton.isEmpty())
        choice.problems << QStringLiteral("nie znaleziono wzorów dołączonych do programu");
    if (!QFileInfo(user).isDir())
        choice.dir = env.currentDir;
    return choice;
}

QString templatesFolder(const QString &named, const DataEnvironment &env, QStringList *problems)
{
    if (!named.isEmpty())
        return named;
    if (holdsProgramData(env.currentDir))
        return resolveDataPath(env.currentDir, Templates);
    const QString user = userProgramDir(env);
    if (holdsProgramData(user)) {
        const QStringList found = prepareUserProgramDir(user, shippedDataDir(env), env.home, env.schoolDir);
        if (problems)
            *problems << found;
        return resolveDataPath(user, Templates);
    }
    const QString shipped = shippedDataDir(env);
    return resolveDataPath(shipped.isEmpty() ? env.currentDir : shipped, Templates);
}

} // namespace platform
