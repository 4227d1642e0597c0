#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace wmf {

// A font as a metafile stores it. height < 0: character height; > 0: cell height.
struct LogFont {
    int height = -12;
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    QByteArray face = "Arial";
};

// Builds a placeable metafile record by record. Coordinates are logical
// units and must fit in 16 bits (they are clamped). Objects go to the lowest
// free slot of the object table, as a player allocates them.
class MetafileWriter {
public:
    MetafileWriter(const QRect &bounds, int unitsPerInch);

    void setWindowOrg(int x, int y);
    void setWindowExt(int w, int h);
    void setViewportOrg(int x, int y);
    void setViewportExt(int w, int h);
    void setMapMode(int mode);
    void setBkMode(int mode);
    void setBkColor(QColor c);
    void setTextColor(QColor c);
    void setTextAlign(int align);
    void setPolyFillMode(int mode);
    void setRop2(int rop);
    void setStretchBltMode(int mode);
    void saveDC();
    void restoreDC(int n = -1);

    int createPen(int style, int width, QColor c);
    int createBrush(int style, QColor c, int hatch = 0);
    int createFont(const LogFont &f);
    int createPalette(const std::vector<QRgb> &colours);
    int createDibPatternBrush(const QImage &pattern);
    void selectObject(int index);
    void selectPalette(int index);
    void deleteObject(int index);

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void polyline(const QPolygon &points);
    void polygon(const QPolygon &points);
    void polyPolygon(const std::vector<QPolygon> &polygons);
    void rectangle(const QRect &r);
    void roundRect(const QRect &r, int cornerW, int cornerH);
    void ellipse(const QRect &r);
    void arc(const QRect &box, QPoint start, QPoint end);
    void pie(const QRect &box, QPoint start, QPoint end);
    void chord(const QRect &box, QPoint start, QPoint end);
    void textOut(QPoint at, const QByteArray &text);
    void extTextOut(QPoint at, const QByteArray &text, int options = 0, const QRect *rect = nullptr,
                    const std::vector<int> &dx = {});
    void intersectClipRect(const QRect &r);
    void excludeClipRect(const QRect &r);
    // A bitmap as a DIB of the given depth (1, 4 and 8 use the image's
    // colour table; the image must then be indexed).
    void stretchDib(const QRect &dest, const QImage &image, int bits = 24);
    void dibStretchBlt(const QRect &dest, const QImage &image, int bits = 24);
    void dibBitBlt(QPoint at, const QImage &image, int bits = 24);
    void escape(uint16_t function, const QByteArray &data);

    // Any record, parameters given as raw bytes.
    void record(uint16_t function, const QByteArray &params);

    int recordCount() const { return records_; }
    // Size of the finished file so far (headers and EOF record included).
    qint64 byteSize() const { return body_.size() + 22 + 18 + 6; }
    // The finished file: placeable header, metafile header, records, EOF.
    QByteArray finish() const;

    static QByteArray dib(const QImage &image, int bits);

private:
    int allocate();
    void put16(QByteArray &b, int v) const;
    // A record of 16-bit parameters, in the order they are stored.
    void recordWords(uint16_t function, std::initializer_list<int> words);
    static QByteArray colorParam(QColor c);            // a COLORREF
    void box(QByteArray &b, const QRect &r) const;     // bottom, right, top, left
    void boxRecord(uint16_t function, const QRect &r); // a record of just a box
    void arcRecord(uint16_t function, const QRect &box, QPoint start, QPoint end);
    void points(QByteArray &b, const QPolygon &points) const; // x, y of each
    void pointsRecord(uint16_t function, const QPolygon &points);
    // Source (the whole image) then destination: height, width, y, x each.
    void stretchRects(QByteArray &b, const QImage &image, const QRect &dest) const;

    QRect bounds_;
    int inch_;
    QByteArray body_;
    int records_ = 0;
    uint32_t maxRecordWords_ = 3;
    std::vector<bool> used_;
};

} // namespace wmf
