#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// A painter's palette with dabs of colour and a brush across it.
void drawPaints(Art &a, const Scheme &s)
{
    const QColor edge(0x6B, 0x4A, 0x2E);
    Path board;
    for (int i = 0; i < 60; ++i) {
        const double t = 2 * kPi * i / 60;
        const double r = 1 - 0.16 * std::exp(-std::pow((t - 5.2) / 0.35, 2));
        board.push_back({std::cos(t) * 19 * r - 1, std::sin(t) * 14 * r + 2});
    }
    a.pen(edge, 0.4);
    a.brush(QColor(0xE6, 0xC2, 0x8E));
    a.shape(board);
    a.brush(Qt::white);
    a.disc({7.5, 8}, 2.6);
    const QColor dabs[] = {kidColour(0), kidColour(1), kidColour(2), kidColour(3), kidColour(4), s.main};
    const QPointF at[] = {{-12, 4}, {-10, -4}, {-3, -8}, {5, -7.5}, {11.5, -3}, {-6, 9}};
    a.noPen();
    for (int k = 0; k < 6; ++k) {
        a.brush(dabs[k]);
        a.shape(ellipsePath(at[k], 3.2, 2.6, k * 40.0, 24));
    }
    // The brush, from its handle (bottom left) to the tip.
    const QPointF from(-16, 19), to(17, -17);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    const auto quad = [&](double t0, double w0, double t1, double w1) {
        return Path{from + d * t0 + n * w0, from + d * t1 + n * w1, from + d * t1 - n * w1, from + d * t0 - n * w0};
    };
    a.pen(mix(s.main, Qt::black, 0.4), 0.25);
    a.brush(s.main);
    a.shape(quad(0, 1.1, 32, 1.8));
    a.brush(QColor(0xB8, 0xBC, 0xC4));
    a.shape(quad(32, 1.8, 38, 1.6));
    a.brush(QColor(0x3A, 0x2A, 0x22));
    Path tip = quad(38, 1.6, 44, 1.7);
    tip.insert(tip.begin() + 2, from + d * 49);
    a.shape(tip);
    a.noPen();
    a.brush(kidColour(0));
    a.shape({from + d * 44 + n * 1.7, from + d * 49, from + d * 44 - n * 1.7});
}

} // namespace templateart
