#include "wmf/Metafile.h"

#include "wmf/ByteReader.h"
#include "wmf/Parsed.h"
#include "wmf/Player.h"
#include "wmf/Records.h"

#include <QPainter>
#include <QStringList>
#include <string>

namespace wmf {

namespace {

// The window a plain metafile sets first, if it sets a usable one.
bool firstWindow(ParsedMetafile &p)
{
    QPointF org;
    bool haveExt = false;
    bool haveOrg = false;
    QSizeF ext;
    for (const RecordRef &r : p.records) {
        if (r.function != rec::SetWindowOrg && r.function != rec::SetWindowExt)
            continue;
        ByteReader in(reinterpret_cast<const unsigned char *>(p.bytes.constData()) + r.offset, r.length);
        const int16_t y = in.s16(), x = in.s16();
        if (!in.ok())
            continue;
        if (r.function == rec::SetWindowOrg && !haveOrg) {
            org = QPointF(x, y);
            haveOrg = true;
        } else if (r.function == rec::SetWindowExt && !haveExt && x != 0 && y != 0) {
            ext = QSizeF(x, y);
            haveExt = true;
        }
        if (haveOrg && haveExt)
            break;
    }
    if (!haveExt)
        return false;
    p.windowOrg = org;
    p.windowExt = ext;
    p.frame = QRectF(org, ext).normalized();
    return true;
}

} // namespace

ParsedMetafile parseAndMeasure(const QByteArray &bytes, DrawCost *cost)
{
    ParsedMetafile p = parseRecords(bytes);
    if (!p.frame.isEmpty()) {
        p.windowOrg = p.frame.topLeft();
        p.windowExt = p.frame.size();
    } else if (!firstWindow(p)) {
        Player measure(p, nullptr, QRectF());
        measure.run();
        p.frame = measure.extent();
        p.windowOrg = p.frame.topLeft();
        p.windowExt = p.frame.size();
    }
    // The frame onto a unit square: the cost in frames, whatever the output.
    Player costing(p, nullptr, QRectF(0, 0, 1, 1), cost);
    costing.run();
    p.damagedRecords = costing.damagedRecords();
    p.firstDamaged = costing.firstDamaged();
    return p;
}

void checkCost(const DrawCost &cost)
{
    if (cost.largestPolygon > kMaxPolygonPoints)
        throw MetafileError("damaged metafile: a shape has more than " + std::to_string(kMaxPolygonPoints) + " points");
    if (cost.points > kMaxTotalPoints)
        throw MetafileError("damaged metafile: more than " + std::to_string(kMaxTotalPoints) + " points in all");
    if (cost.fontFaces > kMaxFontFaces)
        throw MetafileError("damaged metafile: its text asks for more than " + std::to_string(kMaxFontFaces) + " fonts");
    if (cost.glyphs > kMaxGlyphs)
        throw MetafileError("damaged metafile: its text has more than " + std::to_string(kMaxGlyphs) + " characters");
    if (cost.textArea > kMaxTextArea)
        throw MetafileError("damaged metafile: its text covers the picture more than "
                            + std::to_string(int(kMaxTextArea)) + " times over");
    if (cost.edgeSpan > kMaxEdgeSpan)
        throw MetafileError(std::string("damaged metafile: its ")
                            + (cost.textSpan > cost.edgeSpan / 2 ? "letters" : "lines")
                            + " cross the picture more than " + std::to_string(int(kMaxEdgeSpan)) + " times");
    if (cost.area > kMaxFilledArea)
        throw MetafileError("damaged metafile: it fills the picture more than " + std::to_string(int(kMaxFilledArea))
                            + " times over");
    if (cost.bitmapPixels > kMaxTotalBitmapPixels)
        throw MetafileError("damaged metafile: its bitmaps hold more than "
                            + std::to_string(kMaxTotalBitmapPixels / 1000000) + " million pixels");
}

Metafile Metafile::fromBytes(const QByteArray &bytes)
{
    DrawCost cost;
    auto p = std::make_shared<ParsedMetafile>(parseAndMeasure(bytes, &cost));
    checkCost(cost);
    Metafile m;
    m.data_ = std::move(p);
    return m;
}

QRectF Metafile::frame() const
{
    return data_ ? data_->frame : QRectF();
}

bool Metafile::isPlaceable() const
{
    return data_ && data_->placeable;
}

int Metafile::unitsPerInch() const
{
    return data_ ? data_->unitsPerInch : 0;
}

int Metafile::recordCount() const
{
    return data_ ? int(data_->records.size()) : 0;
}

bool Metafile::isTruncated() const
{
    return data_ && data_->truncated;
}

int Metafile::damagedRecords() const
{
    return data_ ? data_->damagedRecords : 0;
}

QString Metafile::damage() const
{
    if (!data_)
        return {};
    QStringList parts;
    if (data_->damagedRecords > 0)
        parts << QStringLiteral("%1 damaged record(s) skipped, the first is record %2")
                     .arg(data_->damagedRecords)
                     .arg(data_->firstDamaged + 1);
    if (data_->truncated)
        parts << QStringLiteral("the records break off after record %1").arg(data_->records.size());
    return parts.join(QStringLiteral("; "));
}

QRectF Metafile::drawnExtent() const
{
    if (!data_)
        return {};
    Player measure(*data_, nullptr, QRectF());
    measure.run();
    return measure.extent();
}

void Metafile::draw(QPainter &painter, const QRectF &target) const
{
    if (!data_ || data_->frame.width() <= 0 || data_->frame.height() <= 0 || !target.isValid())
        return;
    Player player(*data_, &painter, target);
    player.run();
}

} // namespace wmf
