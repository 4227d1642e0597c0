#include "DesignImport.h"

#include "wzory/ImportError.h"
#include "wzory/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace klasa {

DesignImport::DesignImport(QObject *parent) : QObject(parent) {}

QString DesignImport::programPath() const
{
    if (!program.isEmpty())
        return program;
    QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/dyplom-wzory");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("dyplom-wzory"));
}

bool DesignImport::start(const QString &design, const QString &templatesFolder)
{
    if (running())
        return false;
    design_ = QFileInfo(design).absoluteFilePath();
    const QString path = programPath();
    try {
        // Chosen here so that the window knows the number without reading
        // the program's output; dyplom-wzory refuses it if taken meanwhile.
        number_ = wzory::nextFreeNumber(templatesFolder);
    } catch (const wzory::ImportError &e) {
        emit finished(0, QString::fromUtf8(e.what()));
        return false;
    }
    if (path.isEmpty()) {
        emit finished(0, QStringLiteral("%1: nie znaleziono programu dyplom-wzory").arg(design_));
        return false;
    }
    // dyplom-wzory works on the Wzory folder of its current directory, and
    // on the user's own catalogue when there is none.
    if (!QDir().mkpath(templatesFolder)) {
        emit finished(0, QStringLiteral("%1: nie można utworzyć folderu %2").arg(design_, templatesFolder));
        return false;
    }
    process_ = new QProcess(this);
    process_->setWorkingDirectory(QFileInfo(templatesFolder).absolutePath());
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    connect(process_, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { done(code, status == QProcess::CrashExit); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            done(-1, false);
    });
    process_->start(path, {QStringLiteral("dodaj"), design_, QStringLiteral("--numer"), QString::number(number_)});
    return true;
}

void DesignImport::done(int exitCode, bool crashed)
{
    if (!process_)
        return;
    QProcess *process = process_;
    process_ = nullptr;
    process->deleteLater();
    if (exitCode == 0 && !crashed) {
        emit finished(number_, {});
        return;
    }
    QStringList lines;
    const QString said = QString::fromUtf8(process->readAllStandardError());
    for (QStringView line : QStringView(said).split(QLatin1Char('\n'))) {
        const QLatin1String name("dyplom-wzory: ");
        if (line.startsWith(name))
            line = line.mid(name.size());
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1String("uwaga: ")))
            lines << line.toString();
    }
    QString error = lines.join(QLatin1Char('\n'));
    if (crashed)
        error = QStringLiteral("dyplom-wzory zakończył się błędem (%1)").arg(process->errorString());
    else if (exitCode < 0)
        error = QStringLiteral("nie można uruchomić dyplom-wzory (%1)").arg(process->errorString());
    else if (error.isEmpty())
        error = QStringLiteral("dyplom-wzory zakończył się kodem %1").arg(exitCode);
    if (!error.startsWith(design_))
        error = QStringLiteral("%1: %2").arg(design_, error);
    emit finished(0, error);
}

} // namespace klasa
