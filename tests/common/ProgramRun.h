#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Running one of the build's programs from a test, as a user would.

struct ProgramResult {
    int status = -1; // the exit status; -1 when the program crashed or hung
    QString out;
    QString err;
};

// The path of the build's program name (in DYPLOM_BINARY_DIR).
inline QString builtProgram(const QString &name)
{
    return qEnvironmentVariable("DYPLOM_BINARY_DIR") + QLatin1Char('/') + name;
}

// The test's environment without XDG_RUNTIME_DIR, as in a cron job or a
// bare terminal: the toolkit's notice about it must not reach stderr.
inline QProcessEnvironment environmentWithoutRuntimeDir()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return env;
}

// Runs program with args and waits (two minutes unless timeoutMs says
// otherwise); childSetup runs in the child before the program starts.
inline ProgramResult runProgram(const QString &program, const QStringList &args,
                                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                                const std::function<void()> &childSetup = {}, int timeoutMs = 120000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (childSetup)
        p.setChildProcessModifier(childSetup);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {};
    p.waitForFinished(timeoutMs);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
