#include "wmf/Player.h"

#include "wmf/Records.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace wmf {

Player::Player(const ParsedMetafile &mf, QPainter *painter, const QRectF &target, DrawCost *cost)
    : mf_(mf), painter_(painter), target_(target), measuring_(painter == nullptr), cost_(cost)
{
    dc_.windowOrg = mf.windowOrg;
    dc_.windowExt = mf.windowExt;
    dc_.font.face = QStringLiteral("Arial");
    objects_.resize(std::min<size_t>(mf.objectCount, size_t(kMaxObjects)));
    updateMapping();
}

void Player::updateMapping()
{
    if (measuring_ && !cost_) {
        ax_ = ay_ = 1;
        bx_ = by_ = 0;
        return;
    }
    const double we = dc_.windowExt.width(), he = dc_.windowExt.height();
    if (we == 0 || he == 0)
        return;
    const double ax = target_.width() / we, ay = target_.height() / he;
    const double bx = target_.left() - dc_.windowOrg.x() * ax, by = target_.top() - dc_.windowOrg.y() * ay;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) || ax == 0 || ay == 0)
        return;
    ax_ = ax;
    ay_ = ay;
    bx_ = bx;
    by_ = by;
}

QRectF Player::mapRect(double l, double t, double r, double b) const
{
    return QRectF(map(l, t), map(r, b)).normalized();
}

const std::vector<QRgb> &Player::palette() const
{
    static const std::vector<QRgb> none;
    return dc_.palette ? *dc_.palette : none;
}

QColor Player::color(uint32_t ref) const
{
    if ((ref >> 24) == 0x01) {
        const uint32_t i = ref & 0xFFFF;
        return i < palette().size() ? QColor(palette()[i]) : QColor(Qt::black);
    }
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

void Player::include(const QRectF &r)
{
    if (!measuring_)
        return;
    const QRectF n = r.normalized();
    if (cost_) {
        cost_->points += kPointsPerShape;
        const QRectF in = n.intersected(target_);
        if (in.isValid())
            cost_->area += in.width() * in.height();
        return;
    }
    extent_ = extent_.isNull() ? n : extent_.united(n);
}

double Player::edgeSpan(const QPainterPath &path) const
{
    const double w = std::abs(target_.width()), h = std::abs(target_.height());
    if (w <= 0 || h <= 0)
        return 0;
    double dx = 0, dy = 0;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element a = path.elementAt(i - 1), b = path.elementAt(i);
        if (b.isMoveTo())
            continue;
        dx += std::abs(b.x - a.x);
        dy += std::abs(b.y - a.y);
    }
    return dx / w + dy / h;
}

void Player::countPoints(int64_t n)
{
    if (!cost_)
        return;
    cost_->points += n;
    cost_->largestPolygon = int(std::max<int64_t>(cost_->largestPolygon, n));
}

void Player::addPathCost(const QPainterPath &path, bool fill, bool stroke)
{
    cost_->points += kPointsPerShape;
    const double span = edgeSpan(path);
    cost_->largestSpan = std::max(cost_->largestSpan, span);
    const QRectF box = path.controlPointRect();
    if (fill) {
        cost_->edgeSpan += span;
        include(box);
    }
    if (stroke) {
        const double w = dc_.pen.width == 0 ? 0.0 : std::abs(dc_.pen.width * ax_);
        // A wide pen's outline runs along both sides of every edge.
        cost_->edgeSpan += w > 0 ? 2 * span : span;
        if (w > 0) {
            const QRectF wide = box.adjusted(-w / 2, -w / 2, w / 2, w / 2).intersected(target_);
            const double area = wide.isValid() ? wide.width() * wide.height() : 0;
            cost_->area += std::min(area, span * w);
        }
    }
}

void Player::run()
{
    if (!measuring_) {
        painter_->save();
        painter_->save();
        painter_->setClipRect(target_, Qt::IntersectClip);
        painter_->setRenderHint(QPainter::Antialiasing, true);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    for (size_t i = 0; i < mf_.records.size(); ++i) {
        recordDamaged_ = false;
        play(mf_.records[i]);
        if (recordDamaged_) {
            if (firstDamaged_ < 0)
                firstDamaged_ = int(i);
            ++damaged_;
        }
    }
    if (!measuring_) {
        painter_->restore();
        painter_->restore();
    }
}

void Player::play(const RecordRef &r)
{
    ByteReader in(reinterpret_cast<const unsigned char *>(mf_.bytes.constData()) + r.offset, r.length);
    const bool played = playStateRecord(r, in) || playObjectRecord(r, in) || playClipRecord(r, in)
                        || playDrawingRecord(r, in) || playTextRecord(r, in) || playBitmapRecord(r, in);
    // A record that reads past its parameters lacks some of them.
    if (!in.ok() || (!played && !rec::isKnownRecord(r.function)))
        damaged();
    // ESCAPE and records without visible effect are skipped
}

// Mapping, drawing modes and the saved-state stack.
bool Player::playStateRecord(const RecordRef &r, ByteReader &in)
{
    switch (r.function) {
    case rec::SetWindowOrg: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok()) {
            dc_.windowOrg = QPointF(x, y);
            updateMapping();
        }
        break;
    }
    case rec::SetWindowExt: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok() && x != 0 && y != 0) {
            dc_.windowExt = QSizeF(x, y);
            updateMapping();
        }
        break;
    }
    case rec::OffsetWindowOrg: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok()) {
            dc_.windowOrg += QPointF(x, y);
            updateMapping();
        }
        break;
    }
    case rec::ScaleWindowExt: {
        const int16_t yd = in.s16(), yn = in.s16(), xd = in.s16(), xn = in.s16();
        if (in.ok() && yd && xd && yn && xn) {
            const QSizeF ext(dc_.windowExt.width() * xn / xd, dc_.windowExt.height() * yn / yd);
            if (std::abs(ext.width()) < 1e7 && std::abs(ext.height()) < 1e7 && std::abs(ext.width()) > 1e-3
                && std::abs(ext.height()) > 1e-3) {
                dc_.windowExt = ext;
                updateMapping();
            }
        }
        break;
    }
    case rec::SetViewportOrg: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok())
            dc_.viewportOrg = QPointF(x, y);
        break;
    }
    case rec::SetViewportExt: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok())
            dc_.viewportExt = QSizeF(x, y);
        break;
    }
    case rec::SetMapMode: dc_.mapMode = in.u16(); break;
    case rec::SetBkMode: dc_.bkMode = in.u16(); break;
    case rec::SetBkColor: {
        const uint32_t c = in.u32();
        if (in.ok())
            dc_.bkColor = c;
        break;
    }
    case rec::SetTextColor: {
        const uint32_t c = in.u32();
        if (in.ok())
            dc_.textColor = c;
        break;
    }
    case rec::SetTextAlign: dc_.textAlign = in.u16(); break;
    case rec::SetPolyFillMode: {
        const uint16_t m = in.u16();
        if (in.ok())
            dc_.polyFillMode = m;
        break;
    }
    case rec::SetRop2: {
        const uint16_t m = in.u16();
        if (in.ok())
            dc_.rop2 = m;
        break;
    }
    case rec::SetStretchBltMode: dc_.stretchMode = in.u16(); break;
    case rec::SetTextCharExtra: dc_.charExtra = in.s16(); break;
    case rec::SaveDC:
        if (saved_.size() < size_t(kMaxSaveDepth))
            saved_.push_back(dc_);
        else
            ++savedOverflow_;
        break;
    case rec::RestoreDC: {
        const int16_t n = in.s16();
        if (!in.ok() || n == 0)
            break;
        // Relative (negative) or absolute (positive) level; the overflowed
        // saves beyond the limit are dropped first.
        const int64_t depth = int64_t(saved_.size()) + savedOverflow_;
        int64_t target = n < 0 ? depth + n : int64_t(n) - 1;
        if (target < 0 || target >= depth)
            break;
        if (target >= int64_t(saved_.size())) {
            savedOverflow_ = int(target - int64_t(saved_.size()));
            break;
        }
        savedOverflow_ = 0;
        const bool clipChanged = true;
        dc_ = saved_[size_t(target)];
        saved_.resize(size_t(target));
        clipDirty_ = clipDirty_ || clipChanged;
        updateMapping();
        break;
    }
    default: return false;
    }
    return true;
}

} // namespace wmf
