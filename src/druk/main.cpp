#include "Run.h"
#include "StagedOutputs.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

namespace {

// TODO(merge): platform::ignoreFileSizeSignal
// Past a file-size limit (ulimit -f) the system would end the program by
// SIGXFSZ without a word and leave its temporary file; ignored, the write
// fails with EFBIG, which the run reports and cleans up after.
void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

// A command-line tool prints only its own lines: the toolkit's warnings
// (e.g. "QStandardPaths: XDG_RUNTIME_DIR not set") are noise here, while
// its critical and fatal errors stay visible.
void toolkitMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    std::fprintf(stderr, "dyplom-druk: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

int main(int argc, char **argv)
{
    ignoreFileSizeSignal();
    druk::StagedOutputs::removeTemporaryFilesOnInterrupt();
    qInstallMessageHandler(toolkitMessages);
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
