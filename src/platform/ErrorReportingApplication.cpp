#include "ErrorReportingApplication.h"
#include "Platform.h"

namespace platform {

bool ErrorReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        reportException(activeWindow(), error);
    }
    return false;
}

} // namespace platform
