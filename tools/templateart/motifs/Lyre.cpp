#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A lyre: two curved arms, a crossbar and strings.
void drawLyre(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.accent, Qt::black, 0.4);
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.2), 0.2);
    for (int k = -2; k <= 2; ++k)
        a.line({{k * 2.4, -13}, {k * 1.6, 13}});
    for (int side : {-1, 1}) {
        const Path arm = curve({side * 5.0, 15}, {side * 22.0, 2}, {side * 9.0, -18}, 30);
        a.pen(edge, 2.4);
        a.line(arm);
        a.pen(s.accent, 1.6);
        a.line(arm);
        a.pen(edge, 0.3);
        a.brush(s.accent);
        a.disc({side * 9.5, -18.5}, 2);
    }
    a.pen(edge, 0.3);
    a.brush(s.accent);
    a.rect(-12, -15, 12, -12);
    a.shape({{-7, 13}, {7, 13}, {5, 18}, {-5, 18}});
    a.brush(s.main);
    a.disc({0, 15.5}, 1.2);
}

} // namespace templateart
