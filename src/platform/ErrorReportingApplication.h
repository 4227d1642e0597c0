#pragma once
#include <QApplication>

namespace platform {

// The application object's top-level handler: an error that escapes an
// event handler is shown in a message box and the program goes on.
class ErrorReportingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace platform
