#include "TasksWindow.h"

#include "platform/DataPath.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

// Started by the editor in its ProgramDir as `terminy "Moje zadania"`: the
// argument is the list's title; the tasks live in its Terminarz.
int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    const QStringList args = app.arguments().mid(1);
    TasksWindow window(platform::resolveDataPath(platform::currentDirectory(), QStringLiteral("Terminarz")),
                       args.join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
