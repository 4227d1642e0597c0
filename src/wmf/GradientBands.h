#pragma once
#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QTransform>
#include <vector>

namespace wmf {

// One band of a gradient: part of the shape in one solid colour.
struct GradientBand {
    QPainterPath area; // device coordinates
    QColor colour;
};

// Splits an opaque linear or radial gradient filling deviceShape into bands
// of solid colour, as drawing programs did when exporting metafiles: narrow
// enough (at most one colour level, or minBandPx wide) to be invisible in
// print, small and sharp at any size. Bands are listed in painting order and
// may overlap (radial ones are discs, inner over outer, so that no seams
// show). toDevice maps the painter's coordinates to the device;
// logicalBounds is the shape's box there (for object-bounding gradients).
// False when the brush has no such form (transparent stops, repeating
// spread, conical gradients, a focal point outside the circle).
bool gradientBands(const QBrush &brush, const QTransform &toDevice, const QRectF &logicalBounds,
                   const QPainterPath &deviceShape, double minBandPx, std::vector<GradientBand> &out);

} // namespace wmf
