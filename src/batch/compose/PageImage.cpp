#include "PageImage.h"

#include "platform/Rounding.h"

#include <QPainter>

namespace druk {

namespace {

// The picture of ImageTarget, kept in memory.
class MemoryTarget : public printing::PageTarget {
public:
    MemoryTarget(const printing::SheetGeometry &geometry, int dpi)
        : size_(platform::Round(static_cast<long double>(geometry.sheet.width()) * dpi / geometry.dpi),
                platform::Round(static_cast<long double>(geometry.sheet.height()) * dpi / geometry.dpi)),
          scale_(qreal(dpi) / geometry.dpi), dpi_(dpi)
    {}
    QPainter &startPage() override
    {
        image = QImage(size_, QImage::Format_RGB32);
        if (image.isNull())
            return painter_;
        image.fill(Qt::white);
        const int dotsPerMetre = platform::Round(dpi_ / 0.0254L);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        painter_.begin(&image);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
        return painter_;
    }
    void endPage() override
    {
        if (painter_.isActive())
            painter_.end();
    }
    void abortPage() override
    {
        endPage();
        image = QImage();
    }
    qreal scale() const override { return scale_; }

    QImage image;

private:
    QSize size_;
    qreal scale_;
    int dpi_;
    QPainter painter_;
};

} // namespace

QImage pageImage(const printing::PrintInput &page, const printing::SheetGeometry &geometry, int dpi, QStringList *offPage)
{
    MemoryTarget target(geometry, dpi);
    printing::SheetDevice device(geometry, target);
    printing::printDiploma(device, page);
    if (offPage)
        *offPage = device.textsOffThePage();
    return target.image;
}

} // namespace druk
