#include "TForm1.h"
#include "admin/Tnarzedzia_f.h"
#include "companions/Wizyt.h"
#include "editor/FontDialog.h"
#include "history/Thisto_f.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"
#include "platform/PolishTranslations.h"
#include "platform/ProcessSetup.h"

int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::ErrorReportingApplication app(argc, argv);
    platform::installFontSubstitutes();
    platform::installPolishTranslations();
    editor::installFontDialog();
    TForm1 Form1; // runs the start-up sequence
    Tform3 form3;
    Thisto_f histo_f;
    Tnarzedzia_f narzedzia_f;
    Form1.setSecondaryWindows(&form3, &histo_f, &narzedzia_f);
    Form1.show();
    app.exec();
    return 0;
}
