#include "wmf/Player.h"

#include "wmf/Charset.h"
#include "wmf/Dib.h"
#include "wmf/PlayerSupport.h"
#include "wmf/Records.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace wmf {

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

// Creation, selection and deletion of pens, brushes, fonts, palettes and regions.
bool Player::playObjectRecord(const RecordRef &r, ByteReader &in)
{
    switch (r.function) {
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
        if (cost_)
            cost_->points += o.region.elementCount();
        addObject(std::move(o));
        break;
    }
    case rec::DibCreatePatternBrush: {
        Object o;
        o.kind = Object::BrushObj;
        o.brush.style = BsDibPattern;
        in.u16(); // style
        const uint16_t usage = in.u16();
        if (cost_)
            countBitmap(dibPixels(in.sub(in.remaining())));
        if (!measuring_) // the pattern changes neither extent nor cost
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
            o.brush.pattern = decodeBitmap16(
                ByteReader(reinterpret_cast<const unsigned char *>(bm.constData()), uint32_t(bm.size())));
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
    default: return false;
    }
    return true;
}

// The clipping region.
bool Player::playClipRecord(const RecordRef &r, ByteReader &in)
{
    switch (r.function) {
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
    default: return false;
    }
    return true;
}

} // namespace wmf
