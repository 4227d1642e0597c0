#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

void laurelBranch(Art &a, const Scheme &s, QPointF base, QPointF ctrl, QPointF tip, int leaves, double size)
{
    Path stem;
    for (int i = 0; i <= 40; ++i)
        stem.push_back(bezier(base, ctrl, tip, i / 40.0));
    a.noBrush();
    a.pen(s.main, 0.5);
    a.line(stem);
    a.pen(s.main, 0.12);
    for (int k = 0; k < leaves; ++k) {
        const double t = 0.08 + 0.9 * k / leaves;
        const QPointF p = bezier(base, ctrl, tip, t);
        const QPointF q = bezier(base, ctrl, tip, t + 0.01);
        const double ang = std::atan2(q.y() - p.y(), q.x() - p.x()) * 180 / kPi;
        const double len = size * (1.0 - 0.45 * t);
        a.brush(k % 3 == 1 ? s.accent : mix(s.main, s.accent, 0.25));
        a.shape(leaf(p, ang + 38, len, len * 0.38));
        a.shape(leaf(p, ang - 38, len, len * 0.38));
    }
    a.brush(s.accent);
    a.shape(leaf(tip, std::atan2(tip.y() - ctrl.y(), tip.x() - ctrl.x()) * 180 / kPi, size * 0.6, size * 0.25));
}

} // namespace templateart
