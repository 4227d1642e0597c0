#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

void classicCrest(Art &a, const Scheme &s, double cx)
{
    a.noPen();
    for (int k = 0; k < 3; ++k) {
        a.brush(k == 1 ? s.accent : s.main);
        const double y = 36 + k * 4;
        a.shape({{cx - 30 + k * 6, y},
                 {cx, y + 8},
                 {cx + 30 - k * 6, y},
                 {cx + 30 - k * 6, y + 1.6},
                 {cx, y + 9.6},
                 {cx - 30 + k * 6, y + 1.6}});
    }
    a.pen(s.main, 0.5);
    a.line({{cx - 40, 262}, {cx - 8, 262}});
    a.line({{cx + 8, 262}, {cx + 40, 262}});
    a.brush(s.accent);
    a.pen(s.main, 0.3);
    a.shape({{cx, 256}, {cx + 6, 262}, {cx, 268}, {cx - 6, 262}});
}

} // namespace templateart
