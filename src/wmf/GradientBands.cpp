#include "wmf/GradientBands.h"

#include <QGradient>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace wmf {

namespace {

constexpr int kMaxBandsPerStop = 256;
// Bands of one fill, whatever its stops: a long gradient then steps by two
// or three levels (under 1 %), and a frame of several gradient rings stays
// within what the reader accepts (each band of a ring runs its length).
constexpr int kMaxBands = 96;

QColor mix(QColor a, QColor b, double f)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * f),
                            float(a.greenF() + (b.greenF() - a.greenF()) * f),
                            float(a.blueF() + (b.blueF() - a.blueF()) * f));
}

QColor colourAt(const QGradientStops &stops, double t)
{
    if (t <= stops.front().first)
        return stops.front().second;
    for (int i = 1; i < stops.size(); ++i)
        if (t <= stops[i].first) {
            const double span = stops[i].first - stops[i - 1].first;
            return span <= 0 ? stops[i].second
                             : mix(stops[i - 1].second, stops[i].second, (t - stops[i - 1].first) / span);
        }
    return stops.back().second;
}

int levels(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// Parameter intervals [t0, t1] covering 0..1, each at most one colour level
// and no narrower than minStep.
std::vector<std::pair<double, double>> steps(const QGradientStops &stops, double minStep)
{
    std::vector<std::pair<double, double>> out;
    double from = 0;
    for (int i = 0; i <= stops.size(); ++i) {
        const double to = i < stops.size() ? std::clamp(stops[i].first, 0.0, 1.0) : 1.0;
        if (to <= from)
            continue;
        const QColor a = colourAt(stops, from), b = colourAt(stops, to);
        int n = std::max(1, levels(a, b));
        n = std::min({n, kMaxBandsPerStop, std::max(1, int((to - from) / std::max(minStep, 1e-9)))});
        for (int k = 0; k < n; ++k)
            out.emplace_back(from + (to - from) * k / n, from + (to - from) * (k + 1) / n);
        from = to;
    }
    if (out.size() > size_t(kMaxBands) && minStep < 1.0 / kMaxBands)
        return steps(stops, 1.0 / kMaxBands);
    return out;
}

void add(std::vector<GradientBand> &out, const QPainterPath &shape, const QPainterPath &band, QColor colour)
{
    if (!band.controlPointRect().intersects(shape.controlPointRect()))
        return;
    QPainterPath part = shape.intersected(band);
    if (!part.isEmpty())
        out.push_back({part, colour});
}

} // namespace

bool gradientBands(const QBrush &brush, const QTransform &toDevice, const QRectF &logicalBounds,
                   const QPainterPath &deviceShape, double minBandPx, std::vector<GradientBand> &out)
{
    const QGradient *g = brush.gradient();
    if (!g || (g->type() != QGradient::LinearGradient && g->type() != QGradient::RadialGradient)
        || g->spread() != QGradient::PadSpread || g->stops().isEmpty())
        return false;
    QGradientStops stops = g->stops();
    for (const QGradientStop &s : stops)
        if (s.second.alpha() != 255)
            return false;
    std::stable_sort(stops.begin(), stops.end(),
                     [](const QGradientStop &a, const QGradientStop &b) { return a.first < b.first; });

    const QTransform unit(logicalBounds.width(), 0, 0, logicalBounds.height(), logicalBounds.x(), logicalBounds.y());
    QTransform toGradient; // gradient space to device
    switch (g->coordinateMode()) {
    case QGradient::LogicalMode: toGradient = brush.transform() * toDevice; break;
    case QGradient::ObjectBoundingMode: toGradient = brush.transform() * unit * toDevice; break;
    case QGradient::ObjectMode: toGradient = unit * brush.transform() * toDevice; break;
    default: return false;
    }
    if (!toGradient.isInvertible())
        return false;
    const QTransform fromDevice = toGradient.inverted();
    const QPolygonF box = fromDevice.map(QPolygonF(deviceShape.controlPointRect()));
    const double scale = std::sqrt(std::abs(toGradient.determinant()));

    if (g->type() == QGradient::LinearGradient) {
        const auto *lg = static_cast<const QLinearGradient *>(g);
        const QPointF s = lg->start(), d = lg->finalStop() - lg->start();
        const double len2 = QPointF::dotProduct(d, d);
        if (len2 <= 0)
            return false;
        const QPointF across(-d.y(), d.x());
        double tMin = 0, tMax = 1, aMin = 0, aMax = 0;
        for (const QPointF &p : box) {
            const double t = QPointF::dotProduct(p - s, d) / len2, a = QPointF::dotProduct(p - s, across) / len2;
            tMin = std::min(tMin, t);
            tMax = std::max(tMax, t);
            aMin = std::min(aMin, a);
            aMax = std::max(aMax, a);
        }
        const auto band = [&](double t0, double t1) {
            QPolygonF quad;
            quad << s + d * t0 + across * aMin << s + d * t1 + across * aMin << s + d * t1 + across * aMax
                 << s + d * t0 + across * aMax;
            QPainterPath p;
            p.addPolygon(toGradient.map(quad));
            p.closeSubpath();
            return p;
        };
        const double lengthPx = std::sqrt(len2) * scale;
        if (tMin < 0)
            add(out, deviceShape, band(tMin, 0), stops.front().second);
        // Each band reaches a little under the next, so that antialiased
        // players show no seams between them.
        const double overlap = 1.5 / std::max(lengthPx, 1e-9);
        for (const auto &[t0, t1] : steps(stops, minBandPx / std::max(lengthPx, 1e-9)))
            add(out, deviceShape, band(t0, std::min(t1 + overlap, std::max(tMax, 1.0))), colourAt(stops, (t0 + t1) / 2));
        if (tMax > 1)
            add(out, deviceShape, band(1, tMax), stops.back().second);
        return true;
    }

    const auto *rg = static_cast<const QRadialGradient *>(g);
    const QPointF c = rg->center(), f = rg->focalPoint();
    const double r = rg->radius(), fr = rg->focalRadius();
    if (r <= 0 || std::hypot(f.x() - c.x(), f.y() - c.y()) + fr >= r)
        return false;
    const auto disc = [&](double t) {
        QPainterPath p;
        const QPointF centre = f + (c - f) * t;
        const double radius = fr + (r - fr) * t;
        p.addEllipse(centre, radius, radius);
        return p * toGradient;
    };
    // Outside the last circle: its colour; then discs, outer first.
    QPainterPath whole;
    whole.addRect(deviceShape.controlPointRect().adjusted(-1, -1, 1, 1));
    add(out, deviceShape, whole, stops.back().second);
    const auto parts = steps(stops, minBandPx / std::max(r * scale, 1e-9));
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
        add(out, deviceShape, disc(it->second), colourAt(stops, (it->first + it->second) / 2));
    if (fr > 0)
        add(out, deviceShape, disc(0), stops.front().second);
    return true;
}

} // namespace wmf
