#pragma once
#include <QRectF>
#include <QSizeF>

namespace wzory {

enum class Fit {
    Contain, // the whole design inside the sheet, centred (--dopasuj)
    Cover,   // the sheet covered, centred, the overhang cut off (--wypelnij)
};

// Where a design of the given size goes on a sheet, in the sheet's units,
// keeping its aspect ratio. Cover gives a rectangle larger than the sheet.
QRectF placement(QSizeF design, QSizeF sheet, Fit fit);

} // namespace wzory
