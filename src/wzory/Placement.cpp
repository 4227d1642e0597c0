#include "Placement.h"

#include <algorithm>

namespace wzory {

QRectF placement(QSizeF design, QSizeF sheet, Fit fit)
{
    if (design.width() <= 0 || design.height() <= 0)
        return QRectF(QPointF(0, 0), sheet);
    const double sx = sheet.width() / design.width(), sy = sheet.height() / design.height();
    const double s = fit == Fit::Contain ? std::min(sx, sy) : std::max(sx, sy);
    const QSizeF placed = design * s;
    return QRectF((sheet.width() - placed.width()) / 2, (sheet.height() - placed.height()) / 2, placed.width(),
                  placed.height());
}

} // namespace wzory
