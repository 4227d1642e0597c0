#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A graduate's cap over a rolled diploma tied with a ribbon.
void drawMortarboard(Art &a, const Scheme &s)
{
    const QColor edge = mix(s.main, Qt::black, 0.35);
    a.pen(edge, 0.3);
    a.brush(QColor(0xFF, 0xFB, 0xEE));
    a.rect(-17, 9, 17, 17);
    a.brush(QColor(0xF3, 0xE9, 0xD2));
    a.shape(ellipsePath({17, 13}, 1.8, 4, 0, 24));
    a.brush(s.accent);
    a.rect(-2.5, 9, 2.5, 17);
    a.shape({{-1, 16}, {-5, 21}, {-2.5, 21.5}, {0, 17}});
    a.shape({{1, 16}, {5, 21}, {2.5, 21.5}, {0, 17}});
    a.brush(s.main);
    Path skull = {{-10, -4}, {10, -4}, {10, 3}};
    const Path foot = curve({10, 3}, {0, 7}, {-10, 3}, 16);
    skull.insert(skull.end(), foot.begin(), foot.end());
    a.shape(skull);
    a.brush(mix(s.main, Qt::white, 0.15));
    a.shape({{-21, -8}, {0, -16}, {21, -8}, {0, -1}});
    a.noBrush();
    a.pen(s.accent, 0.6);
    a.line({{0, -8.5}, {15, -6}, {15, 3}});
    a.pen(edge, 0.2);
    a.brush(s.accent);
    a.disc({0, -8.5}, 1.3);
    a.shape({{14, 2.5}, {16, 2.5}, {17, 7}, {13, 7}});
}

} // namespace templateart
