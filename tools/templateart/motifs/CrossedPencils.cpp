#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// Two pencils crossed like swords for a knighting.
void drawCrossedPencils(Art &a, const Scheme &s)
{
    for (int side : {-1, 1}) {
        const double ang = side * 45.0 - 90; // points up and outwards
        const auto at = [&](double along, double across) { return rot({along, across}, ang) + QPointF(0, 4); };
        const QColor body = side < 0 ? s.main : s.accent;
        a.pen(mix(body, Qt::black, 0.35), 0.25);
        a.brush(QColor(0xF2, 0x9C, 0xA6));
        a.shape({at(-22, -2.6), at(-18.5, -2.6), at(-18.5, 2.6), at(-22, 2.6)});
        a.brush(QColor(0xB8, 0xBC, 0xC4));
        a.shape({at(-18.5, -2.8), at(-15.5, -2.8), at(-15.5, 2.8), at(-18.5, 2.8)});
        a.brush(body);
        a.shape({at(-15.5, -2.6), at(14, -2.6), at(14, 2.6), at(-15.5, 2.6)});
        a.brush(QColor(0xF0, 0xD2, 0xA4));
        a.shape({at(14, -2.6), at(21, -0.8), at(21, 0.8), at(14, 2.6)});
        a.brush(QColor(0x33, 0x33, 0x33));
        a.shape({at(21, -0.8), at(23.5, 0), at(21, 0.8)});
        a.noPen();
        a.brush(mix(body, Qt::white, 0.45));
        a.shape({at(-15.5, -0.9), at(14, -0.9), at(14, 0.4), at(-15.5, 0.4)});
    }
}

} // namespace templateart
