#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A medal on a ribbon inside a laurel wreath.
void drawMedalLaurel(Art &a, const Scheme &s)
{
    laurelBranch(a, s, {-2, 19}, {-20, 18}, {-17, -8}, 8, 5.5);
    laurelBranch(a, s, {2, 19}, {20, 18}, {17, -8}, 8, 5.5);
    a.pen(mix(s.main, Qt::black, 0.2), 0.25);
    a.brush(s.main);
    a.shape({{-10, -20}, {-4, -20}, {4, -3}, {-2, -3}});
    a.brush(mix(s.main, Qt::white, 0.35));
    a.shape({{4, -20}, {10, -20}, {2, -3}, {-4, -3}});
    const QColor rim = mix(s.accent, Qt::black, 0.35);
    a.pen(rim, 0.35);
    a.brush(s.accent);
    a.disc({0, 6}, 11);
    a.noBrush();
    a.pen(rim, 0.3);
    a.disc({0, 6}, 8.4);
    a.noPen();
    a.brush(mix(s.accent, Qt::white, 0.45));
    a.shape(star({0, 6}, 6, 2.5, 5));
}

} // namespace templateart
