#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A microscope on its foot, the tube slanted.
void drawMicroscope(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.main, Qt::black, 0.4);
    const auto slanted = [](QPointF c, double along0, double along1, double w) {
        const double ang = -62;
        return Path{c + rot({along0, -w}, ang), c + rot({along1, -w}, ang), c + rot({along1, w}, ang),
                    c + rot({along0, w}, ang)};
    };
    a.pen(edge, 0.3);
    a.brush(s.main);
    Path foot = {{-16, 20}, {12, 20}, {12, 17}};
    const Path top = curve({12, 17}, {-2, 13}, {-16, 17}, 14);
    foot.insert(foot.end(), top.begin(), top.end());
    a.shape(foot);
    a.noBrush();
    a.pen(edge, 3.2);
    a.line(curve({6, 15}, {12, 2}, {4, -8}, 20));
    a.pen(s.main, 2.4);
    a.line(curve({6, 15}, {12, 2}, {4, -8}, 20));
    a.pen(edge, 0.3);
    a.brush(s.accent);
    a.rect(-12, 4, 8, 6.5);
    a.brush(s.main);
    const QPointF c(-2, -5);
    a.shape(slanted(c, -9, 13, 3));
    a.brush(s.accent);
    a.shape(slanted(c, 13, 17, 2));
    a.shape(slanted(c, -13, -9, 1.8));
    a.brush(s.light);
    a.disc({8.5, -1}, 2.2);
    a.noPen();
    a.brush(mix(s.main, Qt::white, 0.45));
    a.shape(slanted(c, -6, 10, 0.7));
}

} // namespace templateart
