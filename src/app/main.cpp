#include "TForm1.h"
#include "platform/ErrorReportingApplication.h"

int main(int argc, char *argv[])
{
    platform::ErrorReportingApplication app(argc, argv);
    TForm1 Form1;
    Form1.show();
    app.exec();
    return 0;
}
