#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A globe on a stand with meridians and parallels.
void drawGlobe(Art &a, const Scheme &s)
{
    const QPointF c(0, -3);
    const double r = 14;
    const QColor edge = mix(s.main, Qt::black, 0.3);
    a.pen(edge, 0.2);
    a.brush(s.main);
    a.rect(-1.5, 13, 1.5, 17);
    a.shape({{-9, 17}, {9, 17}, {11, 20}, {-11, 20}});
    a.pen(edge, 0.4);
    a.brush(mix(s.light, Qt::white, 0.1));
    a.disc(c, r);
    a.pen(QColor(0x4E, 0x8A, 0x3A), 0.2);
    a.brush(QColor(0x8C, 0xC0, 0x6A));
    a.shape({{-9, -11}, {-3, -13}, {1, -9}, {-2, -5}, {-1, 1}, {-6, 4}, {-8, -2}, {-11, -5}});
    a.shape({{3, -2}, {9, -5}, {12, 0}, {9, 6}, {5, 8}, {3, 4}});
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.2), 0.25);
    for (double rx : {5.0, 10.0}) {
        Path m = ellipsePath(c, rx, r, 0, 48);
        m.push_back(m.front());
        a.line(m);
    }
    a.line({c + QPointF(0, -r), c + QPointF(0, r)});
    for (double y : {-7.0, 0.0, 7.0}) {
        const double half = std::sqrt(r * r - y * y);
        a.line({c + QPointF(-half, y), c + QPointF(half, y)});
    }
    a.pen(edge, 1.4);
    a.line(arcPath(c, r + 2.5, -120, 120, false));
    a.pen(s.accent, 0.9);
    a.line(arcPath(c, r + 2.5, -120, 120, false));
}

} // namespace templateart
