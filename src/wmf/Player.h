#pragma once
#include "wmf/ByteReader.h"
#include "wmf/Parsed.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <memory>
#include <vector>

class QPainter;
class QFontMetricsF;

namespace wmf {

// Plays the records of a parsed metafile onto a painter, mapping the
// picture's window onto the target rectangle. Without a painter it only
// measures: the extent of what would be drawn, in logical units, or, given
// a cost, the work drawing would take and the records found damaged (the
// target is then the unit square).
class Player {
public:
    Player(const ParsedMetafile &mf, QPainter *painter, const QRectF &target, DrawCost *cost = nullptr);
    void run();
    QRectF extent() const { return extent_; }
    int damagedRecords() const { return damaged_; }
    int firstDamaged() const { return firstDamaged_; }

private:
    struct Pen {
        uint16_t style = 0; // PS_SOLID
        int width = 0;
        uint32_t color = 0;
    };
    struct Brush {
        uint16_t style = 0; // BS_SOLID
        uint32_t color = 0xFFFFFF;
        uint16_t hatch = 0;
        QImage pattern;
    };
    struct Font {
        int height = 0, width = 0, escapement = 0, weight = 400;
        bool italic = false, underline = false, strikeOut = false;
        int charset = 0;
        QString face;
    };
    struct Object {
        enum Kind { None, PenObj, BrushObj, FontObj, PaletteObj, RegionObj, OtherObj } kind = None;
        Pen pen;
        Brush brush;
        Font font;
        std::shared_ptr<const std::vector<QRgb>> palette;
        QPainterPath region; // logical units
    };
    struct Clip {
        bool set = false;
        bool isRect = true;
        QRectF rect;       // target units
        QPainterPath path; // target units, when !isRect
    };
    struct DC {
        QPointF windowOrg;
        QSizeF windowExt;
        QPointF viewportOrg;
        QSizeF viewportExt;
        int mapMode = 1;
        Pen pen;
        Brush brush;
        Font font;
        // Shared: a saved DC must not copy a palette of 65535 entries.
        std::shared_ptr<const std::vector<QRgb>> palette;
        int bkMode = 2; // OPAQUE
        uint32_t bkColor = 0xFFFFFF;
        uint32_t textColor = 0;
        uint16_t textAlign = 0;
        int polyFillMode = 1; // ALTERNATE
        int rop2 = 13;        // R2_COPYPEN
        int stretchMode = 1;
        int charExtra = 0;
        QPointF pos; // current position, logical
        Clip clip;
    };

    void play(const RecordRef &r);
    // One per record family; each returns false for a record it does not play.
    bool playStateRecord(const RecordRef &r, ByteReader &in);
    bool playObjectRecord(const RecordRef &r, ByteReader &in);
    bool playClipRecord(const RecordRef &r, ByteReader &in);
    bool playDrawingRecord(const RecordRef &r, ByteReader &in);
    bool playTextRecord(const RecordRef &r, ByteReader &in);
    bool playBitmapRecord(const RecordRef &r, ByteReader &in);
    void updateMapping();
    QPointF map(double x, double y) const { return {ax_ * x + bx_, ay_ * y + by_}; }
    QRectF mapRect(double l, double t, double r, double b) const;
    QColor color(uint32_t ref) const;
    const std::vector<QRgb> &palette() const;

    int addObject(Object o);
    void deleteObject(size_t index);
    void selectObject(int index);

    void fillAndStroke(const QPainterPath &path, bool fill, bool stroke);
    void fillPath(const QPainterPath &path, const QBrush &brush);
    bool penVisible() const;
    QPen makePen() const;
    bool brushVisible() const;
    QBrush makeBrush(const Brush &b) const;
    void applyClip();
    void setClip(const Clip &c);
    void include(const QRectF &r);
    void addPathCost(const QPainterPath &path, bool fill, bool stroke);
    void countPoints(int64_t n); // the points of one shape, when costing
    // Sum of |dx| / width + |dy| / height of the path's edges, in target units.
    double edgeSpan(const QPainterPath &path) const;
    // The record being played is damaged (its parameters do not add up).
    void damaged() { recordDamaged_ = true; }
    void countBitmap(int64_t pixels); // < 0: a damaged bitmap

    void arcLike(ByteReader &in, int kind);
    // The glyphs of one string that reach the picture, when costing; top is
    // the top of their cells in layout units.
    void addGlyphCost(const QTransform &layout, const QFontMetricsF &fm, const QString &str,
                      const std::vector<double> &advance, double left, double top);
    void text(double x, double y, const QByteArray &bytes, uint16_t options, const QRectF *rect,
              const std::vector<int> &dx);
    void blit(uint16_t function, ByteReader &in, uint32_t words);
    void drawImage(const QRectF &dest, QImage img, QRectF src, uint32_t rop);
    // src: the record's source rectangle, rows counted from the bottom.
    void drawDib(const QRectF &dest, ByteReader bits, bool palColors, const QRect &src, uint32_t rop);
    void patBlt(const QRectF &dest, uint32_t rop);
    QPainterPath readRegion(ByteReader &in);

    const ParsedMetafile &mf_;
    QPainter *painter_;
    QRectF target_;
    QRectF extent_;
    bool measuring_;
    DrawCost *cost_;
    bool recordDamaged_ = false;
    int damaged_ = 0;
    int firstDamaged_ = -1;
    double ax_ = 1, bx_ = 0, ay_ = 1, by_ = 0;

    DC dc_;
    std::vector<DC> saved_;
    int savedOverflow_ = 0;
    std::vector<Object> objects_;
    size_t objectsUsed_ = 0;
    size_t firstFree_ = 0; // no free slot below this index
    bool clipDirty_ = false;
    // Glyph outlines at the layout size, by font key and character.
    QHash<QString, QHash<char16_t, QPainterPath>> outlines_;
    QSet<QString> faces_; // the font faces text asked for, when costing
};

} // namespace wmf
