#pragma once
#include "wmf/MetafilePaintDevice.h"
#include "wmf/MetafileWriter.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QBrush>
#include <functional>

namespace wmf {

// The engine behind MetafilePaintDevice. It claims every feature, so QPainter
// hands it everything untransformed and unemulated; what has no metafile
// form is painted on a raster copy of the page (the backdrop) and the touched
// rectangle of that copy goes into the metafile as an opaque bitmap.
class MetafilePaintEngine : public QPaintEngine {
public:
    explicit MetafilePaintEngine(const MetafilePaintDevice::Settings &settings);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    void drawPath(const QPainterPath &path) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    Type type() const override { return QPaintEngine::User; }

    QSize pixelSize() const { return backdrop_.size(); }
    QByteArray finish() const;
    MetafileStats stats() const { return stats_; }
    void setPlacement(const QTransform &transform, const QRectF &clip);

private:
    void draw(const QPainterPath &path, bool fill, bool stroke);
    bool solid(const QBrush &brush) const;
    // Counts the work a shape asks for; false (and the drawing refused)
    // once it goes beyond what the reader accepts.
    bool withinWork(const QPainterPath &devicePath, bool fill, bool stroke);
    void fillVector(const QPainterPath &devicePath, QColor colour);
    void strokeVector(const QPainterPath &path, const QPainterPath &devicePath);
    // Paints on the backdrop with the full state and emits the touched
    // rectangle (device pixels) as a bitmap.
    // Only the tiles that `area` (device pixels; empty: all) touches.
    void rasterise(const QRectF &deviceBounds, const QPainterPath &area, const std::function<void(QPainter &)> &paint);
    // A gradient as bands of solid colour; false when it has no such form.
    bool fillBands(const QPainterPath &devicePath, const QBrush &brush, const QRectF &logicalBounds);
    QPainterPath clipped(const QPainterPath &devicePath) const;
    void emitFill(const QPainterPath &clippedShape, QColor colour);
    QPainterPath strokeOutline(const QPainterPath &path, const QPainterPath &devicePath) const;
    void paintBackdrop(bool antialias, const std::function<void(QPainter &)> &paint);
    void emitImage(const QRect &deviceRect, const QImage &image);

    std::vector<QPolygon> polygons(const QPainterPath &devicePath, bool closed) const;
    void selectPen(int style, int width, QColor colour);
    void selectBrush(bool null, QColor colour);
    void setFillMode(Qt::FillRule rule);
    bool full();
    QRectF sheet() const; // the page in device pixels

    MetafilePaintDevice::Settings settings_;
    double unitsPerPixel_;
    QSize units_;
    MetafileWriter writer_;
    QImage backdrop_;
    MetafileStats stats_;
    bool overflow_ = false;
    QString overflowReason_; // not empty: refused as too complex
    double edgeSpan_ = 0;    // page widths and heights of edges drawn
    qint64 points_ = 0;
    double lastSpan_ = 0; // of the shape being drawn

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    QTransform placement_;
    QPainterPath placementClip_; // device pixels; empty: none
    QPainterPath clip_;          // device pixels
    bool clipEnabled_ = false;
    bool clipSet_ = false; // a clip path is known (NoClip forgets it)
    qreal opacity_ = 1.0;
    QPainter::CompositionMode composition_ = QPainter::CompositionMode_SourceOver;
    QPainter::RenderHints hints_;
    QBrush background_;
    Qt::BGMode backgroundMode_ = Qt::TransparentMode;
    QPointF brushOrigin_;

    int penObject_ = -1, brushObject_ = -1;
    quint64 penKey_ = ~0ull, brushKey_ = ~0ull;
    int fillMode_ = 0;
};

} // namespace wmf
