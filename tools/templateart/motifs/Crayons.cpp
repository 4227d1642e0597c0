#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// Five crayons fanned out, points up.
void drawCrayons(Art &a, const Scheme &)
{
    for (int k = 0; k < 5; ++k) {
        const double ang = -28 + k * 14;
        const QPointF base(0, 22);
        const auto at = [&](double x, double y) { return base + rot({x, y}, ang); };
        const QColor c = kidColour(k);
        const QColor dark = mix(c, Qt::black, 0.35);
        a.pen(dark, 0.25);
        a.brush(c);
        a.shape({at(-3, 0), at(3, 0), at(3, -27), at(-3, -27)});
        a.brush(mix(c, Qt::white, 0.35));
        a.shape({at(-3, -27), at(3, -27), at(0.9, -33), at(-0.9, -33)});
        a.brush(c);
        a.shape({at(-0.9, -33), at(0.9, -33), at(0, -35.5)});
        a.noPen();
        a.brush(dark);
        for (double y : {-5.0, -22.0})
            a.shape({at(-3, y), at(3, y), at(3, y - 1.4), at(-3, y - 1.4)});
        a.brush(mix(c, Qt::white, 0.55));
        a.shape({at(-1.8, -8), at(-1.0, -8), at(-1.0, -19), at(-1.8, -19)});
    }
}

} // namespace templateart
