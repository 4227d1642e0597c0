#include "wmf/Player.h"

#include "wmf/Records.h"

#include <QBrush>
#include <QtMath>
#include <cmath>
#include <vector>

namespace wmf {

// Lines, polygons, shapes, arcs and pixels.
bool Player::playDrawingRecord(const RecordRef &r, ByteReader &in)
{
    switch (r.function) {
    case rec::MoveTo: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok())
            dc_.pos = QPointF(x, y);
        break;
    }
    case rec::LineTo: {
        const int16_t y = in.s16(), x = in.s16();
        if (!in.ok())
            break;
        QPainterPath p(map(dc_.pos.x(), dc_.pos.y()));
        p.lineTo(map(x, y));
        dc_.pos = QPointF(x, y);
        fillAndStroke(p, false, true);
        break;
    }
    case rec::Polyline:
    case rec::Polygon: {
        const int16_t n = in.s16();
        if (in.ok() && n > 0 && !in.has(uint32_t(n) * 4))
            damaged();
        if (!in.ok() || n <= 0 || !in.has(uint32_t(n) * 4))
            break;
        countPoints(n);
        QPainterPath p;
        for (int i = 0; i < n; ++i) {
            const int16_t x = in.s16(), y = in.s16();
            if (i == 0)
                p.moveTo(map(x, y));
            else
                p.lineTo(map(x, y));
        }
        if (r.function == rec::Polygon) {
            p.closeSubpath();
            p.setFillRule(dc_.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
            fillAndStroke(p, true, true);
        } else {
            fillAndStroke(p, false, true);
        }
        break;
    }
    case rec::PolyPolygon: {
        const uint16_t count = in.u16();
        if (!in.ok() || !in.has(uint32_t(count) * 2)) {
            damaged();
            break;
        }
        std::vector<uint16_t> sizes(count);
        uint64_t total = 0;
        for (auto &s : sizes) {
            s = in.u16();
            total += s;
        }
        if (total * 4 > in.remaining()) {
            damaged();
            break;
        }
        for (uint16_t s : sizes)
            countPoints(s);
        QPainterPath p;
        p.setFillRule(dc_.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        for (uint16_t s : sizes) {
            for (uint16_t i = 0; i < s; ++i) {
                const int16_t x = in.s16(), y = in.s16();
                if (i == 0)
                    p.moveTo(map(x, y));
                else
                    p.lineTo(map(x, y));
            }
            if (s)
                p.closeSubpath();
        }
        fillAndStroke(p, true, true);
        break;
    }
    case rec::Rectangle:
    case rec::Ellipse: {
        const int16_t b = in.s16(), rt = in.s16(), t = in.s16(), l = in.s16();
        if (!in.ok())
            break;
        QPainterPath p;
        if (r.function == rec::Rectangle)
            p.addRect(mapRect(l, t, rt, b));
        else
            p.addEllipse(mapRect(l, t, rt, b));
        fillAndStroke(p, true, true);
        break;
    }
    case rec::RoundRect: {
        const int16_t h = in.s16(), w = in.s16(), b = in.s16(), rt = in.s16(), t = in.s16(), l = in.s16();
        if (!in.ok())
            break;
        QPainterPath p;
        p.addRoundedRect(mapRect(l, t, rt, b), std::abs(w * ax_) / 2, std::abs(h * ay_) / 2);
        fillAndStroke(p, true, true);
        break;
    }
    case rec::Arc: arcLike(in, 0); break;
    case rec::Pie: arcLike(in, 1); break;
    case rec::Chord: arcLike(in, 2); break;
    case rec::SetPixel: {
        const uint32_t c = in.u32();
        const int16_t y = in.s16(), x = in.s16();
        if (!in.ok())
            break;
        QPainterPath p;
        p.addRect(QRectF(map(x, y), map(x + 1, y + 1)).normalized());
        if (measuring_)
            include(p.boundingRect());
        else
            fillPath(p, QBrush(color(c)));
        break;
    }
    default: return false;
    }
    return true;
}

void Player::arcLike(ByteReader &in, int kind)
{
    const int16_t ye = in.s16(), xe = in.s16(), ys = in.s16(), xs = in.s16();
    const int16_t b = in.s16(), rt = in.s16(), t = in.s16(), l = in.s16();
    if (!in.ok())
        return;
    const QRectF box = mapRect(l, t, rt, b);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QPointF c = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    const auto angle = [&](QPointF p) {
        const QPointF d = p - c;
        return qRadiansToDegrees(std::atan2(-d.y() / ry, d.x() / rx));
    };
    const double a0 = angle(map(xs, ys));
    const double a1 = angle(map(xe, ye));
    double sweep = a1 - a0;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath p;
    if (kind == 1) {
        p.moveTo(c);
        p.arcTo(box, a0, sweep);
        p.closeSubpath();
    } else {
        p.arcMoveTo(box, a0);
        p.arcTo(box, a0, sweep);
        if (kind == 2)
            p.closeSubpath();
    }
    fillAndStroke(p, kind != 0, true);
}

} // namespace wmf
