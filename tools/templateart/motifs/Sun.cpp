#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A rising sun over a rule at the head of the sheet.
void classicSun(Art &a, const Scheme &s, double cx)
{
    const QPointF c(cx, 50);
    a.pen(s.main, 0.2);
    a.brush(s.accent);
    for (int k = 0; k < 13; ++k) {
        const double ang = -180 + 180.0 * (k + 0.5) / 13;
        const QPointF d = rot({1, 0}, ang), n = rot({0, 1}, ang);
        a.shape({c + d * 13.5 + n * 1.6, c + d * (k % 2 ? 19.0 : 23.0), c + d * 13.5 - n * 1.6});
    }
    a.pen(s.main, 0.4);
    a.shape(arcPath(c, 11, 0, 180, false));
    a.pen(s.main, 0.6);
    a.line({{cx - 45, 50}, {cx + 45, 50}});
    a.pen(s.accent, 0.3);
    a.line({{cx - 35, 52}, {cx + 35, 52}});
}

} // namespace templateart
