#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A conical flask with a bubbling liquid.
void drawFlask(Art &a, const Scheme &s)
{
    const QColor glass = mix(s.main, Qt::black, 0.2);
    const Path body = {{-3.5, -19}, {3.5, -19}, {3.5, -7}, {15, 15}, {14, 18}, {-14, 18}, {-15, 15}, {-3.5, -7}};
    a.pen(glass, 0.5);
    a.brush(QColor(0xF4, 0xFA, 0xFC));
    a.shape(body);
    a.pen(mix(s.accent, Qt::black, 0.2), 0.2);
    a.brush(s.accent);
    a.shape({{-8.6, 3}, {8.6, 3}, {14.3, 14.8}, {13.5, 17.2}, {-13.5, 17.2}, {-14.3, 14.8}});
    a.noPen();
    a.brush(mix(s.accent, Qt::white, 0.5));
    for (QPointF p : {QPointF(-4, 10), QPointF(3, 7), QPointF(6, 13), QPointF(0, -3), QPointF(2, -10)})
        a.disc(p, p.y() < 3 ? 1.0 : 1.5);
    a.pen(glass, 0.5);
    a.brush(glass);
    a.rect(-5, -21, 5, -19);
}

} // namespace templateart
