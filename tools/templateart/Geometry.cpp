#include "Geometry.h"

#include <numeric>

namespace templateart {

QPointF rot(QPointF p, double deg)
{
    const double a = deg * kPi / 180, c = std::cos(a), s = std::sin(a);
    return {p.x() * c - p.y() * s, p.x() * s + p.y() * c};
}

std::vector<Path> fourCorners(const Path &p, double m)
{
    std::vector<Path> out(4);
    for (const QPointF &q : p) {
        out[0].push_back({m + q.x(), m + q.y()});
        out[1].push_back({pageW() - m - q.x(), m + q.y()});
        out[2].push_back({m + q.x(), pageH() - m - q.y()});
        out[3].push_back({pageW() - m - q.x(), pageH() - m - q.y()});
    }
    return out;
}

Track roundedTrack(double inset, double radius, double step)
{
    const double l = inset, t = inset, r = pageW() - inset, b = pageH() - inset;
    Path raw;
    const auto arc = [&](QPointF c, double a0) {
        for (int i = 0; i <= 12; ++i) {
            const double a = (a0 + 90.0 * i / 12) * kPi / 180;
            raw.push_back(c + QPointF(radius * std::cos(a), radius * std::sin(a)));
        }
    };
    arc({r - radius, t + radius}, -90);
    arc({r - radius, b - radius}, 0);
    arc({l + radius, b - radius}, 90);
    arc({l + radius, t + radius}, 180);
    raw.push_back(raw.front());
    Track tr;
    // Resample at an even step.
    double acc = 0;
    tr.pts.push_back(raw.front());
    tr.s.push_back(0);
    double carry = 0;
    for (size_t i = 1; i < raw.size(); ++i) {
        const QPointF a = raw[i - 1], bpt = raw[i];
        const double seg = std::hypot(bpt.x() - a.x(), bpt.y() - a.y());
        double d = step - carry;
        while (d <= seg) {
            tr.pts.push_back(a + (bpt - a) * (d / seg));
            tr.s.push_back(acc + d);
            d += step;
        }
        carry = seg - (d - step);
        acc += seg;
    }
    tr.length = acc;
    const size_t n = tr.pts.size();
    for (size_t i = 0; i < n; ++i) {
        const QPointF d = tr.pts[(i + 1) % n] - tr.pts[(i + n - 1) % n];
        const double len = std::hypot(d.x(), d.y());
        tr.normals.push_back(len > 0 ? QPointF(d.y() / len, -d.x() / len) : QPointF(0, 0));
    }
    return tr;
}

Path trackWave(const Track &tr, double amp, int waves, double phase, double shift)
{
    Path p;
    for (size_t i = 0; i < tr.pts.size(); ++i) {
        const double o = shift + amp * std::sin(2 * kPi * waves * tr.s[i] / tr.length + phase);
        p.push_back(tr.pts[i] + tr.normals[i] * o);
    }
    p.push_back(p.front());
    return p;
}

Path leaf(QPointF p, double deg, double len, double width)
{
    Path out;
    const int n = 10;
    const QPointF dir = rot({1, 0}, deg), nrm = rot({0, 1}, deg);
    for (int i = 0; i <= n; ++i) {
        const double u = double(i) / n;
        out.push_back(p + dir * (len * u) + nrm * (width / 2 * std::pow(std::sin(kPi * u), 0.8)));
    }
    for (int i = n - 1; i > 0; --i) {
        const double u = double(i) / n;
        out.push_back(p + dir * (len * u) - nrm * (width / 2 * std::pow(std::sin(kPi * u), 0.8)));
    }
    return out;
}

QPointF bezier(QPointF a, QPointF c, QPointF b, double t)
{
    return a * ((1 - t) * (1 - t)) + c * (2 * (1 - t) * t) + b * (t * t);
}

Path star(QPointF c, double ro, double ri, int points, double turn)
{
    Path p;
    for (int i = 0; i < points * 2; ++i) {
        const double a = (turn + 180.0 * i / points) * kPi / 180;
        const double r = (i & 1) ? ri : ro;
        p.push_back(c + QPointF(r * std::cos(a), r * std::sin(a)));
    }
    return p;
}

Path rosette(QPointF c, double R, double r, double d, double scale, int samples)
{
    Path p;
    const int turns = int(std::lround(r / std::gcd(int(std::lround(R)), int(std::lround(r)))));
    const int n = samples * std::max(1, turns) / 4;
    for (int i = 0; i <= n; ++i) {
        const double t = 2 * kPi * turns * i / n;
        const double x = (R - r) * std::cos(t) + d * std::cos((R - r) / r * t);
        const double y = (R - r) * std::sin(t) - d * std::sin((R - r) / r * t);
        p.push_back(c + QPointF(x, y) * scale);
    }
    return p;
}

// A circular arc as points, degrees counter-clockwise (y up, as Pie and Arc
// records take them). Drawn as polygons and polylines, arcs look the same
// in every player.
Path arcPath(QPointF c, double r, double a0, double a1, bool withCentre)
{
    Path p;
    if (withCentre)
        p.push_back(c);
    const int n = std::max(8, int(std::ceil(std::abs(a1 - a0) / 3)));
    for (int i = 0; i <= n; ++i) {
        const double a = (a0 + (a1 - a0) * i / n) * kPi / 180;
        p.push_back(c + QPointF(std::cos(a) * r, -std::sin(a) * r));
    }
    return p;
}

QColor mix(QColor a, QColor b, double t)
{
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t), float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t));
}

Path ellipsePath(QPointF c, double rx, double ry, double deg, int n)
{
    Path p;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        p.push_back(c + rot({rx * std::cos(t), ry * std::sin(t)}, deg));
    }
    return p;
}

Path curve(QPointF a, QPointF c, QPointF b, int n)
{
    Path p;
    for (int i = 0; i <= n; ++i)
        p.push_back(bezier(a, c, b, double(i) / n));
    return p;
}

Path mirrored(const Path &p)
{
    Path out;
    for (const QPointF &q : p)
        out.push_back({-q.x(), q.y()});
    return out;
}

} // namespace templateart
