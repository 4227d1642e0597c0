#include "Run.h"

#include "platform/ProcessSetup.h"

#include <QGuiApplication>

int main(int argc, char **argv)
{
    platform::ignoreFileSizeSignal();
    platform::quietToolkitMessages("dyplom-wzory");
    // Fonts for SVG and PDF text, but no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return wzory::run(arguments, out, err);
}
