#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A heart with a smaller one inside.
void drawHeart(Art &a, const Scheme &s)
{
    const auto heart = [](double k, QPointF c) {
        Path p;
        for (int i = 0; i < 72; ++i) {
            const double t = 2 * kPi * i / 72;
            p.push_back(c
                        + QPointF(16 * std::pow(std::sin(t), 3),
                                  -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t)))
                              * k);
        }
        return p;
    };
    a.pen(mix(s.main, Qt::black, 0.3), 0.35);
    a.brush(s.main);
    a.shape(heart(1.1, {0, 1}));
    a.noBrush();
    a.pen(mix(s.main, Qt::white, 0.5), 0.5);
    Path inner = heart(0.8, {0, 1.2});
    inner.push_back(inner.front());
    a.line(inner);
    a.noPen();
    a.brush(mix(s.main, Qt::white, 0.55));
    a.shape(ellipsePath({-7, -6}, 3, 1.8, -40, 24));
}

} // namespace templateart
