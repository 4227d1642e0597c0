#pragma once
#include "printing/PainterDevice.h"

#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;

namespace printing {

// A printer described by numbers: its resolution, its sheet and the
// printable area on that sheet, all in dots.
struct SheetGeometry {
    std::int32_t dpi = 600;
    QSize sheet;     // whole sheet
    QRect printable; // printable area on the sheet

    // An A4 sheet (210 x 297 mm) at dpi; the printable area in millimetres
    // from the sheet's top-left corner, the whole sheet when empty.
    static SheetGeometry a4(std::int32_t dpi, const QRectF &printableMm = QRectF());
    static std::int32_t dots(qreal millimetres, std::int32_t dpi);
};

// Where the pages of a SheetDevice go: a PDF, pictures, a printer.
class PageTarget {
public:
    virtual ~PageTarget() = default;
    // A painter for a new sheet, in the target's own units.
    virtual QPainter &startPage() = 0;
    virtual void endPage() = 0;
    // Drops the page being drawn after a failure.
    virtual void abortPage() = 0;
    // Target units per printer dot.
    virtual qreal scale() const = 0;
};

// A simulated printer: every job is one sheet drawn on the target, cut to
// the printable area as a printer cuts it.
class SheetDevice : public PainterDevice {
public:
    SheetDevice(const SheetGeometry &geometry, PageTarget &target);

    std::int32_t logPixelsX() override { return geometry_.dpi; }
    std::int32_t logPixelsY() override { return geometry_.dpi; }
    std::int32_t horzRes() override { return geometry_.printable.width(); }
    std::int32_t vertRes() override { return geometry_.printable.height(); }

    // The template across the whole of a sheet that lies on its side, as
    // the preview stretches it; upright sheets as the print command draws.
    void stretchDraw(const DeviceRect &rect, const wmf::Metafile &picture) override;

    void beginJob(const QString &documentName) override;
    void endJob() override;
    void abortJob() override;

    const SheetGeometry &geometry() const { return geometry_; }

protected:
    QPainter *jobPainter() override { return painter_; }

private:
    SheetGeometry geometry_;
    PageTarget &target_;
    QPainter *painter_ = nullptr;
};

} // namespace printing
