#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A smiling sun with rays.
void drawKidSun(Art &a, const Scheme &)
{
    const QColor yellow(0xF7, 0xC5, 0x2B), orange(0xF2, 0x8C, 0x28), dark(0x7A, 0x4A, 0x12);
    a.pen(mix(orange, Qt::black, 0.2), 0.25);
    a.brush(orange);
    for (int k = 0; k < 12; ++k) {
        const double ang = k * 30.0;
        const double len = k % 2 ? 17.0 : 20.0;
        a.shape({rot({11.5, -2.4}, ang), rot({len, 0}, ang), rot({11.5, 2.4}, ang)});
    }
    a.pen(mix(yellow, orange, 0.6), 0.4);
    a.brush(yellow);
    a.disc({0, 0}, 12);
    a.noPen();
    a.brush(dark);
    a.disc({-4.2, -3}, 1.4);
    a.disc({4.2, -3}, 1.4);
    a.brush(QColor(0xF4, 0x8C, 0x7A));
    a.disc({-7, 2}, 1.8);
    a.disc({7, 2}, 1.8);
    a.noBrush();
    a.pen(dark, 0.7);
    a.line(arcPath({0, 1}, 5.5, 200, 340, false));
}

} // namespace templateart
