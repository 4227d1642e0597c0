#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A ladybird on a leaf.
void drawLadybird(Art &a, const Scheme &)
{
    const QColor green(0x5E, 0x9E, 0x3A), red(0xE0, 0x3A, 0x2E), black(0x22, 0x22, 0x22);
    a.pen(mix(green, Qt::black, 0.3), 0.3);
    a.brush(green);
    a.shape(leaf({-21, 12}, -14, 42, 17));
    a.noBrush();
    a.pen(mix(green, Qt::black, 0.3), 0.35);
    a.line(curve({-21, 12}, {0, 10}, {19, 2}));
    a.pen(black, 0.45);
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k)
            a.line({{side * 6.0, -4.0 + k * 5}, {side * 12.5, -6.0 + k * 6.5}});
    for (int side : {-1, 1})
        a.line(curve({side * 2.0, -12}, {side * 3.0, -17}, {side * 7.0, -18}, 10));
    a.pen(black, 0.3);
    a.brush(black);
    a.disc({-7, -18}, 1);
    a.disc({7, -18}, 1);
    a.disc({0, -9}, 5.5);
    a.brush(red);
    a.shape(ellipsePath({0, 2}, 10.5, 11.5));
    a.noBrush();
    a.line({{0, -9}, {0, 13.5}});
    a.noPen();
    a.brush(black);
    for (QPointF p :
         {QPointF(-5, -2), QPointF(5, -2), QPointF(-6.5, 5), QPointF(6.5, 5), QPointF(-3, 10), QPointF(3, 10)})
        a.disc(p, 1.9);
    a.brush(Qt::white);
    a.disc({-2.3, -10.5}, 1);
    a.disc({2.3, -10.5}, 1);
}

} // namespace templateart
