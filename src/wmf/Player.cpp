#include "wmf/Player.h"

#include "wmf/Charset.h"
#include "wmf/Dib.h"
#include "wmf/Records.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace wmf {

namespace {

enum { PsSolid = 0, PsDash, PsDot, PsDashDot, PsDashDotDot, PsNull, PsInsideFrame };
enum { BsSolid = 0, BsNull = 1, BsHatched = 2, BsPattern = 3, BsDibPattern = 5, BsDibPatternPt = 6 };
enum { TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaBottom = 8, TaBaseline = 24 };
enum { EtoOpaque = 2, EtoClipped = 4, EtoPdy = 0x2000 };
constexpr double kFontPixels = 256.0; // fonts are laid out at this size, then scaled

bool hasBitmap(uint16_t function, uint32_t words)
{
    return words != uint32_t(function >> 8) + 3;
}

} // namespace

Player::Player(const ParsedMetafile &mf, QPainter *painter, const QRectF &target)
    : mf_(mf), painter_(painter), target_(target), measuring_(painter == nullptr)
{
    dc_.windowOrg = mf.windowOrg;
    dc_.windowExt = mf.windowExt;
    dc_.font.face = QStringLiteral("Arial");
    objects_.resize(std::min<size_t>(mf.objectCount, size_t(kMaxObjects)));
    updateMapping();
}

void Player::updateMapping()
{
    if (measuring_) {
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
    extent_ = extent_.isNull() ? n : extent_.united(n);
}

int Player::addObject(Object o)
{
    // The lowest free slot, as GDI hands them out; the hint keeps a file of
    // many creations from costing a scan of the whole table each time.
    if (objectsUsed_ < objects_.size()) {
        for (size_t i = firstFree_; i < objects_.size(); ++i)
            if (objects_[i].kind == Object::None) {
                objects_[i] = std::move(o);
                ++objectsUsed_;
                firstFree_ = i + 1;
                return int(i);
            }
    }
    if (objects_.size() < size_t(kMaxObjects)) {
        objects_.push_back(std::move(o));
        ++objectsUsed_;
        firstFree_ = objects_.size();
        return int(objects_.size() - 1);
    }
    return -1;
}

void Player::deleteObject(size_t index)
{
    if (index >= objects_.size() || objects_[index].kind == Object::None)
        return;
    objects_[index] = Object();
    --objectsUsed_;
    firstFree_ = std::min(firstFree_, index);
}

void Player::selectObject(int index)
{
    if (index < 0 || size_t(index) >= objects_.size())
        return;
    const Object &o = objects_[size_t(index)];
    switch (o.kind) {
    case Object::PenObj: dc_.pen = o.pen; break;
    case Object::BrushObj: dc_.brush = o.brush; break;
    case Object::FontObj: dc_.font = o.font; break;
    case Object::PaletteObj: dc_.palette = o.palette; break;
    case Object::RegionObj: {
        Clip c;
        c.set = true;
        c.isRect = false;
        c.path = QTransform(ax_, 0, 0, ay_, bx_, by_).map(o.region);
        setClip(c);
        break;
    }
    default: break;
    }
}

void Player::setClip(const Clip &c)
{
    dc_.clip = c;
    clipDirty_ = true;
}

void Player::applyClip()
{
    if (!clipDirty_ || measuring_)
        return;
    clipDirty_ = false;
    painter_->restore();
    painter_->save();
    painter_->setClipRect(target_, Qt::IntersectClip);
    if (dc_.clip.set) {
        if (dc_.clip.isRect)
            painter_->setClipRect(dc_.clip.rect, Qt::IntersectClip);
        else
            painter_->setClipPath(dc_.clip.path, Qt::IntersectClip);
    }
}

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
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
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
    default:
        return QBrush(c);
    }
}

void Player::fillPath(const QPainterPath &path, const QBrush &brush)
{
    if (measuring_) {
        include(path.controlPointRect());
        return;
    }
    applyClip();
    if (brush.style() >= Qt::Dense1Pattern && brush.style() <= Qt::DiagCrossPattern && dc_.bkMode == 2)
        painter_->fillPath(path, color(dc_.bkColor));
    painter_->fillPath(path, brush);
}

void Player::fillAndStroke(const QPainterPath &path, bool fill, bool stroke)
{
    if (measuring_) {
        include(path.controlPointRect());
        return;
    }
    if (fill && brushVisible())
        fillPath(path, makeBrush(dc_.brush));
    if (stroke && penVisible()) {
        applyClip();
        painter_->strokePath(path, makePen());
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
    for (const RecordRef &r : mf_.records)
        play(r);
    if (!measuring_) {
        painter_->restore();
        painter_->restore();
    }
}

void Player::play(const RecordRef &r)
{
    ByteReader in(reinterpret_cast<const unsigned char *>(mf_.bytes.constData()) + r.offset, r.length);
    const uint32_t words = r.length / 2 + 3;
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
    case rec::SetBkColor: { const uint32_t c = in.u32(); if (in.ok()) dc_.bkColor = c; break; }
    case rec::SetTextColor: { const uint32_t c = in.u32(); if (in.ok()) dc_.textColor = c; break; }
    case rec::SetTextAlign: dc_.textAlign = in.u16(); break;
    case rec::SetPolyFillMode: { const uint16_t m = in.u16(); if (in.ok()) dc_.polyFillMode = m; break; }
    case rec::SetRop2: { const uint16_t m = in.u16(); if (in.ok()) dc_.rop2 = m; break; }
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
    case rec::CreatePenIndirect: {
        Object o;
        o.kind = Object::PenObj;
        o.pen.style = in.u16();
        o.pen.width = in.s16();
        in.s16();
        o.pen.color = in.u32();
        if (!in.ok())
            o.kind = Object::OtherObj;
        addObject(std::move(o));
        break;
    }
    case rec::CreateBrushIndirect: {
        Object o;
        o.kind = Object::BrushObj;
        o.brush.style = in.u16();
        o.brush.color = in.u32();
        o.brush.hatch = in.u16();
        if (!in.ok())
            o.kind = Object::OtherObj;
        addObject(std::move(o));
        break;
    }
    case rec::CreateFontIndirect: {
        Object o;
        o.kind = Object::FontObj;
        Font &f = o.font;
        f.height = in.s16();
        f.width = in.s16();
        f.escapement = in.s16();
        in.s16(); // orientation
        f.weight = in.s16();
        f.italic = in.u8();
        f.underline = in.u8();
        f.strikeOut = in.u8();
        f.charset = in.u8();
        in.skip(4);
        QByteArray face;
        while (in.remaining() > 0 && face.size() < 32) {
            const char c = char(in.u8());
            if (c == 0)
                break;
            face.append(c);
        }
        f.face = decodeText(face, f.charset == 2 ? 0 : f.charset);
        addObject(std::move(o));
        break;
    }
    case rec::CreatePalette: {
        Object o;
        o.kind = Object::PaletteObj;
        in.u16();
        const uint16_t n = in.u16();
        auto colours = std::make_shared<std::vector<QRgb>>();
        for (uint16_t i = 0; i < n && in.has(4); ++i) {
            const int r = in.u8(), g = in.u8(), b = in.u8();
            in.u8();
            colours->push_back(qRgb(r, g, b));
        }
        o.palette = std::move(colours);
        addObject(std::move(o));
        break;
    }
    case rec::CreateRegion: {
        Object o;
        o.kind = Object::RegionObj;
        o.region = readRegion(in);
        addObject(std::move(o));
        break;
    }
    case rec::DibCreatePatternBrush: {
        Object o;
        o.kind = Object::BrushObj;
        o.brush.style = BsDibPattern;
        in.u16(); // style
        const uint16_t usage = in.u16();
        o.brush.pattern = decodeDib(in.sub(in.remaining()), usage == 1, palette());
        addObject(std::move(o));
        break;
    }
    case rec::CreatePatternBrush: {
        Object o;
        o.kind = Object::BrushObj;
        o.brush.style = BsPattern;
        if (in.has(28)) {
            QByteArray bm(reinterpret_cast<const char *>(in.here()), 10);
            bm.append(reinterpret_cast<const char *>(in.here()) + 28, int(in.remaining() - 28));
            o.brush.pattern = decodeBitmap16(ByteReader(reinterpret_cast<const unsigned char *>(bm.constData()),
                                                        uint32_t(bm.size())));
        }
        addObject(std::move(o));
        break;
    }
    case rec::SelectObject: {
        const uint16_t i = in.u16();
        if (in.ok())
            selectObject(i);
        break;
    }
    case rec::SelectPalette: {
        const uint16_t i = in.u16();
        if (in.ok() && i < objects_.size() && objects_[i].kind == Object::PaletteObj)
            dc_.palette = objects_[i].palette;
        break;
    }
    case rec::DeleteObject: {
        const uint16_t i = in.u16();
        if (in.ok())
            deleteObject(i);
        break;
    }
    case rec::SelectClipRegion: {
        const uint16_t i = in.u16();
        if (in.ok() && i < objects_.size() && objects_[i].kind == Object::RegionObj)
            selectObject(i);
        else
            setClip(Clip());
        break;
    }
    case rec::OffsetClipRgn: {
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok() && dc_.clip.set) {
            Clip c = dc_.clip;
            const QPointF d(x * ax_, y * ay_);
            c.rect.translate(d);
            c.path.translate(d);
            setClip(c);
        }
        break;
    }
    case rec::IntersectClipRect:
    case rec::ExcludeClipRect: {
        const int16_t b = in.s16(), rt = in.s16(), t = in.s16(), l = in.s16();
        if (!in.ok() || measuring_)
            break;
        const QRectF rect = mapRect(l, t, rt, b);
        Clip c = dc_.clip;
        if (r.function == rec::IntersectClipRect) {
            if (!c.set) {
                c.set = true;
                c.isRect = true;
                c.rect = rect;
            } else if (c.isRect) {
                c.rect = c.rect.intersected(rect);
            } else {
                QPainterPath p;
                p.addRect(rect);
                c.path = c.path.intersected(p);
            }
        } else {
            QPainterPath whole;
            if (!c.set)
                whole.addRect(target_);
            else if (c.isRect)
                whole.addRect(c.rect);
            else
                whole = c.path;
            QPainterPath p;
            p.addRect(rect);
            c.set = true;
            c.isRect = false;
            c.path = whole.subtracted(p);
        }
        setClip(c);
        break;
    }
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
        if (!in.ok() || n <= 0 || !in.has(uint32_t(n) * 4))
            break;
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
        if (!in.ok() || !in.has(uint32_t(count) * 2))
            break;
        std::vector<uint16_t> sizes(count);
        uint64_t total = 0;
        for (auto &s : sizes) {
            s = in.u16();
            total += s;
        }
        if (total * 4 > in.remaining())
            break;
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
    case rec::TextOut: {
        const int16_t n = in.s16();
        if (!in.ok() || n <= 0 || !in.has(uint32_t(n)))
            break;
        const QByteArray s(reinterpret_cast<const char *>(in.here()), n);
        in.skip(uint32_t(n + (n & 1)));
        const int16_t y = in.s16(), x = in.s16();
        if (in.ok())
            text(x, y, s, 0, nullptr, {});
        break;
    }
    case rec::ExtTextOut: {
        const int16_t y = in.s16(), x = in.s16(), n = in.s16();
        const uint16_t options = in.u16();
        if (!in.ok() || n < 0)
            break;
        QRectF rect;
        bool haveRect = false;
        if ((options & (EtoOpaque | EtoClipped)) && in.has(8)) {
            const int16_t l = in.s16(), t = in.s16(), rt = in.s16(), b = in.s16();
            rect = mapRect(l, t, rt, b);
            haveRect = true;
        }
        if (!in.has(uint32_t(n)))
            break;
        const QByteArray s(reinterpret_cast<const char *>(in.here()), n);
        in.skip(uint32_t(n + (n & 1)));
        std::vector<int> dx;
        const int per = (options & EtoPdy) ? 2 : 1;
        if (in.has(uint32_t(n) * 2 * uint32_t(per))) {
            for (int i = 0; i < n; ++i) {
                dx.push_back(in.s16());
                if (per == 2)
                    in.s16();
            }
        }
        text(x, y, s, options, haveRect ? &rect : nullptr, dx);
        break;
    }
    case rec::FillRegion:
    case rec::PaintRegion: {
        const uint16_t ri = in.u16();
        const uint16_t bi = r.function == rec::FillRegion ? in.u16() : 0;
        if (!in.ok() || ri >= objects_.size() || objects_[ri].kind != Object::RegionObj)
            break;
        QBrush brush;
        if (r.function == rec::FillRegion) {
            if (bi >= objects_.size() || objects_[bi].kind != Object::BrushObj)
                break;
            brush = makeBrush(objects_[bi].brush);
        } else {
            if (!brushVisible())
                break;
            brush = makeBrush(dc_.brush);
        }
        fillPath(QTransform(ax_, 0, 0, ay_, bx_, by_).map(objects_[ri].region), brush);
        break;
    }
    case rec::PatBlt: {
        const uint32_t rop = in.u32();
        const int16_t h = in.s16(), w = in.s16(), y = in.s16(), x = in.s16();
        if (in.ok())
            patBlt(mapRect(x, y, x + w, y + h), rop);
        break;
    }
    case rec::StretchDib: {
        const uint32_t rop = in.u32();
        const uint16_t usage = in.u16();
        const int16_t sh = in.s16(), sw = in.s16(), sy = in.s16(), sx = in.s16();
        const int16_t dh = in.s16(), dw = in.s16(), dy = in.s16(), dxp = in.s16();
        if (!in.ok())
            break;
        const QRectF dest = QRectF(map(dxp, dy), map(dxp + dw, dy + dh));
        if (measuring_) {
            include(dest);
            break;
        }
        QImage img = decodeDib(in.sub(in.remaining()), usage == 1, palette());
        if (!img.isNull())
            drawImage(dest, img, QRectF(sx, img.height() - sy - sh, sw, sh), rop);
        break;
    }
    case rec::DibBitBlt:
    case rec::DibStretchBlt:
    case rec::BitBlt:
    case rec::StretchBlt:
        blit(r.function, in, words);
        break;
    default:
        break; // ESCAPE and records without visible effect are skipped
    }
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

void Player::text(double x, double y, const QByteArray &bytes, uint16_t options, const QRectF *rect,
                  const std::vector<int> &dx)
{
    const Font &f = dc_.font;
    const bool updateCp = dc_.textAlign & TaUpdateCp;
    if (updateCp) {
        x = dc_.pos.x();
        y = dc_.pos.y();
    }
    const QPointF origin = map(x, y);
    const double sx = std::abs(ax_), sy = std::abs(ay_);

    QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    font.setPixelSize(int(kFontPixels));
    font.setWeight(QFont::Weight(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    const QFontMetricsF fm(font);
    const double cell = fm.ascent() + fm.descent();
    double h = f.height;
    double k; // logical units per layout pixel
    if (h < 0)
        k = -h / kFontPixels;
    else if (h > 0)
        k = h / cell;
    else
        k = 12.0 / cell;
    double stretch = 1.0;
    if (f.width > 0 && fm.averageCharWidth() > 0)
        stretch = std::clamp(f.width / (fm.averageCharWidth() * k), 0.05, 20.0);

    const QString str = decodeText(bytes, f.charset);
    // Advance of each character in layout pixels.
    std::vector<double> advance(size_t(str.size()), 0.0);
    const bool useDx = !dx.empty() && !isMultiByteCharset(f.charset) && dx.size() >= size_t(str.size());
    double total = 0;
    for (int i = 0; i < str.size(); ++i) {
        double a = useDx ? dx[size_t(i)] / (k * stretch) : fm.horizontalAdvance(str.at(i));
        if (!useDx)
            a += dc_.charExtra / (k * stretch);
        advance[size_t(i)] = a;
        total += a;
    }
    double left = 0;
    switch (dc_.textAlign & TaCenter) {
    case TaRight: left = -total; break;
    case TaCenter: left = -total / 2; break;
    default: break;
    }
    double base = 0;
    switch (dc_.textAlign & TaBaseline) {
    case TaBaseline: base = 0; break;
    case TaBottom: base = -fm.descent(); break;
    default: base = fm.ascent(); break;
    }
    if (updateCp)
        dc_.pos.rx() += total * k * stretch * (ax_ < 0 ? -1 : 1);

    if (!std::isfinite(sx * k * stretch) || !std::isfinite(sy * k) || sx * k * stretch <= 0 || sy * k <= 0)
        return;
    QTransform layout;
    layout.translate(origin.x(), origin.y());
    layout.rotate(-f.escapement / 10.0);
    layout.scale(sx * k * stretch, sy * k);
    const QRectF box(left, base - fm.ascent(), total, cell);

    if (measuring_) {
        include(layout.mapRect(box));
        if (rect)
            include(*rect);
        return;
    }
    applyClip();
    if (rect && (options & EtoOpaque))
        painter_->fillRect(*rect, color(dc_.bkColor));
    painter_->save();
    if (rect && (options & EtoClipped))
        painter_->setClipRect(*rect, Qt::IntersectClip);
    painter_->setTransform(layout, true);
    if (dc_.bkMode == 2 && !(rect && (options & EtoOpaque)))
        painter_->fillRect(box, color(dc_.bkColor));
    // Glyphs go through outlines, not the glyph cache: a hostile file can ask
    // for scales the font rasteriser fails on, and outlines stay vector on a
    // PDF or printer.
    QPainterPath glyphs;
    if (useDx || dc_.charExtra != 0) {
        double at = left;
        for (int i = 0; i < str.size(); ++i) {
            glyphs.addText(QPointF(at, base), font, QString(str.at(i)));
            at += advance[size_t(i)];
        }
    } else {
        glyphs.addText(QPointF(left, base), font, str);
    }
    painter_->fillPath(glyphs, color(dc_.textColor));
    painter_->restore();
}

QPainterPath Player::readRegion(ByteReader &in)
{
    QPainterPath path;
    in.s16(); // next in chain
    in.s16(); // object type
    in.s32(); // object count
    in.s16(); // region size
    const int16_t scans = in.s16();
    in.s16(); // max scan
    in.skip(8); // bounding box
    for (int s = 0; s < scans && in.ok() && in.has(6); ++s) {
        const uint16_t n = in.u16();
        const int16_t top = in.s16(), bottom = in.s16();
        if (!in.has(uint32_t(n) * 2 + 2))
            break;
        for (int i = 0; i + 1 < n; i += 2) {
            const int16_t l = in.s16(), r = in.s16();
            path.addRect(QRectF(QPointF(l, top), QPointF(r, bottom)).normalized());
        }
        if (n & 1)
            in.s16();
        in.u16();
    }
    return path;
}

void Player::patBlt(const QRectF &dest, uint32_t rop)
{
    if (measuring_) {
        include(dest);
        return;
    }
    const int op = (rop >> 16) & 0xFF;
    QPainterPath p;
    p.addRect(dest);
    switch (op) {
    case 0x00: fillPath(p, QBrush(Qt::black)); break;
    case 0xFF: fillPath(p, QBrush(Qt::white)); break;
    case 0xF0:
        if (dc_.brush.style != BsNull)
            fillPath(p, makeBrush(dc_.brush));
        break;
    default: break;
    }
}

void Player::blit(uint16_t function, ByteReader &in, uint32_t words)
{
    const bool stretch = function == rec::DibStretchBlt || function == rec::StretchBlt;
    const bool dib = function == rec::DibBitBlt || function == rec::DibStretchBlt;
    const uint32_t rop = in.u32();
    int16_t sh = 0, sw = 0;
    if (stretch) {
        sh = in.s16();
        sw = in.s16();
    }
    const int16_t sy = in.s16(), sx = in.s16();
    const bool withBitmap = hasBitmap(function, words);
    if (!withBitmap)
        in.s16(); // reserved
    const int16_t dh = in.s16(), dw = in.s16(), dy = in.s16(), dxp = in.s16();
    if (!in.ok())
        return;
    if (!stretch) {
        sh = dh;
        sw = dw;
    }
    const QRectF dest = QRectF(map(dxp, dy), map(dxp + dw, dy + dh));
    if (!withBitmap || measuring_) {
        patBlt(dest.normalized(), rop);
        return;
    }
    QImage img = dib ? decodeDib(in.sub(in.remaining()), false, palette()) : decodeBitmap16(in.sub(in.remaining()));
    if (img.isNull())
        return;
    const double srcY = dib ? img.height() - sy - sh : sy;
    drawImage(dest, img, QRectF(sx, srcY, sw, sh), rop);
}

void Player::drawImage(const QRectF &dest, QImage img, QRectF src, uint32_t rop)
{
    const QRectF n = dest.normalized();
    if (n.isEmpty())
        return;
    const bool mx = dest.width() < 0, my = dest.height() < 0;
    src = src.normalized().intersected(QRectF(0, 0, img.width(), img.height()));
    if (src.isEmpty())
        src = QRectF(0, 0, img.width(), img.height());
    if (mx || my) {
        img = img.copy(src.toAlignedRect()).mirrored(mx, my);
        src = QRectF(0, 0, img.width(), img.height());
    }
    const int op = (rop >> 16) & 0xFF;
    applyClip();
    const bool blend = painter_->paintEngine() && painter_->paintEngine()->hasFeature(QPaintEngine::BlendModes);
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform,
                            n.width() < src.width() || dc_.stretchMode == 4);
    switch (op) {
    case 0x88: // SRCAND
        if (!blend) {
            painter_->restore();
            return;
        }
        painter_->setCompositionMode(QPainter::CompositionMode_Multiply);
        break;
    case 0xEE: // SRCPAINT
        if (blend)
            painter_->setCompositionMode(QPainter::CompositionMode_Lighten);
        break;
    case 0x66: // SRCINVERT
        if (blend)
            painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        break;
    case 0x33: // NOTSRCCOPY
        img.invertPixels();
        break;
    case 0xAA: // the destination stays
        painter_->restore();
        return;
    default: break;
    }
    painter_->drawImage(n, img, src);
    painter_->restore();
}

} // namespace wmf
