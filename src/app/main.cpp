#include "StartArguments.h"
#include "TForm1.h"
#include "admin/Tnarzedzia_f.h"
#include "companions/Wizyt.h"
#include "editor/FontDialog.h"
#include "history/Thisto_f.h"
#include "platform/AppIcon.h"
#include "platform/DataLocation.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

#include <QDir>
#include <cstdio>

namespace {

void note(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    // Every window, dialogs included, carries the icon in the window
    // manager's icon property; flags and the empty titles stay as they are.
    app.setWindowIcon(platform::programIcon());

    // Started outside a folder with the program's data (from the menu, say),
    // the editor works in the user's own ProgramDir.
    const platform::DataEnvironment environment = platform::processDataEnvironment();
    const StartArguments start = readStartArguments(app.arguments().mid(1), environment.currentDir);
    for (const QString &line : start.notes)
        note(line);
    const platform::ProgramDirChoice programDir = platform::chooseProgramDir(environment);
    for (const QString &problem : programDir.problems)
        note(QStringLiteral("dyplom: ") + problem);
    QDir::setCurrent(programDir.dir);

    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    editor::installFontDialog();
    TForm1 Form1; // runs the start-up sequence
    Tform3 form3;
    Thisto_f histo_f;
    Tnarzedzia_f narzedzia_f;
    Form1.setSecondaryWindows(&form3, &histo_f, &narzedzia_f);
    Form1.show();
    openAfterStart(Form1, start);
    app.exec();
    return 0;
}
