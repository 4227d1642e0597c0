#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// An apple with a leaf, for a teacher.
void drawApple(Art &a, const Scheme &)
{
    const QColor red(0xD2, 0x32, 0x2D), green(0x5E, 0x9E, 0x3A);
    Path apple;
    for (int i = 0; i < 72; ++i) {
        const double t = 2 * kPi * i / 72;
        const double r =
            15 * (1 - 0.22 * std::pow(std::max(0.0, -std::sin(t)), 12) - 0.1 * std::pow(std::max(0.0, std::sin(t)), 14));
        apple.push_back({std::cos(t) * r * 1.05, std::sin(t) * r * 0.95 + 3});
    }
    a.noBrush();
    a.pen(QColor(0x6B, 0x4A, 0x2E), 1.2);
    a.line(curve({0, -9}, {0.5, -14}, {2.5, -18}));
    a.pen(mix(green, Qt::black, 0.3), 0.25);
    a.brush(green);
    a.shape(leaf({1.5, -15}, -25, 12, 5));
    a.pen(mix(red, Qt::black, 0.3), 0.35);
    a.brush(red);
    a.shape(apple);
    a.noPen();
    a.brush(mix(red, Qt::white, 0.5));
    a.shape(ellipsePath({-7, -3}, 2.4, 4.5, 20, 24));
}

} // namespace templateart
