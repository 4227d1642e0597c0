#include "Platform.h"
#include "QtPlatform.h"

#include <QDialog>

namespace platform {
namespace {
Platform *installed = nullptr;
}

int Platform::runDialog(QDialog &dialog)
{
    return dialog.exec();
}

Platform &services()
{
    if (!installed) {
        static QtPlatform real;
        installed = &real;
    }
    return *installed;
}

void installServices(Platform *platform)
{
    installed = platform;
}

void reportException(QWidget *parent, const std::exception &error)
{
    services().reportError(parent, QString::fromUtf8(error.what()));
}

} // namespace platform
