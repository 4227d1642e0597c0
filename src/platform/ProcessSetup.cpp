#include "ProcessSetup.h"

#include <QString>
#include <QtGlobal>
#include <csignal>
#include <cstdio>

namespace platform {

void ignoreFileSizeSignal()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

namespace {

const char *toolName = "";

void toolkitMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    std::fprintf(stderr, "%s: %s\n", toolName, message.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

void quietToolkitMessages(const char *program)
{
    toolName = program;
    qInstallMessageHandler(toolkitMessages);
}

} // namespace platform
