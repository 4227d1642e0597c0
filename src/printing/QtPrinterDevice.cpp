#include "printing/QtPrinterDevice.h"

#include "editor/Colours.h"
#include "wmf/Metafile.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>

namespace printing {

QtPrinterDevice::QtPrinterDevice(QPrinter &printer) : printer_(printer)
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
    printer_.setDocName(documentName);
    if (!painter_.begin(&printer_)) {
        const QString where = printer_.outputFileName().isEmpty() ? printer_.printerName() : printer_.outputFileName();
        throw PrintError(QStringLiteral("Nie można rozpocząć wydruku (%1).").arg(where));
    }
    // The surface's defaults: text cells opaque on a solid white background.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
    font_ = painter_.font();
    colour_ = Qt::black;
}

void QtPrinterDevice::endJob()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrinterDevice::abortJob()
{
    if (!painter_.isActive())
        return;
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
}

void QtPrinterDevice::stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture)
{
    if (picture.isEmpty())
        return;
    painter_.save();
    picture.draw(painter_, QRectF(rect.left, rect.top, qreal(rect.right) - rect.left, qreal(rect.bottom) - rect.top));
    painter_.restore();
}

void QtPrinterDevice::setFontColour(editor::ColourValue colour)
{
    colour_ = editor::toQColor(colour, QGuiApplication::palette());
}

void QtPrinterDevice::setFontName(const QString &name)
{
    font_.setFamily(name);
}

void QtPrinterDevice::setFontStyle(std::uint8_t style)
{
    font_.setBold(style & editor::FontStyle::Bold);
    font_.setItalic(style & editor::FontStyle::Italic);
    font_.setUnderline(style & editor::FontStyle::Underline);
    font_.setStrikeOut(style & editor::FontStyle::StrikeOut);
}

void QtPrinterDevice::setFontSize(std::int32_t points)
{
    // Qt takes no empty or negative pixel size; the smallest real font is
    // one dot high.
    font_.setPixelSize(std::max<std::int32_t>(1, characterHeight(points, logPixelsY())));
}

void QtPrinterDevice::textOut(std::int32_t x, std::int32_t y, const QString &text)
{
    if (text.isEmpty() || !painter_.isActive())
        return;
    painter_.setFont(font_);
    painter_.setPen(colour_);
    const QFontMetricsF metrics(font_, &printer_);
    const QRectF cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter_.fillRect(cell, painter_.background());
    painter_.drawText(QPointF(x, y + metrics.ascent()), text);
}

} // namespace printing
