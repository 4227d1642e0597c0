#include "wmf/Player.h"

#include "wmf/Charset.h"
#include "wmf/PlayerSupport.h"
#include "wmf/Records.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace wmf {

namespace {

enum { TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaBottom = 8, TaBaseline = 24 };
enum { EtoOpaque = 2, EtoClipped = 4, EtoPdy = 0x2000 };
constexpr double kFontPixels = 256.0; // fonts are laid out at this size, then scaled
constexpr int kGlyphsPerFill = 16;

} // namespace

// Text output records.
bool Player::playTextRecord(const RecordRef &r, ByteReader &in)
{
    switch (r.function) {
    case rec::TextOut: {
        const int16_t n = in.s16();
        if (in.ok() && (n < 0 || !in.has(uint32_t(n))))
            damaged();
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
        if (in.ok() && n < 0)
            damaged();
        if (!in.ok() || n < 0)
            break;
        QRectF rect;
        bool haveRect = false;
        if ((options & (EtoOpaque | EtoClipped)) && in.has(8)) {
            const int16_t l = in.s16(), t = in.s16(), rt = in.s16(), b = in.s16();
            rect = mapRect(l, t, rt, b);
            haveRect = true;
        }
        if (!in.has(uint32_t(n))) {
            damaged();
            break;
        }
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
    default: return false;
    }
    return true;
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
    const QString face = f.face.isEmpty() ? QStringLiteral("Arial") : f.face;
    if (cost_) {
        // Each face the font database does not know costs a fallback search;
        // past the limit the file is refused, so no more searches for it.
        faces_.insert(face.toCaseFolded());
        cost_->fontFaces = int(faces_.size());
        if (cost_->fontFaces > kMaxFontFaces)
            return;
    }

    QFont font(face);
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
        if (cost_) {
            cost_->points += str.size();
            addGlyphCost(layout, fm, str, advance, left, base - fm.ascent());
        }
        include(layout.mapRect(box));
        if (rect)
            include(*rect);
        return;
    }
    applyClip();
    const QRectF visible = painter_->hasClipping() ? painter_->clipBoundingRect().intersected(target_) : target_;
    const bool cull = !visible.contains(layout.mapRect(box));
    if (rect && (options & EtoOpaque))
        painter_->fillRect(*rect, color(dc_.bkColor));
    painter_->save();
    if (rect && (options & EtoClipped))
        painter_->setClipRect(*rect, Qt::IntersectClip);
    const bool opaqueBox = dc_.bkMode == 2 && !(rect && (options & EtoOpaque));
    if (opaqueBox && cull) {
        // Only the part of the box in the picture: the rasteriser is slow
        // on a rotated rectangle reaching far out of the device.
        QPainterPath outside;
        outside.addPolygon(layout.map(QPolygonF(box)));
        QPainterPath in;
        in.addRect(visible.adjusted(-1, -1, 1, 1));
        painter_->fillPath(outside.intersected(in), color(dc_.bkColor));
    }
    painter_->setTransform(layout, true);
    if (opaqueBox && !cull)
        painter_->fillRect(box, color(dc_.bkColor));
    // Glyphs go through outlines, not Qt's glyph cache: a hostile file can
    // ask for scales the font rasteriser fails on, and outlines stay vector
    // on a PDF or printer.
    // A string running far out of the picture is laid out glyph by glyph and
    // only the glyphs that reach the picture are drawn: outlining hundreds
    // of glyphs of a huge font that nobody sees is what makes such text slow.
    // Each glyph is outlined once per drawing: FreeType runs the font's
    // hinting program on every outline it loads, whatever the hinting asked
    // for, and that was most of the cost of text.
    QHash<char16_t, QPainterPath> &outlines = outlines_[font.key()];
    const auto outline = [&](QChar c, const QPointF &at) {
        auto it = outlines.find(c.unicode());
        if (it == outlines.end()) {
            QPainterPath p;
            p.addText(QPointF(), font, QString(c));
            it = outlines.insert(c.unicode(), p);
        }
        return it->translated(at);
    };
    const auto eachGlyph = [&](const auto &use) {
        double at = left;
        for (int i = 0; i < str.size(); ++i) {
            const QRectF cellBox(at, base - fm.ascent(), std::max(advance[size_t(i)], fm.maxWidth()), cell);
            if (!cull || layout.mapRect(cellBox.adjusted(-cell, 0, cell, 0)).intersects(visible))
                use(outline(str.at(i), QPointF(at, base)));
            at += advance[size_t(i)];
        }
    };
    // Scripts that join or stack their letters need the whole string shaped.
    const bool shaped = !(useDx || dc_.charExtra != 0 || cull) && std::any_of(str.begin(), str.end(), [](QChar c) {
        return c.unicode() >= 0x0590 || c.isMark();
    });
    QPainterPath glyphs;
    if (shaped)
        glyphs.addText(QPointF(left, base), font, str);
    else
        eachGlyph([&](const QPainterPath &glyph) { glyphs.addPath(glyph); });
    // Both of Qt's rasterisers slow down with the square of the edges one
    // fill has on a scanline (they insert them in order into a list or an
    // unbalanced tree), and glyphs come in order.
    const QColor ink = color(dc_.textColor);
    if (glyphs.elementCount() > kFewElements && edgeSpan(layout.map(glyphs)) > kAntialiasEdgeSpan) {
        // Glyphs squeezed into slivers cross the picture as often as a dense
        // polygon: each is filled alone, without antialiasing, as dense
        // polygons are.
        const NoAntialiasing dense(*painter_, true);
        eachGlyph([&](const QPainterPath &glyph) { painter_->fillPath(glyph, ink); });
    } else if (shaped) {
        painter_->fillPath(glyphs, ink);
    } else {
        // A long line of small text: a few glyphs per fill.
        QPainterPath group;
        int inGroup = 0;
        eachGlyph([&](const QPainterPath &glyph) {
            group.addPath(glyph);
            if (++inGroup == kGlyphsPerFill) {
                painter_->fillPath(group, ink);
                group.clear();
                inGroup = 0;
            }
        });
        if (inGroup > 0)
            painter_->fillPath(group, ink);
    }
    painter_->restore();
}

void Player::addGlyphCost(const QTransform &layout, const QFontMetricsF &fm, const QString &str,
                          const std::vector<double> &advance, double left, double top)
{
    const double w = std::abs(target_.width()), h = std::abs(target_.height());
    const double cell = fm.ascent() + fm.descent();
    double at = left;
    for (int i = 0; i < str.size(); ++i) {
        // The glyph's own width wherever the advances place it: with dx of
        // zero, glyphs pile up and each is drawn all the same.
        const QRectF glyph(at, top, fm.horizontalAdvance(str.at(i)), cell);
        at += advance[size_t(i)];
        const QRectF in = layout.mapRect(glyph).intersected(target_);
        if (in.isEmpty())
            continue; // not drawn
        ++cost_->glyphs;
        cost_->textArea += in.width() * in.height();
        const double span = kGlyphCrossings * (in.width() / w + in.height() / h);
        cost_->textSpan += span;
        cost_->edgeSpan += span;
    }
}

} // namespace wmf
