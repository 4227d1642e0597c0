#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

void classicStars(Art &a, const Scheme &s, double cx)
{
    a.pen(s.main, 0.25);
    for (int k = -2; k <= 2; ++k) {
        const double r = k == 0 ? 7.5 : (std::abs(k) == 1 ? 5.5 : 4.0);
        a.brush(k == 0 ? s.accent : s.main);
        a.shape(star({cx + k * 16, 42 + std::abs(k) * 2.0}, r, r * 0.4, 5));
    }
    a.pen(s.accent, 0.5);
    a.line({{cx - 50, 262}, {cx + 50, 262}});
    a.brush(s.accent);
    a.pen(s.main, 0.25);
    a.shape(star({cx, 262}, 4, 1.6, 5));
}

} // namespace templateart
