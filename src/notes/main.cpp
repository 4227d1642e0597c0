#include "NotesWindow.h"

#include "platform/DataPath.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

// Started by the editor in its ProgramDir; the notes live in its Notatki.
int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    NotesWindow window(platform::resolveDataPath(platform::currentDirectory(), QStringLiteral("Notatki")));
    window.show();
    const int code = app.exec();
    window.saveNow();
    return code;
}
