#include "StartArguments.h"
#include "TForm1.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

StartArguments readStartArguments(const QStringList &arguments, const QString &currentDir)
{
    StartArguments start;
    bool diplomaSeen = false;
    for (const QString &argument : arguments) {
        const bool diploma = argument.endsWith(QLatin1String(".dyp"), Qt::CaseInsensitive)
                             && !argument.startsWith(QLatin1Char('-'));
        if (!diploma) {
            start.notes << QStringLiteral("dyplom: pominięto argument „%1” (program otwiera tylko plik dyplomu .dyp)")
                               .arg(argument);
        } else if (diplomaSeen) {
            start.notes << QStringLiteral("dyplom: pominięto argument „%1” (otwierany jest tylko pierwszy dyplom)")
                               .arg(argument);
        } else {
            diplomaSeen = true;
            const QString path = QDir(currentDir).absoluteFilePath(argument);
            const QFileInfo info(path);
            if (info.exists() || info.isSymLink())
                start.diplomaFile = path;
            else
                start.notes << QStringLiteral("dyplom: nie ma pliku „%1”").arg(argument);
        }
    }
    return start;
}

void openAfterStart(TForm1 &form, const StartArguments &start)
{
    if (start.diplomaFile.isEmpty())
        return;
    QTimer::singleShot(0, &form, [&form, path = start.diplomaFile] { form.openDiplomaFile(path); });
}
