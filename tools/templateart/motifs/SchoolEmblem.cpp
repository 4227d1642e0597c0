#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A school's shield with an open book and a star, between laurel branches.
void drawSchoolEmblem(Art &a, const Scheme &s)
{
    laurelBranch(a, s, {-3, 21}, {-21, 19}, {-19, -12}, 9, 4.8);
    laurelBranch(a, s, {3, 21}, {21, 19}, {19, -12}, 9, 4.8);
    Path shield = {{-13, -17}, {13, -17}};
    const Path right = curve({13, -17}, {14, 8}, {0, 18});
    const Path left = curve({0, 18}, {-14, 8}, {-13, -17});
    shield.insert(shield.end(), right.begin() + 1, right.end());
    shield.insert(shield.end(), left.begin() + 1, left.end());
    a.pen(mix(s.main, Qt::black, 0.3), 0.6);
    a.brush(s.main);
    a.shape(shield);
    a.noBrush();
    a.pen(s.accent, 0.4);
    Path inner;
    for (const QPointF &p : shield)
        inner.push_back(p * 0.84 + QPointF(0, -0.4));
    inner.push_back(inner.front());
    a.line(inner);
    a.pen(mix(s.main, Qt::black, 0.3), 0.2);
    a.brush(Qt::white);
    for (int side : {-1, 1})
        a.shape({{0, 1}, {side * 8.5, -1}, {side * 8.5, 6.5}, {0, 8.5}});
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.4), 0.2);
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k)
            a.line({{side * 1.5, 2.8 + k * 1.8}, {side * 7.0, 1.3 + k * 1.8}});
    a.noPen();
    a.brush(s.accent);
    a.shape(star({0, -8}, 5, 2, 5));
}

} // namespace templateart
