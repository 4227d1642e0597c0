#include "Run.h"
#include "batch/output/StagedOutputs.h"

#include "platform/ProcessSetup.h"

#include <QApplication>
#include <QFile>

#include <csignal>
#include <memory>

int main(int argc, char **argv)
{
    platform::ignoreFileSizeSignal();
    // A reader of -o - that goes away is a failed write, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    batch::StagedOutputs::removeTemporaryFilesOnInterrupt();
    // Without XDG_RUNTIME_DIR the toolkit makes a runtime folder in $TMPDIR
    // that stays there: it gets one of the run's own, which goes with it.
    std::unique_ptr<batch::ScratchFolder> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        try {
            runtime = std::make_unique<batch::ScratchFolder>();
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
        } catch (const std::exception &) {
            // Then the toolkit's own default.
        }
    }
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
