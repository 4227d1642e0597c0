#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A tall cup with two handles on a stepped plinth.
void drawCup(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.accent, Qt::black, 0.4);
    a.noBrush();
    a.pen(edge, 1.4);
    for (int side : {-1, 1})
        a.line(curve({side * 11.0, -15}, {side * 22.0, -14}, {side * 8.0, -1}));
    a.pen(s.accent, 0.8);
    for (int side : {-1, 1})
        a.line(curve({side * 11.0, -15}, {side * 22.0, -14}, {side * 8.0, -1}));
    Path bowl = curve({-13, -19}, {-13, 2}, {-2.5, 2});
    const Path right = curve({2.5, 2}, {13, 2}, {13, -19});
    bowl.insert(bowl.end(), right.begin(), right.end());
    a.pen(edge, 0.35);
    a.brush(s.accent);
    a.shape(bowl);
    a.brush(mix(s.accent, Qt::white, 0.4));
    a.shape({{-13, -19}, {13, -19}, {12, -16.5}, {-12, -16.5}});
    a.brush(s.accent);
    a.rect(-2, 2, 2, 9);
    a.shape({{-2, 9}, {2, 9}, {8, 13}, {-8, 13}});
    a.brush(s.main);
    a.rect(-11, 13, 11, 16);
    a.rect(-14, 16, 14, 20);
    a.noPen();
    a.brush(mix(s.accent, Qt::white, 0.55));
    a.shape(star({0, -7}, 5.5, 2.2, 5));
    a.brush(s.light);
    a.rect(-8, 17.2, 8, 18.8);
}

} // namespace templateart
