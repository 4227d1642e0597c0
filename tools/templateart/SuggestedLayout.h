#pragma once
// The texts a teacher usually puts on a design for its occasion, laid out
// in the design's free area.
#include "Occasions.h"
#include "Palette.h"

namespace templateart {

// The fonts suggested, each list ending in a font every system has.
QStringList headingFonts(Occasion o);
QStringList nameFonts(Occasion o);
QStringList bodyFonts();

DesignInfo suggestedLayout(Occasion o, const QString &title, const QRectF &freeMm, const Scheme &s,
                           const QString &bodyOverride = QString());

} // namespace templateart
