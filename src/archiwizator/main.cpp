#include "ArchiverWindow.h"

#include "platform/DataPath.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

// Started by the editor in its ProgramDir, where archiwizator_config.dat is.
int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("dyplom"));
    QCoreApplication::setApplicationName(QStringLiteral("archiwizator"));
    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    ArchiverWindow window(platform::currentDirectory());
    window.show();
    return app.exec();
}
