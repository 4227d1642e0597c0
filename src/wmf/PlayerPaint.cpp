#include "wmf/Player.h"

#include "wmf/PlayerSupport.h"

#include <QPainter>
#include <cmath>

namespace wmf {

namespace {

enum { PsSolid = 0, PsDash, PsDot, PsDashDot, PsDashDotDot, PsNull, PsInsideFrame };

} // namespace

bool Player::penVisible() const
{
    return (dc_.pen.style & 0x0F) != PsNull && dc_.rop2 != 11;
}

QPen Player::makePen() const
{
    QColor c = color(dc_.pen.color);
    if (dc_.rop2 == 1)
        c = Qt::black;
    else if (dc_.rop2 == 16)
        c = Qt::white;
    const double w = dc_.pen.width == 0 ? 0.0 : std::abs(dc_.pen.width * ax_);
    QPen pen(c, w);
    if (w == 0)
        pen.setCosmetic(true);
    const int style = dc_.pen.style & 0x0F;
    switch (style) {
    case PsDash: pen.setStyle(Qt::DashLine); break;
    case PsDot: pen.setStyle(Qt::DotLine); break;
    case PsDashDot: pen.setStyle(Qt::DashDotLine); break;
    case PsDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    if (style != PsSolid && w > 0 && dc_.pen.width > 1)
        pen.setStyle(Qt::SolidLine); // wide pens are always solid
    switch (dc_.pen.style & 0x0F00) {
    case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (dc_.pen.style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

bool Player::brushVisible() const
{
    return dc_.brush.style != BsNull && dc_.rop2 != 11;
}

QBrush Player::makeBrush(const Brush &b) const
{
    QColor c = color(b.color);
    if (dc_.rop2 == 1)
        c = Qt::black;
    else if (dc_.rop2 == 16)
        c = Qt::white;
    switch (b.style) {
    case BsHatched: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(c, b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case BsPattern:
    case BsDibPattern:
    case BsDibPatternPt:
        if (!b.pattern.isNull()) {
            QBrush br(b.pattern);
            br.setTransform(QTransform::fromScale(std::abs(ax_), std::abs(ay_)));
            return br;
        }
        return QBrush(c);
    default: return QBrush(c);
    }
}

void Player::fillPath(const QPainterPath &path, const QBrush &brush)
{
    if (measuring_) {
        if (cost_)
            addPathCost(path, true, false);
        else
            include(path.controlPointRect());
        return;
    }
    applyClip();
    const NoAntialiasing dense(*painter_, path.elementCount() > kFewElements && edgeSpan(path) > kAntialiasEdgeSpan);
    if (brush.style() >= Qt::Dense1Pattern && brush.style() <= Qt::DiagCrossPattern && dc_.bkMode == 2)
        painter_->fillPath(path, color(dc_.bkColor));
    painter_->fillPath(path, brush);
}

void Player::fillAndStroke(const QPainterPath &path, bool fill, bool stroke)
{
    if (measuring_) {
        if (cost_)
            addPathCost(path, fill && brushVisible(), stroke && penVisible());
        else
            include(path.controlPointRect());
        return;
    }
    if (fill && brushVisible())
        fillPath(path, makeBrush(dc_.brush));
    if (stroke && penVisible()) {
        applyClip();
        const QPen pen = makePen();
        const NoAntialiasing dense(*painter_, !pen.isCosmetic() && path.elementCount() > kFewElements
                                                  && 2 * edgeSpan(path) > kAntialiasEdgeSpan);
        painter_->strokePath(path, pen);
    }
}

} // namespace wmf
