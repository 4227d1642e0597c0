#include "Run.h"
#include "StagedOutputs.h"

#include "platform/ProcessSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    platform::ignoreFileSizeSignal();
    druk::StagedOutputs::removeTemporaryFilesOnInterrupt();
    platform::quietToolkitMessages("dyplom-druk");
    // Printing needs fonts and a palette but no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return druk::run(arguments, out, err);
}
