#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

void seal(Art &a, const Scheme &s, QPointF c, double r)
{
    // Ribbon tails behind the seal.
    a.pen(s.main, 0.25);
    a.brush(mix(s.main, Qt::white, 0.1));
    for (int side : {-1, 1}) {
        const double x = c.x() + side * r * 0.35;
        a.shape({{x - 4, c.y()},
                 {x + 4, c.y()},
                 {x + 4 + side * 7, c.y() + r * 1.9},
                 {x + side * 5, c.y() + r * 1.6},
                 {x - 4 + side * 7, c.y() + r * 1.95}});
    }
    a.brush(s.accent);
    a.pen(mix(s.accent, Qt::black, 0.3), 0.25);
    a.shape(star(c, r, r * 0.9, 36));
    a.noBrush();
    a.pen(s.main, 0.5);
    a.ellipse(c, r * 0.8, r * 0.8);
    a.pen(s.main, 0.2);
    a.ellipse(c, r * 0.72, r * 0.72);
    a.pen(mix(s.main, s.accent, 0.3), 0.12);
    a.line(rosette(c, 9, 4, 5.5, r * 0.62 / 10.5));
    a.brush(s.main);
    a.noPen();
    a.shape(star(c, r * 0.22, r * 0.09, 5));
}

} // namespace templateart
