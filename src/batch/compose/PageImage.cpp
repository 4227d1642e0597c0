#include "PageImage.h"
#include "PageTargets.h"

#include <QPainter>

namespace batch {

namespace {

// The picture of ImageTarget, kept in memory.
class MemoryTarget : public printing::PageTarget {
public:
    MemoryTarget(const printing::SheetGeometry &geometry, int dpi)
        : size_(pictureSize(geometry, dpi)), scale_(qreal(dpi) / geometry.dpi), dpi_(dpi)
    {}
    QPainter &startPage() override
    {
        startPicture(image, painter_, size_, dpi_); // no memory: a null picture
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

} // namespace batch
