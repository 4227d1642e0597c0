#include "Borders.h"

#include "Geometry.h"

namespace templateart {

namespace {

Path roundedRect(double inset, double radius)
{
    const double l = inset, t = inset, r = pageW() - inset, b = pageH() - inset;
    Path p = {{pageW() / 2, t}}; // starts and ends mid-edge: no seam at a corner
    const auto corner = [&](QPointF c, double a0) {
        const Path arc = arcPath(c, radius, a0, a0 - 90, false);
        p.insert(p.end(), arc.begin(), arc.end());
    };
    corner({r - radius, t + radius}, 90);
    corner({r - radius, b - radius}, 0);
    corner({l + radius, b - radius}, 270);
    corner({l + radius, t + radius}, 180);
    p.push_back(p.front());
    return p;
}

void rule(Art &a, QColor c, double width, double inset)
{
    a.noBrush();
    a.pen(c, width);
    const double d = inset;
    a.line({{d, d}, {pageW() - d, d}, {pageW() - d, pageH() - d}, {d, pageH() - d}, {d, d}});
}

// A small deterministic scatter, the same on every run.
struct Scatter {
    unsigned state;
    double next() // 0..1
    {
        state = state * 1103515245u + 12345u;
        return double((state >> 8) & 0xFFFF) / 65535.0;
    }
};

void rounded(Art &a, const Scheme &s)
{
    a.noBrush();
    a.pen(s.main, 1.1);
    a.line(roundedRect(12, 12));
    a.pen(s.accent, 0.4);
    a.line(roundedRect(15.5, 9));
    a.pen(s.main, 0.2);
    a.line(roundedRect(17, 7.5));
}

void dots(Art &a, const Scheme &s, int variant)
{
    const Track tr = roundedTrack(14, 8, 0.5);
    const double step = variant == 1 ? 4.5 : 6.0;
    const int n = int(std::lround(tr.length / step));
    a.noPen();
    for (int k = 0; k < n; ++k) {
        const size_t i = size_t(double(k) / n * double(tr.pts.size() - 1));
        const bool small = variant == 1 && k % 2;
        a.brush(small ? s.main : kidColour(variant == 1 ? k / 2 : k));
        a.disc(tr.pts[i], small ? 1.0 : 2.1);
        if (variant == 2) {
            a.brush(kidColour(k + 2));
            a.disc(tr.pts[i] - tr.normals[i] * 4.2, 1.2);
        }
    }
    a.noBrush();
    a.pen(s.main, 0.35);
    a.line(roundedRect(variant == 2 ? 22 : 19.5, 6));
}

void rainbow(Art &a, const Scheme &s)
{
    a.noPen();
    for (int k = 0; k < 5; ++k) {
        a.brush(kidColour(k));
        const double y = 10 + k * 2.6;
        a.rect(10, y, pageW() - 10, y + 2.2);
        const double yb = pageH() - 10 - (k + 1) * 2.6 + 0.4;
        a.brush(kidColour(4 - k));
        a.rect(10, yb, pageW() - 10, yb + 2.2);
    }
    for (int k = 0; k < 2; ++k) {
        a.brush(kidColour(k * 3 + 1));
        const double x = 10 + k * 2.6;
        a.rect(x, 23, x + 2.2, pageH() - 23);
        a.rect(pageW() - x - 2.2, 23, pageW() - x, pageH() - 23);
    }
    rule(a, s.main, 0.3, 18);
}

void swoosh(Art &a, const Scheme &s)
{
    // Waves in from the top-left and bottom-right corners, the lighter one
    // behind the darker.
    const auto wave = [&](double depth, double reach, bool top) {
        Path p;
        const int n = 40;
        for (int i = 0; i <= n; ++i) {
            const double u = double(i) / n;
            const double x = reach * u;
            const double y = depth * (1 - u) * (1 - u) * (1 + 0.35 * std::sin(u * kPi * 2.2));
            p.push_back(top ? QPointF(x, y) : QPointF(pageW() - x, pageH() - y));
        }
        p.push_back(top ? QPointF(0, 0) : QPointF(pageW(), pageH()));
        return p;
    };
    a.noPen();
    a.brush(s.light);
    a.shape(wave(62, 205, true));
    a.shape(wave(62, 205, false));
    a.brush(s.accent);
    a.shape(wave(46, 170, true));
    a.shape(wave(46, 170, false));
    a.brush(s.main);
    a.shape(wave(32, 130, true));
    a.shape(wave(32, 130, false));
    rule(a, s.main, 0.3, 8);
}

void brackets(Art &a, const Scheme &s, int variant)
{
    rule(a, s.main, 0.3, 16);
    a.pen(s.main, 0.25);
    a.brush(s.main);
    const double m = 11, len = variant ? 58 : 36, w = variant ? 2.2 : 3.2;
    for (const Path &p : fourCorners({{0, 0}, {len, 0}, {len, w}, {w, w}, {w, len}, {0, len}}, m))
        a.shape(p);
    if (variant) {
        a.noBrush();
        a.pen(s.accent, 0.5);
        a.line(roundedRect(19, 5));
        a.pen(s.main, 0.25);
        a.brush(s.accent);
        for (const Path &p : fourCorners(star({0, 0}, 5, 1.8, 8, 0), m + 1.1))
            a.shape(p);
        return;
    }
    a.brush(s.accent);
    for (const Path &p : fourCorners(
             {{w + 2, w + 2}, {len - 8, w + 2}, {len - 8, w + 3.4}, {w + 3.4, w + 3.4}, {w + 3.4, len - 8}, {w + 2, len - 8}},
             m))
        a.shape(p);
    for (const Path &p : fourCorners(star({9.5, 9.5}, 3, 1.2, 4, 0), m))
        a.shape(p);
}

void bunting(Art &a, const Scheme &s, int variant)
{
    a.noBrush();
    a.pen(s.main, 0.3);
    a.line(roundedRect(10, 6));
    if (variant) {
        // One row of swallow-tailed flags in the design's own colours.
        const auto at = [](double u) { return QPointF(10 + (pageW() - 20) * u, 11 + 10 * 4 * u * (1 - u)); };
        a.pen(mix(s.main, Qt::black, 0.2), 0.4);
        Path string;
        for (int i = 0; i <= 40; ++i)
            string.push_back(at(i / 40.0));
        a.line(string);
        const int flags = 9;
        a.pen(mix(s.main, Qt::black, 0.3), 0.15);
        for (int k = 0; k < flags; ++k) {
            const QPointF p0 = at((k + 0.15) / flags), p1 = at((k + 0.85) / flags);
            const QPointF down(0, 14);
            a.brush(k % 2 ? s.accent : s.main);
            a.shape({p0, p1, p1 + down, (p0 + p1) / 2 + down * 0.6, p0 + down});
        }
        return;
    }
    for (int row = 0; row < 2; ++row) {
        const double x0 = 10 + row * 4, x1 = pageW() - 10 - row * 4;
        const double sag = row ? 9 : 6, y0 = row ? 13 : 11;
        const auto at = [&](double u) { return QPointF(x0 + (x1 - x0) * u, y0 + sag * 4 * u * (1 - u)); };
        a.pen(mix(s.main, Qt::black, 0.2), 0.35);
        Path string;
        for (int i = 0; i <= 40; ++i)
            string.push_back(at(i / 40.0));
        a.line(string);
        const int flags = row ? 11 : 13;
        a.pen(mix(s.main, Qt::black, 0.3), 0.15);
        for (int k = 0; k < flags; ++k) {
            const double u0 = (k + 0.12) / flags, u1 = (k + 0.88) / flags;
            const QPointF p0 = at(u0), p1 = at(u1);
            const QPointF tip = (p0 + p1) / 2 + QPointF(0, row ? 9 : 7.5);
            a.brush(kidColour(k + row * 2));
            a.shape({p0, p1, tip});
        }
    }
}

void keys(Art &a, const Scheme &s)
{
    rule(a, s.main, 0.6, 10);
    rule(a, s.accent, 0.25, 13);
    const double top = pageH() - 30, bottom = pageH() - 14, l = 16, r = pageW() - 16;
    const int white = 28;
    const double w = (r - l) / white;
    a.pen(s.main, 0.25);
    a.brush(Qt::white);
    a.rect(l, top, r, bottom);
    a.noBrush();
    for (int k = 1; k < white; ++k)
        a.line({{l + k * w, top}, {l + k * w, bottom}});
    a.noPen();
    a.brush(s.main);
    for (int k = 1; k < white; ++k) {
        const int inOctave = k % 7;
        if (inOctave == 0 || inOctave == 3)
            continue;
        a.rect(l + k * w - w * 0.3, top, l + k * w + w * 0.3, top + 9.5);
    }
    a.brush(s.accent);
    a.rect(l, top - 1.5, r, top);
}

void confetti(Art &a, const Scheme &s, int variant)
{
    rule(a, s.main, 0.35, 11);
    if (variant == 1)
        rule(a, s.accent, 0.8, 14);
    const unsigned seeds[] = {20261u, 9091u, 4242u};
    Scatter rnd{seeds[variant % 3]};
    const auto inMargin = [](QPointF p) {
        return p.x() < 34 || p.x() > pageW() - 34 || p.y() < 40 || p.y() > pageH() - 34;
    };
    a.noPen();
    int placed = 0;
    for (int tries = 0; placed < 90 && tries < 2000; ++tries) {
        const QPointF p(14 + rnd.next() * (pageW() - 28), 14 + rnd.next() * (pageH() - 28));
        const double kind = rnd.next(), turn = rnd.next() * 180, size = 1.2 + rnd.next() * 1.6;
        if (!inMargin(p))
            continue;
        a.brush(variant == 1 ? (placed % 2 ? s.accent : s.main) : (placed % 6 == 5 ? s.accent : kidColour(placed)));
        if (kind < 0.35 || variant == 1)
            a.shape(star(p, size * 1.6, size * 0.7, 5, turn));
        else if (kind < 0.7)
            a.disc(p, size * 0.8);
        else
            a.shape({p + rot({-size * 1.4, -0.9}, turn), p + rot({size * 1.4, -0.9}, turn),
                     p + rot({size * 1.4, 0.9}, turn), p + rot({-size * 1.4, 0.9}, turn)});
        ++placed;
    }
}

void meadow(Art &a, const Scheme &s, int variant)
{
    a.noBrush();
    a.pen(s.main, 0.8);
    a.line(roundedRect(10, 10));
    a.pen(s.main, 0.25);
    a.line(roundedRect(13, 7));
    const auto hill = [&](double base, double amp, double waves, double phase, QColor c) {
        Path p = {{13, pageH() - 13}};
        for (int i = 0; i <= 60; ++i) {
            const double x = 13 + (pageW() - 26) * i / 60.0;
            p.push_back({x, base - amp * (0.5 + 0.5 * std::sin(x / (pageW() - 26) * 2 * kPi * waves + phase))});
        }
        p.push_back({pageW() - 13, pageH() - 13});
        a.noPen();
        a.brush(c);
        a.shape(p);
    };
    if (variant) {
        hill(pageH() - 22, 16, 0.8, 3.6, QColor(0xC4, 0xE3, 0x9A));
        hill(pageH() - 16, 9, 2.3, 1.0, QColor(0x5C, 0xA8, 0x48));
    } else {
        hill(pageH() - 24, 10, 1.3, 0.5, QColor(0xA9, 0xD8, 0x8A));
        hill(pageH() - 17, 7, 1.7, 2.5, QColor(0x6D, 0xB8, 0x4E));
    }
    a.brush(kidColour(0));
    Scatter rnd{77};
    for (int k = 0; k < 14; ++k) {
        const QPointF p(20 + rnd.next() * (pageW() - 40), pageH() - 16 - rnd.next() * 4);
        a.brush(k % 3 == 0 ? kidColour(2) : (k % 3 == 1 ? Qt::white : kidColour(0)));
        for (int j = 0; j < 5; ++j)
            a.disc(p + rot({1.1, 0}, j * 72.0), 0.75);
    }
}

void notched(Art &a, const Scheme &s)
{
    const auto frame = [&](double inset, double notch) {
        const double l = inset, t = inset, r = pageW() - inset, b = pageH() - inset;
        Path p;
        const QPointF cs[] = {{l, t}, {r, t}, {r, b}, {l, b}};
        const double startAngle[] = {270, 180, 90, 0};
        for (int c = 0; c < 4; ++c) {
            const Path arc = arcPath(cs[c], notch, startAngle[c], startAngle[c] + 90, false);
            p.insert(p.end(), arc.begin(), arc.end());
        }
        p.push_back(p.front());
        return p;
    };
    a.noBrush();
    a.pen(s.main, 1.0);
    a.line(frame(11, 12));
    a.pen(s.accent, 0.45);
    a.line(frame(14, 9));
    a.pen(s.main, 0.2);
    a.line(frame(16, 7));
    a.pen(s.main, 0.2);
    a.brush(s.accent);
    for (const Path &p : fourCorners(star({0, 0}, 4.5, 1.8, 4, 45), 11))
        a.shape(p);
}

void sash(Art &a, const Scheme &s)
{
    rule(a, s.main, 0.3, 10);
    const auto band = [&](double from, double width, bool topLeft) {
        Path p = {{from, 0}, {from + width, 0}, {0, from + width}, {0, from}};
        for (QPointF &q : p)
            if (!topLeft)
                q = QPointF(pageW(), pageH()) - q;
        return p;
    };
    a.noPen();
    for (bool tl : {true, false}) {
        a.brush(s.main);
        a.shape(band(28, 9, tl));
        a.brush(s.accent);
        a.shape(band(39, 3, tl));
        a.brush(s.light);
        a.shape(band(44, 2, tl));
    }
}

void garland(Art &a, const Scheme &s)
{
    rule(a, s.main, 0.5, 11);
    rule(a, s.accent, 0.25, 13.5);
    const QColor green(0x5E, 0x9E, 0x3A);
    for (bool top : {true, false}) {
        const double y0 = top ? 16 : pageH() - 16, sag = top ? 14 : -14;
        for (int k = 0; k < 3; ++k) {
            const double x0 = 16 + k * (pageW() - 32) / 3, x1 = x0 + (pageW() - 32) / 3;
            const QPointF a0(x0, y0), a1(x1, y0), c((x0 + x1) / 2, y0 + sag);
            a.noBrush();
            a.pen(mix(green, Qt::black, 0.3), 0.4);
            a.line(curve(a0, c, a1, 24));
            a.pen(mix(green, Qt::black, 0.3), 0.12);
            a.brush(green);
            for (int j = 1; j < 12; ++j) {
                const double u = j / 12.0;
                const QPointF p = bezier(a0, c, a1, u), q = bezier(a0, c, a1, u + 0.01);
                const double ang = std::atan2(q.y() - p.y(), q.x() - p.x()) * 180 / kPi;
                a.shape(leaf(p, ang + (j % 2 ? 40 : -40), 4.5, 1.9));
            }
            a.pen(mix(s.main, Qt::black, 0.2), 0.15);
            a.brush(s.main);
            const QPointF mid = bezier(a0, c, a1, 0.5);
            for (int j = 0; j < 5; ++j)
                a.disc(mid + rot({1.6, 0}, j * 72.0), 1.3);
            a.brush(s.accent);
            a.disc(mid, 0.9);
        }
        a.pen(mix(s.main, Qt::black, 0.2), 0.15);
        a.brush(s.accent);
        for (int k = 0; k <= 3; ++k)
            a.disc({16 + k * (pageW() - 32) / 3, y0}, 1.6);
    }
}

} // namespace

double borderInset(const BorderStyle &b)
{
    switch (b.border) {
    case Border::Rainbow: return 23;
    case Border::Dots: return b.variant == 2 ? 23 : 20;
    case Border::Garland: return 28;
    case Border::Classic: return b.band == Band::None ? kOuter + 2 : kOuter + kBand + 4;
    default: return 20;
    }
}

void drawBorder(Art &a, const Scheme &s, const BorderStyle &b)
{
    switch (b.border) {
    case Border::Rounded: rounded(a, s); break;
    case Border::Dots: dots(a, s, b.variant); break;
    case Border::Rainbow: rainbow(a, s); break;
    case Border::Swoosh: swoosh(a, s); break;
    case Border::Brackets: brackets(a, s, b.variant); break;
    case Border::Bunting: bunting(a, s, b.variant); break;
    case Border::Keys: keys(a, s); break;
    case Border::Confetti: confetti(a, s, b.variant); break;
    case Border::Meadow: meadow(a, s, b.variant); break;
    case Border::Notched: notched(a, s); break;
    case Border::Sash: sash(a, s); break;
    case Border::Garland: garland(a, s); break;
    case Border::Classic:
        drawBand(a, s, b.band);
        drawRules(a, s, 2, b.band == Band::None ? kOuter : kOuter + kBand + 2.5);
        break;
    }
}

} // namespace templateart
