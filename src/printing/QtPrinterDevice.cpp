#include "printing/QtPrinterDevice.h"

#include <QPageLayout>
#include <QPrinter>

namespace printing {

QtPrinterDevice::QtPrinterDevice(QPrinter &printer, bool pagesPerJob) : printer_(printer), pagesPerJob_(pagesPerJob)
{
    // The origin is the printable area's top-left corner.
    printer_.setFullPage(false);
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

std::int32_t QtPrinterDevice::logPixelsX()
{
    return printer_.logicalDpiX();
}

std::int32_t QtPrinterDevice::logPixelsY()
{
    return printer_.logicalDpiY();
}

std::int32_t QtPrinterDevice::horzRes()
{
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width();
}

std::int32_t QtPrinterDevice::vertRes()
{
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
}

void QtPrinterDevice::beginJob(const QString &documentName)
{
    if (pagesPerJob_ && pages_ > 0 && painter_.isActive()) {
        if (!printer_.newPage())
            throw PrintError(QStringLiteral("Nie można rozpocząć kolejnej strony wydruku."));
        // Every page starts from the surface's own font, as a new job would.
        painter_.setFont(firstFont_);
    } else {
        printer_.setDocName(documentName);
        if (!painter_.begin(&printer_)) {
            const QString where = printer_.outputFileName().isEmpty() ? printer_.printerName()
                                                                      : printer_.outputFileName();
            throw PrintError(QStringLiteral("Nie można rozpocząć wydruku (%1).").arg(where));
        }
        firstFont_ = painter_.font();
    }
    ++pages_;
    startDrawing(painter_);
}

void QtPrinterDevice::endJob()
{
    if (!pagesPerJob_ && painter_.isActive())
        painter_.end();
}

void QtPrinterDevice::abortJob()
{
    if (!painter_.isActive())
        return;
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
    pages_ = 0;
}

void QtPrinterDevice::finish()
{
    if (painter_.isActive())
        painter_.end();
    pages_ = 0;
}

} // namespace printing
