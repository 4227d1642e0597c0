#pragma once
// A4 drawing in millimetres on top of the metafile writer, portrait unless
// a LandscapeSheet is alive.
#include "wmf/MetafileWriter.h"

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace templateart {

constexpr double kPi = 3.14159265358979323846;
constexpr int kUnitsPerInch = 1440;
constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;

// The sheet being drawn, in mm. The frames and borders take its size, so one
// border function serves both orientations.
struct Sheet {
    double w = 210.0, h = 297.0;
};
inline Sheet &currentSheet()
{
    static Sheet sheet;
    return sheet;
}
inline double pageW()
{
    return currentSheet().w;
}
inline double pageH()
{
    return currentSheet().h;
}

// Draws on A4 landscape (297 x 210 mm) while it lives.
class LandscapeSheet {
public:
    LandscapeSheet() { currentSheet() = {297.0, 210.0}; }
    ~LandscapeSheet() { currentSheet() = {}; }
    LandscapeSheet(const LandscapeSheet &) = delete;
    LandscapeSheet &operator=(const LandscapeSheet &) = delete;
};

using Path = std::vector<QPointF>;

// Pens and brushes are created when they change and the previous one is
// deleted, so the object table stays small. A placement (origin and scale)
// lets a motif drawn round (0, 0) stand anywhere on the page at any size.
class Art {
public:
    Art() : w_(QRect(0, 0, units(pageW()), units(pageH())), kUnitsPerInch)
    {
        w_.setMapMode(8); // MM_ANISOTROPIC
        w_.setWindowOrg(0, 0);
        w_.setWindowExt(units(pageW()), units(pageH()));
        w_.setBkMode(1); // TRANSPARENT
        w_.setPolyFillMode(2);
    }

    static int units(double mm) { return int(std::lround(mm * kUnitsPerMm)); }
    QPoint pt(QPointF p) const
    {
        if (placed_)
            p = origin_ + p * scale_;
        return QPoint(units(p.x()), units(p.y()));
    }
    void place(QPointF origin, double scale)
    {
        placed_ = true;
        origin_ = origin;
        scale_ = scale;
    }
    void unplace() { placed_ = false; }
    double scale() const { return placed_ ? scale_ : 1.0; }

    void pen(QColor c, double widthMm) { replace(pen_, w_.createPen(0, std::max(1, units(widthMm * scale())), c)); }
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
    bool placed_ = false;
    QPointF origin_;
    double scale_ = 1;
};

// Draws round a point at a scale while it lives.
class Placement {
public:
    Placement(Art &a, QPointF origin, double scale) : a_(a) { a_.place(origin, scale); }
    ~Placement() { a_.unplace(); }
    Placement(const Placement &) = delete;
    Placement &operator=(const Placement &) = delete;

private:
    Art &a_;
};

} // namespace templateart
