#include "Companions.h"
#include "CommandLine.h"

#include "platform/DataPath.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace companions {
namespace {

const QLatin1String ExeSuffix(".exe");

QStringList candidateNames(const QString &name)
{
    QStringList names;
    const QString fileName = QFileInfo(name).fileName();
    if (!fileName.contains(QLatin1Char('.'))) {
        names << name + ExeSuffix;
#ifndef Q_OS_WIN
        names << name;
#endif
        return names;
    }
    names << name;
#ifndef Q_OS_WIN
    if (fileName.endsWith(ExeSuffix, Qt::CaseInsensitive) && fileName.size() > ExeSuffix.size())
        names << name.chopped(ExeSuffix.size());
#endif
    return names;
}

QString findIn(const QString &folder, const QStringList &names)
{
    if (folder.isEmpty())
        return QString();
    for (const QString &n : names) {
        const QFileInfo info(platform::resolveDataPath(folder, n));
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return QString();
}

bool hasFolder(const QString &name)
{
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'));
}

} // namespace

ProgramSearch processProgramSearch(const QString &executableFolder)
{
    ProgramSearch s;
    s.executableFolder = executableFolder.isEmpty() ? QCoreApplication::applicationDirPath() : executableFolder;
    s.currentFolder = platform::currentDirectory();
    const QStringList entries = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &e : entries)
        s.path << QDir(s.currentFolder).absoluteFilePath(QDir::fromNativeSeparators(e));
    return s;
}

QString findProgram(const QString &name, const ProgramSearch &search)
{
    if (name.trimmed().isEmpty())
        return QString();
    const QStringList names = candidateNames(QDir::fromNativeSeparators(name));
    if (hasFolder(name)) {
        if (QDir::isAbsolutePath(QDir::fromNativeSeparators(name))) {
            for (const QString &n : names) {
                const QFileInfo info(n);
                if (info.isFile() && info.isExecutable())
                    return info.absoluteFilePath();
            }
            return QString();
        }
        return findIn(search.currentFolder, names);
    }
    QStringList folders{search.executableFolder, search.currentFolder};
    folders += search.path;
    for (const QString &folder : folders) {
        QString found = findIn(folder, names);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool startCompanion(const QString &commandLine, const ProgramSearch &search)
{
    QStringList args = splitWindowsCommandLine(commandLine);
    if (args.isEmpty())
        return false;
    const QString program = findProgram(args.takeFirst(), search);
    if (program.isEmpty())
        return false;
    return platform::services().startDetached(program, args);
}

bool startCompanion(const QString &commandLine)
{
    return startCompanion(commandLine, processProgramSearch());
}

void Mojenotatki()
{
    startCompanion(NotesCommandLine);
}

void Terminarz()
{
    startCompanion(SchedulerCommandLine);
}

void OchronaDanych()
{
    startCompanion(ArchiverCommandLine);
}

} // namespace companions
