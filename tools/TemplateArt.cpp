#include "TemplateArt.h"

#include "wmf/MetafileWriter.h"

#include <QColor>
#include <QPointF>
#include <cmath>
#include <functional>
#include <vector>

namespace wzory {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kUnitsPerInch = 1440;
constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;
constexpr double kPageW = 210.0, kPageH = 297.0;

using Path = std::vector<QPointF>;

struct Scheme {
    QColor main, accent, light, tint;
};

// Drawing in millimetres on top of the metafile writer. Pens and brushes
// are created when they change and the previous one is deleted, so the
// object table stays small.
class Art {
public:
    Art() : w_(QRect(0, 0, units(kPageW), units(kPageH)), kUnitsPerInch)
    {
        w_.setMapMode(8); // MM_ANISOTROPIC
        w_.setWindowOrg(0, 0);
        w_.setWindowExt(units(kPageW), units(kPageH));
        w_.setBkMode(1); // TRANSPARENT
        w_.setPolyFillMode(2);
    }

    static int units(double mm) { return int(std::lround(mm * kUnitsPerMm)); }
    static QPoint pt(QPointF p) { return QPoint(units(p.x()), units(p.y())); }

    void pen(QColor c, double widthMm) { replace(pen_, w_.createPen(0, std::max(1, units(widthMm)), c)); }
    void noPen() { replace(pen_, w_.createPen(5, 0, Qt::black)); }
    void brush(QColor c) { replace(brush_, w_.createBrush(0, c)); }
    void noBrush() { replace(brush_, w_.createBrush(1, Qt::black)); }

    void line(const Path &p)
    {
        QPolygon poly;
        for (const QPointF &q : p) {
            const QPoint u = pt(q);
            if (poly.isEmpty() || poly.last() != u)
                poly << u;
        }
        if (poly.size() >= 2)
            w_.polyline(poly);
    }
    void shape(const Path &p)
    {
        QPolygon poly;
        for (const QPointF &q : p) {
            const QPoint u = pt(q);
            if (poly.isEmpty() || poly.last() != u)
                poly << u;
        }
        if (poly.size() >= 3)
            w_.polygon(poly);
    }
    void rect(double l, double t, double r, double b) { w_.rectangle(QRect(pt({l, t}), pt({r, b}) - QPoint(1, 1))); }
    void ellipse(QPointF c, double rx, double ry)
    {
        w_.ellipse(QRect(pt(c - QPointF(rx, ry)), pt(c + QPointF(rx, ry)) - QPoint(1, 1)));
    }
    void pie(QPointF c, double r, double a0, double a1) // degrees, counter-clockwise
    {
        const QPointF s = c + QPointF(std::cos(a0 * kPi / 180) * r, -std::sin(a0 * kPi / 180) * r);
        const QPointF e = c + QPointF(std::cos(a1 * kPi / 180) * r, -std::sin(a1 * kPi / 180) * r);
        w_.pie(QRect(pt(c - QPointF(r, r)), pt(c + QPointF(r, r)) - QPoint(1, 1)), pt(s), pt(e));
    }
    // A circle as a polygon (for the newer motifs: libwmf does not fill
    // every ellipse record).
    void disc(QPointF c, double r)
    {
        Path p;
        const int n = std::max(16, int(std::ceil(2 * kPi * r / 0.5)));
        for (int i = 0; i < n; ++i)
            p.push_back(c + QPointF(std::cos(2 * kPi * i / n) * r, std::sin(2 * kPi * i / n) * r));
        shape(p);
    }
    void arc(QPointF c, double r, double a0, double a1)
    {
        const QPointF s = c + QPointF(std::cos(a0 * kPi / 180) * r, -std::sin(a0 * kPi / 180) * r);
        const QPointF e = c + QPointF(std::cos(a1 * kPi / 180) * r, -std::sin(a1 * kPi / 180) * r);
        w_.arc(QRect(pt(c - QPointF(r, r)), pt(c + QPointF(r, r)) - QPoint(1, 1)), pt(s), pt(e));
    }
    QByteArray finish() { return w_.finish(); }

private:
    void replace(int &slot, int created)
    {
        w_.selectObject(created);
        if (slot >= 0)
            w_.deleteObject(slot);
        slot = created;
    }

    wmf::MetafileWriter w_;
    int pen_ = -1, brush_ = -1;
};

// ---- geometry helpers -------------------------------------------------------

QPointF rot(QPointF p, double deg)
{
    const double a = deg * kPi / 180, c = std::cos(a), s = std::sin(a);
    return {p.x() * c - p.y() * s, p.x() * s + p.y() * c};
}

// Maps a path drawn for the top-left corner (x, y growing into the page) to
// each of the four corners of the rectangle inset by m.
std::vector<Path> fourCorners(const Path &p, double m)
{
    std::vector<Path> out(4);
    for (const QPointF &q : p) {
        out[0].push_back({m + q.x(), m + q.y()});
        out[1].push_back({kPageW - m - q.x(), m + q.y()});
        out[2].push_back({m + q.x(), kPageH - m - q.y()});
        out[3].push_back({kPageW - m - q.x(), kPageH - m - q.y()});
    }
    return out;
}

// A rounded rectangle centre line sampled densely, with unit normals
// pointing outwards and arc length.
struct Track {
    Path pts, normals;
    std::vector<double> s;
    double length = 0;
};

Track roundedTrack(double inset, double radius, double step = 0.6)
{
    const double l = inset, t = inset, r = kPageW - inset, b = kPageH - inset;
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

// A wave running round the track: offset a*sin(2*pi*k*s/L + phase).
Path trackWave(const Track &tr, double amp, int waves, double phase, double shift = 0)
{
    Path p;
    for (size_t i = 0; i < tr.pts.size(); ++i) {
        const double o = shift + amp * std::sin(2 * kPi * waves * tr.s[i] / tr.length + phase);
        p.push_back(tr.pts[i] + tr.normals[i] * o);
    }
    p.push_back(p.front());
    return p;
}

// Almond-shaped leaf from base p, pointing at angle deg, length len.
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

Path star(QPointF c, double ro, double ri, int points, double turn = -90)
{
    Path p;
    for (int i = 0; i < points * 2; ++i) {
        const double a = (turn + 180.0 * i / points) * kPi / 180;
        const double r = (i & 1) ? ri : ro;
        p.push_back(c + QPointF(r * std::cos(a), r * std::sin(a)));
    }
    return p;
}

// Hypotrochoid rosette, the classic guilloche figure.
Path rosette(QPointF c, double R, double r, double d, double scale, int samples = 720)
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

// ---- the parts of a template ----------------------------------------------

enum class Band {
    None,
    Guilloche,
    Meander,
    Vine,
    Pearls,
    Stripes,
    Waves,
    Chevrons,
    Rope,
    Scallops,
    Checker,
    Lattice,
    Dentil
};
enum class Corner { None, Rosette, Scroll, DecoSteps, Fan, Diamond, Star, Sprig, Quarter, Quatrefoil, Bloom };
enum class Emblem { None, Seal, Laurel, Wreath, Banner, Crest, Sun, Stars, Trophy, Medal };

struct Recipe {
    int scheme;
    Band band;
    int rules; // 1, 2 or 3 rules inside the band
    Corner corner;
    Emblem emblem;
    bool tint;
    bool watermark; // a pale rosette in the middle
};

const Scheme kSchemes[] = {
    {QColor(0x1F, 0x3A, 0x68), QColor(0xC9, 0xA2, 0x27), QColor(0xE9, 0xDC, 0xB0), QColor(0xFB, 0xF8, 0xEE)}, // navy, gold
    {QColor(0x7A, 0x1E, 0x2C), QColor(0xC9, 0xA2, 0x27), QColor(0xEE, 0xD9, 0xC4), QColor(0xFD, 0xF7, 0xF0)}, // burgundy
    {QColor(0x1E, 0x56, 0x31), QColor(0xB8, 0x96, 0x3E), QColor(0xD6, 0xE6, 0xCF), QColor(0xF6, 0xFA, 0xF2)}, // forest
    {QColor(0x1C, 0x4E, 0x9C), QColor(0x8E, 0x9A, 0xAF), QColor(0xD3, 0xDE, 0xF0), QColor(0xF4, 0xF7, 0xFC)}, // royal, silver
    {QColor(0x0F, 0x6E, 0x6E), QColor(0xB8, 0x73, 0x3A), QColor(0xCF, 0xE8, 0xE4), QColor(0xF2, 0xFA, 0xF8)}, // teal, copper
    {QColor(0x1A, 0x1A, 0x1A), QColor(0xB8, 0x96, 0x2E), QColor(0xE8, 0xDF, 0xC6), QColor(0xFB, 0xF8, 0xF0)}, // black, gold
    {QColor(0x4B, 0x2A, 0x6B), QColor(0xC9, 0xA2, 0x27), QColor(0xE3, 0xD7, 0xEE), QColor(0xF9, 0xF5, 0xFC)}, // purple
    {QColor(0x6B, 0x42, 0x26), QColor(0xA6, 0x7C, 0x52), QColor(0xEB, 0xDC, 0xC8), QColor(0xFC, 0xF8, 0xF0)}, // sepia
    {QColor(0xB2, 0x22, 0x34), QColor(0x1F, 0x3A, 0x68), QColor(0xF2, 0xD0, 0xD4), QColor(0xFF, 0xFB, 0xFB)}, // crimson, navy
    {QColor(0x4E, 0x5B, 0x24), QColor(0xB0, 0x7D, 0x3A), QColor(0xE4, 0xE6, 0xC8), QColor(0xFA, 0xFA, 0xF0)}, // olive, bronze
    {QColor(0x2F, 0x4A, 0x66), QColor(0xD9, 0x6C, 0x4F), QColor(0xF3, 0xD9, 0xCF), QColor(0xFB, 0xF7, 0xF4)}, // slate, coral
};

const Recipe kRecipes[] = {
    {0, Band::Guilloche, 2, Corner::Rosette, Emblem::Seal, false, false},
    {1, Band::None, 3, Corner::Scroll, Emblem::Laurel, true, false},
    {2, Band::Meander, 1, Corner::None, Emblem::Wreath, false, false},
    {5, Band::None, 2, Corner::DecoSteps, Emblem::Crest, true, false},
    {3, Band::Guilloche, 1, Corner::Diamond, Emblem::None, false, true},
    {4, Band::Vine, 2, Corner::None, Emblem::Banner, false, false},
    {6, Band::Pearls, 3, Corner::Star, Emblem::Wreath, false, false},
    {7, Band::Meander, 2, Corner::Sprig, Emblem::None, true, false},
    {8, Band::Stripes, 1, Corner::Star, Emblem::Seal, false, false},
    {0, Band::Waves, 2, Corner::Rosette, Emblem::Laurel, false, false},
    {2, Band::Vine, 1, Corner::Sprig, Emblem::Seal, true, false},
    {4, Band::None, 2, Corner::Fan, Emblem::Crest, false, false},
    {1, Band::Guilloche, 3, Corner::None, Emblem::Banner, false, true},
    {5, Band::Chevrons, 2, Corner::Fan, Emblem::None, false, false},
    {10, Band::Stripes, 2, Corner::Star, Emblem::Medal, false, false}, // 15: a design of its own, no twin of 5
    {6, Band::Waves, 1, Corner::Scroll, Emblem::Seal, true, false},
    {9, Band::Chevrons, 3, Corner::Quatrefoil, Emblem::Banner, true, false}, // 17: a design of its own, no twin of 7
    {8, Band::None, 3, Corner::DecoSteps, Emblem::Banner, false, false},
    {0, Band::Vine, 2, Corner::Star, Emblem::Crest, false, false},
    {2, Band::Chevrons, 1, Corner::Rosette, Emblem::None, true, false},
    {4, Band::Guilloche, 2, Corner::Sprig, Emblem::Wreath, false, false},
    {1, Band::Meander, 3, Corner::Fan, Emblem::Seal, false, false},
    {3, Band::Stripes, 2, Corner::Scroll, Emblem::Banner, false, false},
    {5, Band::Waves, 3, Corner::Diamond, Emblem::Laurel, false, true},
    {6, Band::None, 1, Corner::Rosette, Emblem::Seal, true, true},
    {7, Band::Guilloche, 1, Corner::DecoSteps, Emblem::Crest, false, false},
    {9, Band::Rope, 2, Corner::Quarter, Emblem::Sun, false, false},
    {10, Band::Checker, 1, Corner::Bloom, Emblem::Trophy, false, false},
    {1, Band::Lattice, 2, Corner::Quatrefoil, Emblem::Medal, false, false},
    {3, Band::Scallops, 1, Corner::None, Emblem::Stars, true, false},
    {5, Band::Dentil, 2, Corner::Quarter, Emblem::Laurel, false, false},
    {4, Band::Rope, 1, Corner::Bloom, Emblem::Medal, true, false},
    {0, Band::Checker, 2, Corner::Quatrefoil, Emblem::Sun, false, false},
    {7, Band::Lattice, 1, Corner::Sprig, Emblem::Trophy, false, false},
    {8, Band::Dentil, 1, Corner::Rosette, Emblem::Stars, false, false},
    {6, Band::Scallops, 2, Corner::Quatrefoil, Emblem::Wreath, false, false},
    {2, Band::Rope, 3, Corner::Diamond, Emblem::Stars, false, true},
    {9, Band::Scallops, 1, Corner::Bloom, Emblem::Sun, true, false},
    {10, Band::Lattice, 3, Corner::Quarter, Emblem::Seal, false, false},
    {1, Band::Checker, 1, Corner::None, Emblem::Trophy, true, false},
    {3, Band::Dentil, 2, Corner::Bloom, Emblem::Crest, false, false},
    {4, Band::None, 2, Corner::Quarter, Emblem::Medal, false, true},
};

constexpr double kOuter = 10; // band outer edge from the paper edge
constexpr double kBand = 12;  // band width

void drawRules(Art &a, const Scheme &s, int count, double inset)
{
    for (int i = 0; i < count; ++i) {
        const double d = inset + i * 2.2;
        const bool heavy = count >= 2 && i == 0;
        a.pen(i == 1 && count == 3 ? s.accent : s.main, heavy ? 0.9 : 0.3);
        a.line({{d, d}, {kPageW - d, d}, {kPageW - d, kPageH - d}, {d, kPageH - d}, {d, d}});
    }
}

void drawBand(Art &a, const Scheme &s, Band band)
{
    const double in = kOuter, out = kOuter + kBand;
    const double mid = (in + out) / 2;
    a.noBrush();
    // Edge rules of the band.
    if (band != Band::None) {
        a.pen(s.main, 0.7);
        a.line({{in, in}, {kPageW - in, in}, {kPageW - in, kPageH - in}, {in, kPageH - in}, {in, in}});
        a.pen(s.main, 0.35);
        a.line({{out, out}, {kPageW - out, out}, {kPageW - out, kPageH - out}, {out, kPageH - out}, {out, out}});
    }
    switch (band) {
    case Band::None: break;
    case Band::Guilloche: {
        const Track tr = roundedTrack(mid, 9);
        const int waves = int(std::lround(tr.length / 11.0));
        a.pen(s.accent, 0.22);
        for (int j = 0; j < 5; ++j)
            a.line(trackWave(tr, 3.9, waves, 2 * kPi * j / 5));
        a.pen(s.main, 0.15);
        for (int j = 0; j < 3; ++j)
            a.line(trackWave(tr, 2.0, waves * 2, 2 * kPi * j / 3 + kPi / 4));
        break;
    }
    case Band::Waves: {
        const Track tr = roundedTrack(mid, 3);
        const int waves = int(std::lround(tr.length / 14.0));
        a.pen(s.main, 0.5);
        a.line(trackWave(tr, 3.8, waves, 0));
        a.line(trackWave(tr, 3.8, waves, kPi));
        a.pen(s.accent, 0.3);
        a.line(trackWave(tr, 2.0, waves, kPi / 2));
        a.line(trackWave(tr, 2.0, waves, 3 * kPi / 2));
        break;
    }
    case Band::Vine: {
        const Track tr = roundedTrack(mid, 6, 0.5);
        const int waves = int(std::lround(tr.length / 22.0));
        a.pen(s.main, 0.45);
        const Path stem = trackWave(tr, 2.6, waves, 0);
        a.line(stem);
        a.pen(s.main, 0.15);
        a.brush(s.accent);
        const double period = tr.length / waves;
        for (int k = 0; k < waves * 2; ++k) {
            const double at = period * (k + 0.5) / 2;
            size_t i = size_t(at / tr.length * double(tr.pts.size() - 1));
            const QPointF p = stem[i];
            const QPointF tng = stem[(i + 2) % stem.size()] - stem[(i + stem.size() - 2) % stem.size()];
            const double ang = std::atan2(tng.y(), tng.x()) * 180 / kPi;
            const double side = (k & 1) ? 50 : -50;
            a.shape(leaf(p, ang + side, 4.2, 1.8));
        }
        a.brush(s.main);
        for (int k = 0; k < waves; ++k) {
            const size_t i = size_t((period * k) / tr.length * double(tr.pts.size() - 1));
            a.ellipse(tr.pts[i], 0.7, 0.7);
        }
        break;
    }
    case Band::Pearls: {
        const Track tr = roundedTrack(mid, 5, 0.5);
        const int n = int(std::lround(tr.length / 4.5));
        a.pen(s.main, 0.15);
        for (int k = 0; k < n; ++k) {
            const size_t i = size_t(double(k) / n * double(tr.pts.size() - 1));
            a.brush(k % 2 ? s.light : s.accent);
            a.ellipse(tr.pts[i], k % 2 ? 1.0 : 1.7, k % 2 ? 1.0 : 1.7);
        }
        a.noBrush();
        break;
    }
    case Band::Stripes: {
        // Diagonal ribbons between the two edge rules, as on a sash.
        a.noPen();
        a.brush(s.main);
        std::vector<Path> ps;
        const double w = 3.0, gap = 6.0;
        const auto side = [&](QPointF from, QPointF to, QPointF inward) {
            const QPointF d = to - from;
            const double len = std::hypot(d.x(), d.y());
            const QPointF u = d / len;
            for (double x = 0; x + w + kBand < len; x += gap)
                ps.push_back({from + u * x, from + u * (x + w), from + u * (x + w + kBand * 0.6) + inward * kBand,
                              from + u * (x + kBand * 0.6) + inward * kBand});
        };
        side({in + kBand, in}, {kPageW - in - kBand, in}, {0, 1});
        side({in + kBand, kPageH - out}, {kPageW - in - kBand, kPageH - out}, {0, 1});
        side({in, in + kBand}, {in, kPageH - in - kBand}, {1, 0});
        side({kPageW - out, in + kBand}, {kPageW - out, kPageH - in - kBand}, {1, 0});
        for (const Path &p : ps) // one polygon each: some players join the parts of a poly-polygon
            a.shape(p);
        a.brush(s.accent);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)})
            a.rect(c.x(), c.y(), c.x() + kBand, c.y() + kBand);
        a.noBrush();
        break;
    }
    case Band::Meander: {
        const double c = (kBand - 4) / 4; // cell
        const double h0 = in + 2;
        a.pen(s.main, 0.55);
        // Top and bottom sides run left to right, the others top to bottom.
        const auto run = [&](QPointF origin, QPointF along, QPointF across, double len) {
            const int periods = int(len / (5 * c));
            const double start = (len - periods * 5 * c) / 2;
            Path p;
            static const double key[][2] = {{0, 0}, {0, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 2},
                                            {3, 2}, {3, 3}, {1, 3}, {1, 0}, {5, 0}};
            for (int k = 0; k < periods; ++k)
                for (const auto &q : key) {
                    if (k > 0 && &q == &key[0])
                        continue;
                    p.push_back(origin + along * (start + (k * 5 + q[0]) * c) + across * (4 - q[1]) * c);
                }
            a.line(p);
        };
        const double len = kPageW - 2 * (in + kBand);
        const double lenV = kPageH - 2 * (in + kBand);
        run({in + kBand, h0}, {1, 0}, {0, 1}, len);
        run({kPageW - in - kBand, kPageH - h0}, {-1, 0}, {0, -1}, len);
        run({kPageW - h0, in + kBand}, {0, 1}, {-1, 0}, lenV);
        run({h0, kPageH - in - kBand}, {0, -1}, {1, 0}, lenV);
        a.brush(s.accent);
        a.pen(s.main, 0.35);
        for (QPointF q : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)}) {
            a.rect(q.x() + 2, q.y() + 2, q.x() + kBand - 2, q.y() + kBand - 2);
            a.rect(q.x() + 4, q.y() + 4, q.x() + kBand - 4, q.y() + kBand - 4);
        }
        a.noBrush();
        break;
    }
    case Band::Rope: {
        // A twisted cord: slanted strands laid along the band.
        const Track tr = roundedTrack(mid, 6, 0.5);
        const int n = int(std::lround(tr.length / 2.6));
        a.pen(s.main, 0.15);
        a.brush(s.accent);
        for (int k = 0; k < n; ++k) {
            const size_t i = size_t(double(k) / n * double(tr.pts.size() - 1));
            const QPointF nrm = tr.normals[i];
            const double ang = std::atan2(nrm.y(), nrm.x()) * 180 / kPi + 90 + 38;
            const QPointF dir = rot({1, 0}, ang);
            a.shape(leaf(tr.pts[i] - dir * 3.4, ang, 6.8, 2.6));
        }
        a.noBrush();
        a.pen(s.main, 0.25);
        a.line(trackWave(tr, 0, 0, 0, 3.1));
        a.line(trackWave(tr, 0, 0, 0, -3.1));
        break;
    }
    case Band::Scallops: {
        // Half discs standing on the inner rule, dots along the outer one.
        a.pen(s.main, 0.3);
        const double r = 4.2, step = 9.0;
        const auto side = [&](QPointF from, QPointF u, double len, double a0, QPointF outward) {
            const int count = int(len / step);
            const double start = (len - (count - 1) * step) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF c = from + u * (start + k * step);
                a.brush(s.light);
                a.shape(arcPath(c, r, a0, a0 + 180, false));
                a.brush(s.accent);
                a.disc(c + outward * (kBand - 2.6), 0.9);
                a.disc(c + outward * 1.6, 0.8);
            }
        };
        const double lenH = kPageW - 2 * out, lenV = kPageH - 2 * out;
        side({out, out}, {1, 0}, lenH, 0, {0, -1});
        side({out, kPageH - out}, {1, 0}, lenH, 180, {0, 1});
        side({out, out}, {0, 1}, lenV, 90, {-1, 0});
        side({kPageW - out, out}, {0, 1}, lenV, 270, {1, 0});
        a.noBrush();
        break;
    }
    case Band::Checker: {
        // Two rows of squares, alternating, like a flag's border.
        a.noPen();
        a.brush(s.main);
        const double q = 3.0;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / q);
            const double start = (len - count * q) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF b = from + u * (start + k * q) + v * ((kBand - 2 * q) / 2 + (k % 2) * q);
                a.shape({b, b + u * q, b + u * q + v * q, b + v * q});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, kPageW - 2 * out);
        side({out, kPageH - out}, {1, 0}, {0, 1}, kPageW - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, kPageH - 2 * out);
        side({kPageW - out, out}, {0, 1}, {1, 0}, kPageH - 2 * out);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)}) {
            a.brush(s.accent);
            a.rect(c.x() + 1.5, c.y() + 1.5, c.x() + kBand - 1.5, c.y() + kBand - 1.5);
            a.brush(s.main);
            a.disc(c + QPointF(kBand / 2, kBand / 2), 2);
        }
        a.noBrush();
        break;
    }
    case Band::Lattice: {
        // Two zigzags out of phase: a row of diamonds with a dot in each.
        const double step = 7.0, lo = 1.8, hi = kBand - 1.8;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / step);
            const double start = (len - count * step) / 2;
            Path z1, z2;
            for (int k = 0; k <= count * 2; ++k) {
                const QPointF b = from + u * (start + k * step / 2);
                z1.push_back(b + v * ((k % 2) ? hi : lo));
                z2.push_back(b + v * ((k % 2) ? lo : hi));
            }
            a.noBrush();
            a.pen(s.main, 0.35);
            a.line(z1);
            a.line(z2);
            a.pen(s.main, 0.1);
            a.brush(s.accent);
            for (int k = 0; k < count; ++k) {
                const QPointF c = from + u * (start + (k + 0.5) * step) + v * (kBand / 2);
                a.shape({c - u * 1.4, c - v * 1.4, c + u * 1.4, c + v * 1.4});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, kPageW - 2 * out);
        side({out, kPageH - out}, {1, 0}, {0, 1}, kPageW - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, kPageH - 2 * out);
        side({kPageW - out, out}, {0, 1}, {1, 0}, kPageH - 2 * out);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        for (QPointF c : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)})
            a.disc(c + QPointF(kBand / 2, kBand / 2), kBand / 2 - 1.5);
        a.noBrush();
        break;
    }
    case Band::Dentil: {
        // Blocks under a heavy rule, as on a classical cornice.
        a.pen(s.main, 1.2);
        a.line({{in + 3, in + 3},
                {kPageW - in - 3, in + 3},
                {kPageW - in - 3, kPageH - in - 3},
                {in + 3, kPageH - in - 3},
                {in + 3, in + 3}});
        a.noPen();
        a.brush(s.main);
        const double w = 2.6, step = 5.0, depth = 4.2, top = 5.2;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int count = int(len / step);
            const double start = (len - count * step + step - w) / 2;
            for (int k = 0; k < count; ++k) {
                const QPointF b = from + u * (start + k * step) + v * top;
                a.shape({b, b + u * w, b + u * w + v * depth, b + v * depth});
            }
        };
        side({out, in}, {1, 0}, {0, 1}, kPageW - 2 * out);
        side({out, kPageH - in}, {1, 0}, {0, -1}, kPageW - 2 * out);
        side({in, out}, {0, 1}, {1, 0}, kPageH - 2 * out);
        side({kPageW - in, out}, {0, 1}, {-1, 0}, kPageH - 2 * out);
        a.pen(s.main, 0.3);
        for (QPointF c : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)}) {
            a.brush(s.accent);
            a.rect(c.x() + 3.6, c.y() + 3.6, c.x() + kBand - 3.6, c.y() + kBand - 3.6);
        }
        a.noBrush();
        break;
    }
    case Band::Chevrons: {
        a.noPen();
        a.brush(s.accent);
        std::vector<Path> ps;
        const double step = 7;
        const auto side = [&](QPointF from, QPointF u, QPointF v, double len) {
            const int n = int(len / step);
            const double start = (len - n * step) / 2;
            for (int k = 0; k < n; ++k) {
                const QPointF b = from + u * (start + k * step);
                ps.push_back({b + v * 2, b + u * (step / 2) + v * (kBand / 2 - 1), b + v * (kBand - 2),
                              b + u * 2.2 + v * (kBand - 2), b + u * (step / 2 + 2.2) + v * (kBand / 2 - 1),
                              b + u * 2.2 + v * 2});
            }
        };
        side({in + kBand, in}, {1, 0}, {0, 1}, kPageW - 2 * (in + kBand));
        side({in + kBand, kPageH - out}, {1, 0}, {0, 1}, kPageW - 2 * (in + kBand));
        side({in, in + kBand}, {0, 1}, {1, 0}, kPageH - 2 * (in + kBand));
        side({kPageW - out, in + kBand}, {0, 1}, {1, 0}, kPageH - 2 * (in + kBand));
        for (const Path &p : ps) // one polygon each: some players join the parts of a poly-polygon
            a.shape(p);
        a.brush(s.main);
        for (QPointF q : {QPointF(in, in), QPointF(kPageW - out, in), QPointF(in, kPageH - out),
                          QPointF(kPageW - out, kPageH - out)})
            a.shape(star(q + QPointF(kBand / 2, kBand / 2), kBand / 2 - 1, kBand / 5, 4, 0));
        a.noBrush();
        break;
    }
    }
}

void drawCorners(Art &a, const Scheme &s, Corner corner, double m)
{
    switch (corner) {
    case Corner::None: break;
    case Corner::Rosette: {
        a.noBrush();
        for (QPointF c : {QPointF(m + 14, m + 14), QPointF(kPageW - m - 14, m + 14), QPointF(m + 14, kPageH - m - 14),
                          QPointF(kPageW - m - 14, kPageH - m - 14)}) {
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
            {m + 2, m + 2}, {kPageW - m - 2, m + 2}, {m + 2, kPageH - m - 2}, {kPageW - m - 2, kPageH - m - 2}};
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
        for (QPointF c : {QPointF(m + 16, m + 16), QPointF(kPageW - m - 16, m + 16), QPointF(m + 16, kPageH - m - 16),
                          QPointF(kPageW - m - 16, kPageH - m - 16)}) {
            for (int i = 0; i < 4; ++i) {
                const double r = 13 - i * 3;
                a.brush(i % 2 ? s.tint : (i == 0 ? s.main : s.accent));
                a.shape({c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)});
            }
        }
        break;
    }
    case Corner::Star: {
        for (QPointF c : {QPointF(m + 14, m + 14), QPointF(kPageW - m - 14, m + 14), QPointF(m + 14, kPageH - m - 14),
                          QPointF(kPageW - m - 14, kPageH - m - 14)}) {
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
        const QPointF cs[] = {{m, m}, {kPageW - m, m}, {m, kPageH - m}, {kPageW - m, kPageH - m}};
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
        for (QPointF c : {QPointF(m + 16, m + 16), QPointF(kPageW - m - 16, m + 16), QPointF(m + 16, kPageH - m - 16),
                          QPointF(kPageW - m - 16, kPageH - m - 16)}) {
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
        for (QPointF c : {QPointF(m + 15, m + 15), QPointF(kPageW - m - 15, m + 15), QPointF(m + 15, kPageH - m - 15),
                          QPointF(kPageW - m - 15, kPageH - m - 15)}) {
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

// One laurel branch along a quadratic curve; side = +1 or -1 mirrors it.
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

void seal(Art &a, const Scheme &s, QPointF c, double r)
{
    // Ribbon tails behind the seal.
    a.pen(s.main, 0.25);
    a.brush(mix(s.main, Qt::white, 0.1));
    for (int side : {-1, 1}) {
        const double x = c.x() + side * r * 0.35;
        a.shape({{x - 4, c.y()},
                 {x + 4, c.y()},
                 {x + 4 + side * 7, c.y() + r * 1.9},
                 {x + side * 5, c.y() + r * 1.6},
                 {x - 4 + side * 7, c.y() + r * 1.95}});
    }
    a.brush(s.accent);
    a.pen(mix(s.accent, Qt::black, 0.3), 0.25);
    a.shape(star(c, r, r * 0.9, 36));
    a.noBrush();
    a.pen(s.main, 0.5);
    a.ellipse(c, r * 0.8, r * 0.8);
    a.pen(s.main, 0.2);
    a.ellipse(c, r * 0.72, r * 0.72);
    a.pen(mix(s.main, s.accent, 0.3), 0.12);
    a.line(rosette(c, 9, 4, 5.5, r * 0.62 / 10.5));
    a.brush(s.main);
    a.noPen();
    a.shape(star(c, r * 0.22, r * 0.09, 5));
}

void drawEmblem(Art &a, const Scheme &s, Emblem e)
{
    const double cx = kPageW / 2;
    switch (e) {
    case Emblem::None: break;
    case Emblem::Seal: seal(a, s, {cx, 248}, 15); break;
    case Emblem::Laurel:
        laurelBranch(a, s, {cx - 3, 262}, {cx - 34, 262}, {cx - 46, 238}, 10, 7.5);
        laurelBranch(a, s, {cx + 3, 262}, {cx + 34, 262}, {cx + 46, 238}, 10, 7.5);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        a.ellipse({cx, 262}, 2.6, 2.6);
        break;
    case Emblem::Wreath:
        laurelBranch(a, s, {cx - 2, 270}, {cx - 30, 268}, {cx - 24, 236}, 9, 6.5);
        laurelBranch(a, s, {cx + 2, 270}, {cx + 30, 268}, {cx + 24, 236}, 9, 6.5);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        a.shape(star({cx, 250}, 9, 3.6, 5));
        break;
    case Emblem::Banner: {
        // A ribbon across the top, with folded ends.
        const double y = 40, h = 11;
        a.pen(s.main, 0.3);
        a.brush(mix(s.main, Qt::black, 0.25));
        for (int side : {-1, 1}) {
            const double x0 = cx + side * 62, x1 = cx + side * 80;
            a.shape({{x0, y + 3}, {x1, y + 3}, {x1 - side * 5, y + 3 + h / 2}, {x1, y + 3 + h}, {x0, y + 3 + h}});
        }
        a.brush(s.main);
        Path top, bottom;
        for (int i = 0; i <= 40; ++i) {
            const double x = cx - 66 + 132.0 * i / 40;
            const double bow = 3 * std::cos((x - cx) / 66 * kPi / 2);
            top.push_back({x, y - bow});
            bottom.push_back({x, y + h - bow});
        }
        Path band = top;
        band.insert(band.end(), bottom.rbegin(), bottom.rend());
        a.shape(band);
        a.pen(s.accent, 0.35);
        a.noBrush();
        Path t2, b2;
        for (size_t i = 0; i < top.size(); ++i) {
            t2.push_back(top[i] + QPointF(0, 1.3));
            b2.push_back(bottom[i] - QPointF(0, 1.3));
        }
        a.line(t2);
        a.line(b2);
        a.pen(s.main, 0.3);
        a.brush(s.accent);
        a.shape(star({cx, 262}, 6, 2.4, 5));
        break;
    }
    case Emblem::Sun: {
        // A rising sun over a rule at the head of the sheet.
        const QPointF c(cx, 50);
        a.pen(s.main, 0.2);
        a.brush(s.accent);
        for (int k = 0; k < 13; ++k) {
            const double ang = -180 + 180.0 * (k + 0.5) / 13;
            const QPointF d = rot({1, 0}, ang), n = rot({0, 1}, ang);
            a.shape({c + d * 13.5 + n * 1.6, c + d * (k % 2 ? 19.0 : 23.0), c + d * 13.5 - n * 1.6});
        }
        a.pen(s.main, 0.4);
        a.shape(arcPath(c, 11, 0, 180, false));
        a.pen(s.main, 0.6);
        a.line({{cx - 45, 50}, {cx + 45, 50}});
        a.pen(s.accent, 0.3);
        a.line({{cx - 35, 52}, {cx + 35, 52}});
        break;
    }
    case Emblem::Stars: {
        a.pen(s.main, 0.25);
        for (int k = -2; k <= 2; ++k) {
            const double r = k == 0 ? 7.5 : (std::abs(k) == 1 ? 5.5 : 4.0);
            a.brush(k == 0 ? s.accent : s.main);
            a.shape(star({cx + k * 16, 42 + std::abs(k) * 2.0}, r, r * 0.4, 5));
        }
        a.pen(s.accent, 0.5);
        a.line({{cx - 50, 262}, {cx + 50, 262}});
        a.brush(s.accent);
        a.pen(s.main, 0.25);
        a.shape(star({cx, 262}, 4, 1.6, 5));
        break;
    }
    case Emblem::Trophy: {
        // A cup on a stepped base, at the foot of the sheet.
        const double top = 234, rim = 14;
        Path bowl;
        for (int i = 0; i <= 30; ++i)
            bowl.push_back(bezier({cx - rim, top}, {cx - rim, top + 22}, {cx - 2.2, top + 20}, i / 30.0));
        for (int i = 30; i >= 0; --i)
            bowl.push_back(bezier({cx + rim, top}, {cx + rim, top + 22}, {cx + 2.2, top + 20}, i / 30.0));
        a.pen(s.main, 0.6);
        a.noBrush();
        for (int side : {-1, 1}) {
            Path handle;
            for (int i = 0; i <= 30; ++i)
                handle.push_back(bezier({cx + side * (rim - 1), top + 3}, {cx + side * (rim + 10), top + 3},
                                        {cx + side * (rim - 4), top + 14}, i / 30.0));
            a.line(handle);
        }
        a.pen(s.main, 0.35);
        a.brush(s.accent);
        a.shape(bowl);
        a.rect(cx - 1.8, top + 18, cx + 1.8, top + 26);
        a.brush(s.main);
        a.rect(cx - 7, top + 26, cx + 7, top + 29);
        a.rect(cx - 10, top + 29, cx + 10, top + 33);
        a.brush(s.tint);
        a.shape(star({cx, top + 8}, 4.5, 1.8, 5));
        a.pen(s.main, 0.4);
        a.line({{cx - 50, top + 33}, {cx - 14, top + 33}});
        a.line({{cx + 14, top + 33}, {cx + 50, top + 33}});
        break;
    }
    case Emblem::Medal: {
        // A medal hanging from a ribbon at the head of the sheet.
        a.pen(s.main, 0.25);
        a.brush(s.main);
        a.shape({{cx - 11, 26}, {cx - 4, 26}, {cx + 3, 44}, {cx - 4, 44}});
        a.brush(mix(s.main, s.accent, 0.5));
        a.shape({{cx + 4, 26}, {cx + 11, 26}, {cx + 4, 44}, {cx - 3, 44}});
        a.brush(s.accent);
        a.pen(mix(s.accent, Qt::black, 0.3), 0.3);
        a.disc({cx, 50}, 8.5);
        a.noBrush();
        a.pen(s.main, 0.3);
        a.disc({cx, 50}, 6.5);
        a.brush(s.main);
        a.noPen();
        a.shape(star({cx, 50}, 4.5, 1.8, 5));
        break;
    }
    case Emblem::Crest: {
        a.noPen();
        for (int k = 0; k < 3; ++k) {
            a.brush(k == 1 ? s.accent : s.main);
            const double y = 36 + k * 4;
            a.shape({{cx - 30 + k * 6, y},
                     {cx, y + 8},
                     {cx + 30 - k * 6, y},
                     {cx + 30 - k * 6, y + 1.6},
                     {cx, y + 9.6},
                     {cx - 30 + k * 6, y + 1.6}});
        }
        a.pen(s.main, 0.5);
        a.line({{cx - 40, 262}, {cx - 8, 262}});
        a.line({{cx + 8, 262}, {cx + 40, 262}});
        a.brush(s.accent);
        a.pen(s.main, 0.3);
        a.shape({{cx, 256}, {cx + 6, 262}, {cx, 268}, {cx - 6, 262}});
        break;
    }
    }
}

} // namespace

int templateCount()
{
    return int(sizeof kRecipes / sizeof kRecipes[0]);
}

QByteArray makeTemplate(int n)
{
    const Recipe &r = kRecipes[(n - 1) % templateCount()];
    const Scheme &s = kSchemes[r.scheme];
    Art a;
    const double inner = r.band == Band::None ? kOuter : kOuter + kBand + 2.5;
    if (r.tint) {
        a.noPen();
        a.brush(s.tint);
        a.rect(inner, inner, kPageW - inner, kPageH - inner);
    }
    if (r.watermark) {
        a.noBrush();
        a.pen(mix(s.light, Qt::white, 0.45), 0.15);
        a.line(rosette({kPageW / 2, kPageH / 2}, 13, 5, 9, 4.2, 1400));
    }
    drawBand(a, s, r.band);
    drawRules(a, s, r.rules, inner);
    drawCorners(a, s, r.corner, inner + (r.rules - 1) * 2.2 + 2);
    drawEmblem(a, s, r.emblem);
    return a.finish();
}

} // namespace wzory
