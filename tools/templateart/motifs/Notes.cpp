#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// Notes on a curving staff: a beamed pair and a single quaver.
void drawNotes(Art &a, const Scheme &s)
{
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.45), 0.25);
    for (int k = 0; k < 5; ++k) {
        const double y = -2 + k * 2.6;
        a.line(curve({-22, y + 4}, {0, y - 6}, {22, y + 2}, 24));
    }
    const QColor ink = s.main;
    const auto note = [&](QPointF head) {
        a.pen(ink, 0.2);
        a.brush(ink);
        a.shape(ellipsePath(head, 3, 2.1, -22, 24));
        a.pen(ink, 0.7);
        a.line({head + QPointF(2.6, -0.8), head + QPointF(2.6, -17)});
    };
    note({-12, 6});
    note({-3, 3});
    a.pen(ink, 0.2);
    a.brush(ink);
    a.shape({{-9.8, -11.2}, {-0.4, -14.2}, {-0.4, -11.6}, {-9.8, -8.6}});
    note({10, 5});
    a.noBrush();
    a.pen(ink, 0.9);
    a.line(curve({12.6, -12}, {18, -8}, {16, -2}, 10));
    a.noPen();
    a.brush(s.accent);
    a.shape(star({18, -15}, 2.8, 1.1, 5));
    a.shape(star({-19, -9}, 2, 0.8, 5));
}

} // namespace templateart
