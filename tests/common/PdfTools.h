#pragma once
#include "ProgramRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

// Command-line tools around PDF output: poppler's pdf* programs and a
// cups-pdf queue.

// Runs program and gives back its standard output; exitCode is -1 when it
// did not start or crashed.
inline QString runTool(const QString &program, const QStringList &args, int *exitCode = nullptr, int timeoutMs = 60000)
{
    const ProgramResult r = runProgram(program, args, QProcessEnvironment::systemEnvironment(), {}, timeoutMs);
    if (exitCode)
        *exitCode = r.status;
    return r.out;
}

// A cups-pdf queue as tests/printing/cups-pdf-queue.sh leaves it.
struct CupsPdfQueue {
    QString skipReason; // not empty: no CUPS here, the test is skipped
    int status = -1;    // the script's exit status
    QString outDir;     // where cups-pdf writes the jobs
};

inline CupsPdfQueue setUpCupsPdfQueue(const QString &name)
{
    QProcess setup;
    setup.start(QStringLiteral("sh"),
                {qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/printing/cups-pdf-queue.sh"), name});
    CupsPdfQueue queue;
    if (!setup.waitForFinished(60000)) {
        queue.skipReason = QStringLiteral("the CUPS set-up script did not finish within 60 s");
        return queue;
    }
    queue.status = setup.exitCode();
    if (queue.status == 3)
        queue.skipReason = QStringLiteral("CUPS cannot run here: ")
                           + QString::fromUtf8(setup.readAllStandardError()).trimmed();
    else
        queue.outDir = QString::fromUtf8(setup.readAllStandardOutput()).trimmed();
    return queue;
}

// The path of the first PDF in out that is not one of before and that
// cups-pdf has finished writing (it does so some time after accepting the
// job); empty when none is finished within timeoutMs.
inline QString awaitNewPdf(QDir out, const QStringList &before, int timeoutMs = 60000)
{
    QString produced;
    QElapsedTimer clock;
    clock.start();
    while (produced.isEmpty() && clock.elapsed() < timeoutMs) {
        QTest::qWait(250);
        out.refresh();
        for (const QString &name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time)) {
            if (before.contains(name))
                continue;
            const QString path = out.filePath(name);
            QFile f(path);
            if (f.open(QIODevice::ReadOnly) && f.size() > 0) {
                f.seek(qMax<qint64>(0, f.size() - 64));
                if (f.readAll().contains("%%EOF"))
                    produced = path;
            }
            break;
        }
    }
    return produced;
}
