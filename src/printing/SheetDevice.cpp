#include "printing/SheetDevice.h"

#include "platform/Rounding.h"

#include <QPainter>

namespace printing {

std::int32_t SheetGeometry::dots(qreal millimetres, std::int32_t dpi)
{
    return platform::Round(static_cast<long double>(millimetres) * dpi / 25.4L);
}

SheetGeometry SheetGeometry::a4(std::int32_t dpi, const QRectF &printableMm)
{
    SheetGeometry g;
    g.dpi = dpi;
    g.sheet = QSize(dots(210, dpi), dots(297, dpi));
    if (printableMm.isEmpty()) {
        g.printable = QRect(QPoint(0, 0), g.sheet);
    } else {
        const int left = dots(printableMm.left(), dpi);
        const int top = dots(printableMm.top(), dpi);
        g.printable = QRect(left, top, dots(printableMm.right(), dpi) - left, dots(printableMm.bottom(), dpi) - top);
    }
    return g;
}

SheetDevice::SheetDevice(const SheetGeometry &geometry, PageTarget &target) : geometry_(geometry), target_(target) {}

void SheetDevice::stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture)
{
    const std::int32_t width = rect.right - rect.left;
    if (geometry_.printable.width() <= geometry_.printable.height() || width <= 0) {
        PainterDevice::stretchDraw(rect, picture);
        return;
    }
    const long double k = static_cast<long double>(geometry_.printable.width()) / width;
    DeviceRect across = rect;
    across.left = platform::Round(rect.left * k);
    across.right = platform::Round(rect.right * k);
    PainterDevice::stretchDraw(across, picture);
}

void SheetDevice::beginJob(const QString &)
{
    QPainter &painter = target_.startPage();
    painter.save();
    painter.scale(target_.scale(), target_.scale());
    painter.translate(geometry_.printable.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), geometry_.printable.size()));
    painter_ = &painter;
    startDrawing(painter);
}

void SheetDevice::endJob()
{
    if (!painter_)
        return;
    painter_->restore();
    painter_ = nullptr;
    target_.endPage();
}

void SheetDevice::abortJob()
{
    if (!painter_)
        return;
    painter_->restore();
    painter_ = nullptr;
    target_.abortPage();
}

} // namespace printing
