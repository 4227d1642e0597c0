#include "printing/PrintCommand.h"

#include "platform/Platform.h"
#include "printing/QtPrinterDevice.h"

#include <QPrinter>

namespace printing {

void SpeedButton4Click(QWidget *parent, const std::function<PrintInput()> &gather)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!platform::services().printDialog(parent, printer))
        return;
    try {
        QtPrinterDevice device(printer);
        printDiploma(device, gather());
    } catch (const std::exception &error) {
        platform::reportException(parent, error);
    }
}

} // namespace printing
