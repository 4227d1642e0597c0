#include "Ornaments.h"

#include "Geometry.h"

namespace templateart {

void drawCorners(Art &a, const Scheme &s, Corner corner, double m)
{
    switch (corner) {
    case Corner::None: break;
    case Corner::Rosette: {
        a.noBrush();
        for (QPointF c : {QPointF(m + 14, m + 14), QPointF(pageW() - m - 14, m + 14), QPointF(m + 14, pageH() - m - 14),
                          QPointF(pageW() - m - 14, pageH() - m - 14)}) {
            a.pen(s.main, 0.5);
            a.brush(s.tint);
            a.ellipse(c, 12, 12);
            a.noBrush();
            a.pen(s.accent, 0.15);
            a.line(rosette(c, 7, 3, 4.6, 1.0));
            a.pen(s.main, 0.12);
            a.line(rosette(c, 5, 2, 3.2, 1.0));
        }
        break;
    }
    case Corner::Scroll: {
        // Two spirals on a shared stem, mirrored into each corner.
        Path stem, sp1, sp2;
        for (int i = 0; i <= 60; ++i)
            stem.push_back(bezier({4, 42}, {4, 4}, {42, 4}, i / 60.0));
        // Spirals curling inwards from both ends of the stem.
        for (int i = 0; i <= 160; ++i) {
            const double t = i / 160.0, r = 5.5 * (1 - 0.85 * t);
            const double a1 = (-90 + t * 700) * kPi / 180;
            sp1.push_back(QPointF(42, 9.5) + QPointF(r * std::cos(a1), r * std::sin(a1)));
            const double a2 = (180 - t * 700) * kPi / 180;
            sp2.push_back(QPointF(9.5, 42) + QPointF(r * std::cos(a2), r * std::sin(a2)));
        }
        a.pen(s.main, 0.7);
        a.noBrush();
        for (const Path &p : fourCorners(stem, m))
            a.line(p);
        a.pen(s.main, 0.45);
        for (const Path &p : fourCorners(sp1, m))
            a.line(p);
        for (const Path &p : fourCorners(sp2, m))
            a.line(p);
        a.pen(s.main, 0.1);
        a.brush(s.accent);
        for (double t : {0.25, 0.5, 0.75}) {
            const QPointF p = bezier({4, 42}, {4, 4}, {42, 4}, t);
            for (const Path &l : fourCorners(leaf(p, 45, 7, 2.8), m))
                a.shape(l);
        }
        break;
    }
    case Corner::DecoSteps: {
        a.noBrush();
        for (int i = 0; i < 4; ++i) {
            const double d = 3 + i * 3.2, len = 40 - i * 7;
            a.pen(i % 2 ? s.accent : s.main, i == 0 ? 0.9 : 0.4);
            for (const Path &p : fourCorners({{d, len}, {d, d}, {len, d}}, m))
                a.line(p);
        }
        a.pen(s.main, 0.2);
        a.brush(s.accent);
        for (const Path &p : fourCorners({{15, 15}, {22, 15}, {22, 18}, {18, 18}, {18, 22}, {15, 22}}, m))
            a.shape(p);
        a.brush(s.main);
        for (const Path &p : fourCorners({{24, 24}, {27, 24}, {27, 27}, {24, 27}}, m))
            a.shape(p);
        break;
    }
    case Corner::Fan: {
        a.pen(s.main, 0.2);
        const QPointF cs[] = {
            {m + 2, m + 2}, {pageW() - m - 2, m + 2}, {m + 2, pageH() - m - 2}, {pageW() - m - 2, pageH() - m - 2}};
        const double base[] = {270, 180, 0, 90};
        for (int c = 0; c < 4; ++c) {
            for (int k = 0; k < 9; ++k) {
                a.brush(k % 2 ? s.light : s.accent);
                a.pie(cs[c], 30 - (k % 2) * 4, base[c] + k * 10, base[c] + (k + 1) * 10);
            }
            a.brush(s.main);
            a.pie(cs[c], 9, base[c], base[c] + 90);
            a.noBrush();
            a.pen(s.main, 0.5);
            a.arc(cs[c], 33, base[c], base[c] + 90);
            a.pen(s.accent, 0.3);
            a.arc(cs[c], 35, base[c], base[c] + 90);
            a.pen(s.main, 0.2);
        }
        break;
    }
    case Corner::Diamond: {
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(m + 16, m + 16), QPointF(pageW() - m - 16, m + 16), QPointF(m + 16, pageH() - m - 16),
                          QPointF(pageW() - m - 16, pageH() - m - 16)}) {
            for (int i = 0; i < 4; ++i) {
                const double r = 13 - i * 3;
                a.brush(i % 2 ? s.tint : (i == 0 ? s.main : s.accent));
                a.shape({c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)});
            }
        }
        break;
    }
    case Corner::Star: {
        for (QPointF c : {QPointF(m + 14, m + 14), QPointF(pageW() - m - 14, m + 14), QPointF(m + 14, pageH() - m - 14),
                          QPointF(pageW() - m - 14, pageH() - m - 14)}) {
            a.pen(s.main, 0.3);
            a.brush(s.accent);
            a.shape(star(c, 11, 4.5, 8, -90));
            a.brush(s.main);
            a.shape(star(c, 6, 2.6, 8, -90 + 180.0 / 8));
            a.brush(s.tint);
            a.ellipse(c, 1.6, 1.6);
        }
        break;
    }
    case Corner::Quarter: {
        // Concentric quarter circles round the corner point.
        const QPointF cs[] = {{m, m}, {pageW() - m, m}, {m, pageH() - m}, {pageW() - m, pageH() - m}};
        const double base[] = {270, 180, 0, 90};
        for (int c = 0; c < 4; ++c) {
            a.pen(s.main, 0.3);
            a.brush(s.accent);
            a.shape(arcPath(cs[c], 8, base[c], base[c] + 90, true));
            a.noBrush();
            for (int k = 0; k < 4; ++k) {
                a.pen(k % 2 ? s.accent : s.main, k == 3 ? 0.8 : 0.35);
                a.line(arcPath(cs[c], 12 + k * 4.5, base[c], base[c] + 90, false));
            }
        }
        break;
    }
    case Corner::Quatrefoil: {
        for (QPointF c : {QPointF(m + 16, m + 16), QPointF(pageW() - m - 16, m + 16), QPointF(m + 16, pageH() - m - 16),
                          QPointF(pageW() - m - 16, pageH() - m - 16)}) {
            a.noBrush();
            a.pen(s.main, 0.25);
            a.shape({c + QPointF(0, -14), c + QPointF(14, 0), c + QPointF(0, 14), c + QPointF(-14, 0)});
            a.pen(s.main, 0.35);
            a.brush(s.light);
            for (QPointF d : {QPointF(0, -5), QPointF(5, 0), QPointF(0, 5), QPointF(-5, 0)})
                a.disc(c + d, 5);
            a.noPen();
            a.disc(c, 5.2);
            a.pen(s.main, 0.3);
            a.brush(s.accent);
            a.disc(c, 3.2);
        }
        break;
    }
    case Corner::Bloom: {
        // A six-petalled flower with a ring of small leaves.
        for (QPointF c : {QPointF(m + 15, m + 15), QPointF(pageW() - m - 15, m + 15), QPointF(m + 15, pageH() - m - 15),
                          QPointF(pageW() - m - 15, pageH() - m - 15)}) {
            a.pen(s.main, 0.12);
            a.brush(s.main);
            for (int k = 0; k < 12; ++k)
                a.shape(leaf(c + rot({9.5, 0}, k * 30 + 15), k * 30 + 15, 3.6, 1.5));
            a.pen(s.main, 0.25);
            a.brush(s.accent);
            for (int k = 0; k < 6; ++k)
                a.shape(leaf(c + rot({1.5, 0}, k * 60), k * 60, 8.5, 4.4));
            a.brush(s.main);
            a.disc(c, 2.2);
        }
        break;
    }
    case Corner::Sprig: {
        Path stem;
        for (int i = 0; i <= 30; ++i)
            stem.push_back(bezier({6, 38}, {8, 8}, {38, 6}, i / 30.0));
        a.noBrush();
        a.pen(s.main, 0.45);
        for (const Path &p : fourCorners(stem, m))
            a.line(p);
        a.pen(s.main, 0.12);
        for (int k = 1; k < 9; ++k) {
            const double t = k / 9.0;
            const QPointF p = bezier({6, 38}, {8, 8}, {38, 6}, t);
            const QPointF q = bezier({6, 38}, {8, 8}, {38, 6}, t + 0.01);
            const double ang = std::atan2(q.y() - p.y(), q.x() - p.x()) * 180 / kPi;
            a.brush(k % 2 ? s.main : s.accent);
            for (const Path &l : fourCorners(leaf(p, ang + 45, 6, 2.4), m))
                a.shape(l);
            for (const Path &l : fourCorners(leaf(p, ang - 45, 6, 2.4), m))
                a.shape(l);
        }
        break;
    }
    }
}

} // namespace templateart
