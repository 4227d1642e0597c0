#include "TForm1.h"
#include "platform/ErrorReportingApplication.h"
#include "platform/FontSubstitutes.h"

int main(int argc, char *argv[])
{
    platform::ErrorReportingApplication app(argc, argv);
    platform::installFontSubstitutes();
    TForm1 Form1;
    Form1.show();
    app.exec();
    return 0;
}
