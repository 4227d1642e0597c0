#include "Motifs.h"

#include "Geometry.h"

namespace templateart {

// Three tulips tied with a bow.
void drawTulips(Art &a, const Scheme &s)
{
    const QColor green(0x4E, 0x8A, 0x3A);
    const QPointF heads[] = {{-10, -9}, {0, -15}, {10, -8}};
    const QColor colours[] = {kidColour(0), kidColour(2), mix(kidColour(0), s.main, 0.5)};
    a.pen(mix(green, Qt::black, 0.25), 0.2);
    a.brush(green);
    a.shape(leaf({-1, 18}, -125, 20, 6));
    a.shape(leaf({1, 18}, -55, 20, 6));
    a.noBrush();
    a.pen(green, 0.8);
    for (QPointF h : heads)
        a.line(curve({h.x() * 0.15, 20}, {h.x() * 0.5, 8}, h + QPointF(0, 4)));
    for (int k = 0; k < 3; ++k) {
        const QPointF h = heads[k];
        a.pen(mix(colours[k], Qt::black, 0.3), 0.25);
        a.brush(colours[k]);
        Path cup = curve(h + QPointF(-5, -4), h + QPointF(-5.5, 5), h + QPointF(0, 5), 10);
        const Path right = curve(h + QPointF(0, 5), h + QPointF(5.5, 5), h + QPointF(5, -4), 10);
        cup.insert(cup.end(), right.begin() + 1, right.end());
        cup.push_back(h + QPointF(2.5, -1.5));
        cup.push_back(h + QPointF(0, -6));
        cup.push_back(h + QPointF(-2.5, -1.5));
        a.shape(cup);
        a.noPen();
        a.brush(mix(colours[k], Qt::white, 0.4));
        a.shape(leaf(h + QPointF(-2.5, 3), -80, 6, 1.6));
    }
    a.pen(mix(s.accent, Qt::black, 0.3), 0.2);
    a.brush(s.light);
    a.shape({{0, 12}, {-7, 8.5}, {-7, 15.5}});
    a.shape({{0, 12}, {7, 8.5}, {7, 15.5}});
    a.brush(s.accent);
    a.disc({0, 12}, 1.6);
}

// A daisy with two leaves.
void drawDaisy(Art &a, const Scheme &s)
{
    const QColor green(0x5E, 0x9E, 0x3A);
    a.pen(mix(green, Qt::black, 0.25), 0.2);
    a.brush(green);
    a.shape(leaf({0, 8}, 150, 14, 6));
    a.shape(leaf({0, 8}, 30, 14, 6));
    a.pen(mix(s.main, Qt::black, 0.1), 0.2);
    a.brush(Qt::white);
    for (int k = 0; k < 14; ++k)
        a.shape(leaf(rot({3, 0}, k * 360.0 / 14), k * 360.0 / 14, 11, 4.2));
    a.pen(mix(QColor(0xE8, 0xA0, 0x20), Qt::black, 0.2), 0.25);
    a.brush(QColor(0xF6, 0xC3, 0x2E));
    a.disc({0, 0}, 4.2);
}

} // namespace templateart
