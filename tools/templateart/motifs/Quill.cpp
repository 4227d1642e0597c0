#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A quill standing in an inkwell.
void drawQuill(Art &a, const Scheme &s)
{
    const QPointF base(-7, 9);
    const double ang = -62; // towards the top right
    const QPointF d = rot({1, 0}, ang), n = rot({0, 1}, ang);
    a.pen(mix(s.main, Qt::black, 0.3), 0.25);
    a.brush(mix(s.light, Qt::white, 0.3));
    Path vane;
    for (int i = 0; i <= 20; ++i) {
        const double u = i / 20.0;
        vane.push_back(base + d * (8 + 28 * u) + n * (5.5 * std::pow(std::sin(kPi * u), 0.7) * (1 - 0.3 * u)));
    }
    for (int i = 19; i > 0; --i) {
        const double u = i / 20.0;
        vane.push_back(base + d * (8 + 28 * u) - n * (3.8 * std::pow(std::sin(kPi * u), 0.7)));
    }
    a.shape(vane);
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.35), 0.18);
    for (int k = 1; k < 11; ++k) {
        const double u = k / 11.0;
        const QPointF p = base + d * (8 + 28 * u);
        a.line({p, p + d * 3 + n * (5.0 * std::pow(std::sin(kPi * u), 0.7) * (1 - 0.3 * u))});
        a.line({p, p + d * 2.5 - n * (3.4 * std::pow(std::sin(kPi * u), 0.7))});
    }
    a.pen(s.main, 0.45);
    a.line({base, base + d * 38});
    // The inkwell in front of the quill's foot.
    const QColor ink = mix(s.main, Qt::black, 0.35);
    a.pen(ink, 0.3);
    a.brush(s.main);
    Path pot = {{-14, 19}, {0, 19}};
    const Path top = curve({0, 19}, {3, 9}, {-3, 9}, 12);
    pot.insert(pot.end(), top.begin(), top.end());
    pot.push_back({-11, 9});
    const Path back = curve({-11, 9}, {-17, 9}, {-14, 19}, 12);
    pot.insert(pot.end(), back.begin(), back.end());
    a.shape(pot);
    a.brush(s.accent);
    a.rect(-10.5, 6.5, -3.5, 9);
    a.noPen();
    a.brush(mix(s.main, Qt::white, 0.4));
    a.rect(-12.5, 12, -11.2, 17);
}

} // namespace templateart
