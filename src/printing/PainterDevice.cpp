#include "printing/PainterDevice.h"

#include "editor/Colours.h"
#include "wmf/Metafile.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace printing {

void PainterDevice::startDrawing(QPainter &painter)
{
    // The surface's defaults: text cells opaque on a solid white background.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    font_ = painter.font();
    colour_ = Qt::black;
    offThePage_.clear();
    textBackground_ = true;
}

void PainterDevice::stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture)
{
    QPainter *painter = jobPainter();
    if (!painter || picture.isEmpty())
        return;
    painter->save();
    picture.draw(*painter, QRectF(rect.left, rect.top, qreal(rect.right) - rect.left, qreal(rect.bottom) - rect.top));
    painter->restore();
}

void PainterDevice::setFontColour(editor::ColourValue colour)
{
    colour_ = editor::toQColor(colour, QGuiApplication::palette());
}

void PainterDevice::setFontName(const QString &name)
{
    font_.setFamily(name);
}

void PainterDevice::setFontStyle(std::uint8_t style)
{
    font_.setBold(style & editor::FontStyle::Bold);
    font_.setItalic(style & editor::FontStyle::Italic);
    font_.setUnderline(style & editor::FontStyle::Underline);
    font_.setStrikeOut(style & editor::FontStyle::StrikeOut);
}

void PainterDevice::setFontSize(std::int32_t points)
{
    // Qt takes no empty or negative pixel size; the smallest real font is
    // one dot high.
    font_.setPixelSize(std::max<std::int32_t>(1, characterHeight(points, logPixelsY())));
}

void PainterDevice::textOut(std::int32_t x, std::int32_t y, const QString &text)
{
    QPainter *painter = jobPainter();
    if (text.isEmpty() || !painter)
        return;
    painter->setFont(font_);
    painter->setPen(colour_);
    const QFontMetricsF metrics(font_, painter->device());
    const QRectF cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (textBackground_)
        painter->fillRect(cell, painter->background());
    else
        painter->setBackgroundMode(Qt::TransparentMode);
    painter->drawText(QPointF(x, y + metrics.ascent()), text);
    if (cell.left() < 0 || cell.top() < 0 || cell.right() > horzRes() || cell.bottom() > vertRes())
        offThePage_.append(text);
}

} // namespace printing
