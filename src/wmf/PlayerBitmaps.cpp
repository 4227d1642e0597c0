#include "wmf/Player.h"

#include "wmf/Dib.h"
#include "wmf/PlayerSupport.h"
#include "wmf/Records.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace wmf {

namespace {

bool hasBitmap(uint16_t function, uint32_t words)
{
    return words != uint32_t(function >> 8) + 3;
}

} // namespace

// Region fills, pattern fills and bitmaps.
bool Player::playBitmapRecord(const RecordRef &r, ByteReader &in)
{
    const uint32_t words = r.length / 2 + 3;
    switch (r.function) {
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
            if (cost_)
                countBitmap(dibPixels(in.sub(in.remaining())));
            break;
        }
        drawDib(dest, in.sub(in.remaining()), usage == 1, QRect(sx, sy, sw, sh), rop);
        break;
    }
    case rec::DibBitBlt:
    case rec::DibStretchBlt:
    case rec::BitBlt:
    case rec::StretchBlt: blit(r.function, in, words); break;
    default: return false;
    }
    return true;
}

void Player::countBitmap(int64_t pixels)
{
    if (pixels < 0)
        damaged();
    else
        cost_->bitmapPixels += pixels;
}

QPainterPath Player::readRegion(ByteReader &in)
{
    QPainterPath path;
    in.s16(); // next in chain
    in.s16(); // object type
    in.s32(); // object count
    in.s16(); // region size
    const int16_t scans = in.s16();
    in.s16();   // max scan
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
        if (cost_ && withBitmap)
            countBitmap(dib ? dibPixels(in.sub(in.remaining())) : bitmap16Pixels(in.sub(in.remaining())));
        return;
    }
    if (dib) {
        drawDib(dest, in.sub(in.remaining()), false, QRect(sx, sy, sw, sh), rop);
        return;
    }
    const QImage img = decodeBitmap16(in.sub(in.remaining()));
    if (!img.isNull())
        drawImage(dest, img, QRectF(sx, sy, sw, sh), rop);
}

void Player::drawDib(const QRectF &dest, ByteReader bits, bool palColors, const QRect &src, uint32_t rop)
{
    // Decode no more than twice the pixels the destination covers on the
    // device; drawImage smooths the rest down.
    const int64_t pixels = dibPixels(bits);
    int stepX = 1, stepY = 1;
    if (pixels > 0 && src.width() != 0 && src.height() != 0) {
        const QRectF onDevice = painter_->deviceTransform().mapRect(dest.normalized());
        stepX = int(std::clamp(std::abs(src.width()) / (2 * std::max(onDevice.width(), 1.0)), 1.0, 65535.0));
        stepY = int(std::clamp(std::abs(src.height()) / (2 * std::max(onDevice.height(), 1.0)), 1.0, 65535.0));
    }
    const QImage img = decodeDib(bits, palColors, palette(), stepX, stepY);
    if (img.isNull())
        return;
    // The source rectangle counts rows from the bottom of the whole bitmap.
    const int fullHeight = stepY == 1 ? img.height() : dibSize(bits).height();
    drawImage(dest, img,
              QRectF(double(src.x()) / stepX, double(fullHeight - src.y() - src.height()) / stepY,
                     double(src.width()) / stepX, double(src.height()) / stepY),
              rop);
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
    // No more pixels than the destination covers on the device: a PDF or a
    // printer would otherwise carry every pixel of a huge bitmap.
    const QRectF onDevice = painter_->deviceTransform().mapRect(n);
    const int needW = std::max(1, int(std::ceil(onDevice.width())));
    const int needH = std::max(1, int(std::ceil(onDevice.height())));
    if (src.width() > needW || src.height() > needH) {
        const QRect whole = src.toAlignedRect();
        img = (whole == img.rect() ? img : img.copy(whole))
                  .scaled(std::min(needW, whole.width()), std::min(needH, whole.height()), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
        src = QRectF(0, 0, img.width(), img.height());
    }
    const int op = (rop >> 16) & 0xFF;
    applyClip();
    const bool blend = painter_->paintEngine() && painter_->paintEngine()->hasFeature(QPaintEngine::BlendModes);
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, n.width() < src.width() || dc_.stretchMode == 4);
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
