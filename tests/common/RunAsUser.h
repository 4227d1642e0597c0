#pragma once
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

// Runs a helper program the way an ordinary user would: as root (CI) it is
// started as user nobody through setpriv, otherwise as the current user.
// Folders the helper has to reach must be opened up with letOthersIn().
struct HelperRun {
    int exitCode = -1;
    QString output; // stdout
    QString errors; // stderr
    bool started = false;
};

inline HelperRun runAsOrdinaryUser(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    if (::geteuid() == 0) {
        QStringList args{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), program};
        args += arguments;
        process.start(QStringLiteral("setpriv"), args);
    } else {
        process.start(program, arguments);
    }
    HelperRun run;
    run.started = process.waitForStarted();
    if (!run.started || !process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    run.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return run;
}

// Sets the mode of a test's own file or folder, by default read and search
// rights for everybody.
inline bool letOthersIn(const QString &path, mode_t mode = 0755)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}
