#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A butterfly with spotted wings.
void drawButterfly(Art &a, const Scheme &s)
{
    const QColor dark(0x33, 0x2B, 0x3A);
    for (int side : {-1, 1}) {
        a.pen(mix(s.main, Qt::black, 0.3), 0.3);
        a.brush(s.main);
        a.shape(ellipsePath({side * 9.0, -5}, 10, 7.5, side * -35.0));
        a.brush(s.accent);
        a.shape(ellipsePath({side * 7.0, 7}, 7, 5.5, side * 30.0));
        a.noPen();
        a.brush(mix(s.main, Qt::white, 0.6));
        a.disc({side * 11.0, -7}, 2.6);
        a.disc({side * 6.0, -2}, 1.3);
        a.brush(mix(s.accent, Qt::white, 0.55));
        a.disc({side * 8.0, 8.5}, 1.8);
    }
    a.pen(dark, 0.2);
    a.brush(dark);
    a.shape(ellipsePath({0, 1}, 1.6, 10, 0, 24));
    a.disc({0, -10}, 2);
    a.noBrush();
    a.pen(dark, 0.35);
    for (int side : {-1, 1})
        a.line(curve({side * 0.8, -11.5}, {side * 2.0, -18}, {side * 7.0, -19}, 10));
    a.noPen();
    a.brush(dark);
    a.disc({-7, -19}, 1);
    a.disc({7, -19}, 1);
}

} // namespace templateart
