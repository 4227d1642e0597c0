#include "ClassWindow.h"

#include "platform/DataLocation.h"
#include "platform/FontSubstitutes.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("dyplom"));
    QCoreApplication::setApplicationName(QStringLiteral("dyplom-klasa"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Dyplomy dla klasy"));
    QGuiApplication::setDesktopFileName(QStringLiteral("dyplom-klasa"));
    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    const platform::ProgramDirChoice dir = platform::chooseProgramDir(platform::processDataEnvironment());
    klasa::ClassWindow window(dir.dir);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    window.show();
    window.openArguments(arguments);
    return app.exec();
}
