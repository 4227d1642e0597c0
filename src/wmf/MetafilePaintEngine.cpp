#include "wmf/MetafilePaintEngine.h"

#include "wmf/GradientBands.h"
#include "wmf/Parsed.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>
#include <cmath>

namespace wmf {

namespace {

// Curves are flattened until no chord strays more than this from the curve,
// in metafile units (1/1440 inch: a 600 dpi dot is 2.4 units).
constexpr double kFlatness = 0.6;

QPointF cubicAt(QPointF a, QPointF b, QPointF c, QPointF d, double t)
{
    const double u = 1 - t;
    return a * (u * u * u) + b * (3 * u * u * t) + c * (3 * u * t * t) + d * (t * t * t);
}

double length(QPointF p)
{
    return std::hypot(p.x(), p.y());
}

// Segments a cubic needs so that its chords stay within kFlatness
// (the second differences of the control points bound the error).
int segmentsFor(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const double m = std::max(length(a - 2 * b + c), length(b - 2 * c + d));
    const double n = std::ceil(std::sqrt(0.75 * m / kFlatness));
    return int(std::clamp(n, 1.0, 4096.0));
}

bool similarity(const QTransform &t)
{
    if (t.type() > QTransform::TxRotate)
        return false;
    const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
    return std::abs(sx - sy) <= 1e-6 * std::max(sx, sy);
}

bool isOpaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// A grey image as 8-bit indexes into a grey ramp: a third of the bytes.
QImage indexedGray(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_Grayscale8);
    out.reinterpretAsFormat(QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int i = 0; i < 256; ++i)
        ramp << qRgb(i, i, i);
    out.setColorTable(ramp);
    return out;
}

// Parts whose boxes touch (an outline and its holes) stay together in one
// poly-polygon; separate parts become separate polygons, since some players
// draw a poly-polygon as one outline with seams between its parts.
std::vector<std::vector<QPolygon>> overlapping(const std::vector<QPolygon> &polys)
{
    const size_t n = polys.size();
    std::vector<QRect> boxes;
    boxes.reserve(n);
    for (const QPolygon &p : polys)
        boxes.push_back(p.boundingRect());
    std::vector<size_t> parent(n);
    for (size_t i = 0; i < n; ++i)
        parent[i] = i;
    const auto root = [&](size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    if (n <= 4000) {
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j)
                if (boxes[i].intersects(boxes[j]))
                    parent[root(j)] = root(i);
    } else {
        for (size_t i = 1; i < n; ++i)
            parent[i] = 0;
    }
    std::vector<std::vector<QPolygon>> groups;
    std::vector<int> slot(n, -1);
    for (size_t i = 0; i < n; ++i) {
        const size_t r = root(i);
        if (slot[r] < 0) {
            slot[r] = int(groups.size());
            groups.emplace_back();
        }
        groups[size_t(slot[r])].push_back(polys[i]);
    }
    return groups;
}

quint64 key(int style, int width, QColor c)
{
    return quint64(style & 0xFFFF) << 48 | quint64(width & 0xFFFF) << 32 | c.rgb();
}

} // namespace

MetafilePaintEngine::MetafilePaintEngine(const MetafilePaintDevice::Settings &settings)
    : QPaintEngine(AllFeatures), settings_(settings), unitsPerPixel_(double(settings.unitsPerInch) / settings.pixelDpi),
      units_(int(std::lround(settings.sizeMm.width() / 25.4 * settings.unitsPerInch)),
             int(std::lround(settings.sizeMm.height() / 25.4 * settings.unitsPerInch))),
      writer_(QRect(QPoint(0, 0), units_), settings.unitsPerInch)
{
    backdrop_ = QImage(int(std::lround(settings.sizeMm.width() / 25.4 * settings.pixelDpi)),
                       int(std::lround(settings.sizeMm.height() / 25.4 * settings.pixelDpi)), QImage::Format_RGB32);
    backdrop_.fill(Qt::white);
    writer_.setMapMode(8); // MM_ANISOTROPIC
    writer_.setWindowOrg(0, 0);
    writer_.setWindowExt(units_.width(), units_.height());
    writer_.setBkMode(1); // TRANSPARENT
    // Bitmaps smaller than where they go are enlarged smoothly, not in blocks.
    writer_.setStretchBltMode(4); // HALFTONE
}

bool MetafilePaintEngine::begin(QPaintDevice *)
{
    return true;
}

bool MetafilePaintEngine::end()
{
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState &s)
{
    const DirtyFlags f = s.state();
    if (f & DirtyTransform)
        transform_ = s.transform() * placement_;
    if (f & DirtyPen)
        pen_ = s.pen();
    if (f & DirtyBrush)
        brush_ = s.brush();
    if (f & DirtyBrushOrigin)
        brushOrigin_ = s.brushOrigin();
    if (f & DirtyBackground)
        background_ = s.backgroundBrush();
    if (f & DirtyBackgroundMode)
        backgroundMode_ = s.backgroundMode();
    if (f & DirtyOpacity)
        opacity_ = s.opacity();
    if (f & DirtyCompositionMode)
        composition_ = s.compositionMode();
    if (f & DirtyHints)
        hints_ = s.renderHints();
    if (f & (DirtyClipPath | DirtyClipRegion)) {
        QPainterPath p;
        if (f & DirtyClipPath)
            p = s.clipPath() * transform_;
        else {
            QPainterPath r;
            r.addRegion(s.clipRegion());
            p = r * transform_;
        }
        switch (s.clipOperation()) {
        case Qt::NoClip:
            clipEnabled_ = false;
            clipSet_ = false;
            clip_ = {};
            break;
        case Qt::ReplaceClip:
            clipEnabled_ = clipSet_ = true;
            clip_ = p;
            break;
        case Qt::IntersectClip:
            clip_ = clipEnabled_ ? clip_.intersected(p) : p;
            clipEnabled_ = clipSet_ = true;
            break;
        }
    }
    // Enabling a clip that was removed (QPainter::restore sends both) clips nothing.
    if (f & DirtyClipEnabled)
        clipEnabled_ = s.isClipEnabled() && clipSet_;
    if (!placementClip_.isEmpty() && (f & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))) {
        clip_ = clipEnabled_ ? clip_.intersected(placementClip_) : placementClip_;
        clipEnabled_ = true;
    }
}

void MetafilePaintEngine::setPlacement(const QTransform &transform, const QRectF &clip)
{
    placement_ = transform;
    transform_ = transform;
    placementClip_ = QPainterPath();
    if (!clip.isEmpty()) {
        placementClip_.addRect(clip);
        clip_ = placementClip_;
        clipEnabled_ = clipSet_ = true;
    }
}

QRectF MetafilePaintEngine::sheet() const
{
    return QRectF(0, 0, units_.width() / unitsPerPixel_, units_.height() / unitsPerPixel_);
}

bool MetafilePaintEngine::full()
{
    // Room is kept for the closing records and one more large record.
    if (!overflow_ && writer_.byteSize() > settings_.maxBytes)
        overflow_ = true;
    return overflow_;
}

bool MetafilePaintEngine::withinWork(const QPainterPath &devicePath, bool fill, bool stroke)
{
    // The same measures the reader will apply to the template, counted
    // before the work: a design over them would only be refused at the end.
    const QRectF page = sheet();
    double dx = 0, dy = 0;
    for (int i = 1; i < devicePath.elementCount(); ++i) {
        const QPainterPath::Element a = devicePath.elementAt(i - 1), b = devicePath.elementAt(i);
        if (b.isMoveTo())
            continue;
        dx += std::abs(b.x - a.x);
        dy += std::abs(b.y - a.y);
    }
    const double span = dx / page.width() + dy / page.height();
    lastSpan_ = span;
    edgeSpan_ += (fill ? span : 0) + (stroke ? 2 * span : 0);
    points_ += std::max<qint64>(kPointsPerShape, devicePath.elementCount()) * (stroke ? 2 : 1);
    if (devicePath.elementCount() > 4 * kMaxPolygonPoints)
        overflowReason_ = QStringLiteral("one shape has %1 points").arg(devicePath.elementCount());
    else if (edgeSpan_ > kMaxEdgeSpan)
        overflowReason_ = QStringLiteral("its edges cross the page more than %1 times").arg(int(kMaxEdgeSpan));
    else if (points_ > kMaxTotalPoints)
        overflowReason_ = QStringLiteral("more than %1 points").arg(kMaxTotalPoints);
    if (overflowReason_.isEmpty())
        return true;
    overflow_ = true;
    return false;
}

bool MetafilePaintEngine::solid(const QBrush &b) const
{
    return b.style() == Qt::SolidPattern && b.color().alpha() == 255 && opacity_ >= 1.0
           && composition_ == QPainter::CompositionMode_SourceOver;
}

void MetafilePaintEngine::drawPolygon(const QPointF *points, int count, PolygonDrawMode mode)
{
    if (count < 2)
        return;
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]);
    if (mode == PolylineMode) {
        draw(path, false, true);
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    draw(path, true, true);
}

void MetafilePaintEngine::drawPath(const QPainterPath &path)
{
    draw(path, true, true);
}

void MetafilePaintEngine::draw(const QPainterPath &path, bool fill, bool stroke)
{
    if (overflow_)
        return; // refused anyway: spare the time
    fill = fill && brush_.style() != Qt::NoBrush && !path.isEmpty();
    stroke = stroke && pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush && !path.isEmpty();
    if (!fill && !stroke)
        return;
    const QPainterPath devicePath = path * transform_;
    if (!withinWork(devicePath, fill, stroke))
        return;
    if (fill) {
        if (solid(brush_) && backgroundMode_ == Qt::TransparentMode) {
            fillVector(devicePath, brush_.color());
            paintBackdrop(lastSpan_ <= kAntialiasEdgeSpan / 64, [&](QPainter &p) {
                p.setPen(Qt::NoPen);
                p.drawPath(path);
            });
        } else if (fillBands(devicePath, brush_, path.boundingRect())) {
            paintBackdrop(lastSpan_ <= kAntialiasEdgeSpan / 64, [&](QPainter &p) {
                p.setPen(Qt::NoPen);
                p.drawPath(path);
            });
        } else {
            rasterise(devicePath.controlPointRect(), devicePath, [&](QPainter &p) {
                p.setPen(Qt::NoPen);
                p.drawPath(path);
            });
        }
    }
    if (stroke) {
        if (solid(pen_.brush())) {
            strokeVector(path, devicePath);
            paintBackdrop(lastSpan_ <= kAntialiasEdgeSpan / 64, [&](QPainter &p) {
                p.setBrush(Qt::NoBrush);
                p.drawPath(path);
            });
        } else {
            const double w = pen_.isCosmetic()
                                 ? std::max(1.0, pen_.widthF())
                                 : std::max(1.0, pen_.widthF() * std::sqrt(std::abs(transform_.determinant())));
            const QPainterPath outline = strokeOutline(path, devicePath);
            const auto paint = [&](QPainter &p) {
                p.setBrush(Qt::NoBrush);
                p.drawPath(path);
            };
            if (fillBands(outline, pen_.brush(), path.boundingRect()))
                paintBackdrop(lastSpan_ <= kAntialiasEdgeSpan / 64, paint);
            else
                rasterise(devicePath.controlPointRect().adjusted(-w * 2, -w * 2, w * 2, w * 2), outline, paint);
        }
    }
}

std::vector<QPolygon> MetafilePaintEngine::polygons(const QPainterPath &devicePath, bool closed) const
{
    std::vector<QPolygon> out;
    QPolygon current;
    const auto add = [&](QPointF p) {
        const QPoint u(int(std::lround(p.x() * unitsPerPixel_)), int(std::lround(p.y() * unitsPerPixel_)));
        if (current.isEmpty() || current.last() != u)
            current << u;
    };
    const auto flush = [&]() {
        if (closed && current.size() > 1 && current.first() == current.last())
            current.removeLast();
        if (current.size() >= (closed ? 3 : 2))
            out.push_back(current);
        current.clear();
    };
    const QTransform toUnits = QTransform::fromScale(unitsPerPixel_, unitsPerPixel_);
    QPointF last;
    for (int i = 0; i < devicePath.elementCount(); ++i) {
        const QPainterPath::Element e = devicePath.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            flush();
            add(e);
            break;
        case QPainterPath::LineToElement: add(e); break;
        case QPainterPath::CurveToElement: {
            if (i + 2 >= devicePath.elementCount())
                break;
            const QPointF c1 = devicePath.elementAt(i), c2 = devicePath.elementAt(i + 1),
                          end = devicePath.elementAt(i + 2);
            const int n = segmentsFor(toUnits.map(last), toUnits.map(c1), toUnits.map(c2), toUnits.map(end));
            for (int k = 1; k <= n; ++k)
                add(cubicAt(last, c1, c2, end, double(k) / n));
            i += 2;
            last = end;
            continue;
        }
        case QPainterPath::CurveToDataElement: break;
        }
        last = e;
    }
    flush();
    return out;
}

void MetafilePaintEngine::setFillMode(Qt::FillRule rule)
{
    const int mode = rule == Qt::WindingFill ? 2 : 1;
    if (mode != fillMode_) {
        writer_.setPolyFillMode(mode);
        fillMode_ = mode;
    }
}

void MetafilePaintEngine::selectPen(int style, int width, QColor colour)
{
    const quint64 k = key(style, width, colour);
    if (k == penKey_)
        return;
    const int made = writer_.createPen(style, width, colour);
    writer_.selectObject(made);
    if (penObject_ >= 0)
        writer_.deleteObject(penObject_);
    penObject_ = made;
    penKey_ = k;
}

void MetafilePaintEngine::selectBrush(bool null, QColor colour)
{
    const quint64 k = null ? ~1ull : key(0, 0, colour);
    if (k == brushKey_)
        return;
    const int made = writer_.createBrush(null ? 1 : 0, colour);
    writer_.selectObject(made);
    if (brushObject_ >= 0)
        writer_.deleteObject(brushObject_);
    brushObject_ = made;
    brushKey_ = k;
}

QPainterPath MetafilePaintEngine::clipped(const QPainterPath &devicePath) const
{
    QPainterPath shape = devicePath;
    if (clipEnabled_)
        shape = shape.intersected(clip_);
    // What lies beyond the sheet is cut off here: coordinates must fit 16 bits.
    if (!sheet().contains(shape.controlPointRect())) {
        QPainterPath page;
        page.addRect(sheet());
        shape = shape.intersected(page);
    }
    return shape;
}

bool MetafilePaintEngine::fillBands(const QPainterPath &devicePath, const QBrush &brush, const QRectF &logicalBounds)
{
    if (opacity_ < 1.0 || composition_ != QPainter::CompositionMode_SourceOver || backgroundMode_ != Qt::TransparentMode)
        return false;
    std::vector<GradientBand> bands;
    const QPainterPath shape = clipped(devicePath);
    // Bands of at most one colour level, and no narrower than a tenth of a
    // millimetre: finer steps than that print alike.
    if (!gradientBands(brush, transform_, logicalBounds, shape, settings_.pixelDpi / 254.0, bands))
        return false;
    for (const GradientBand &b : bands)
        emitFill(b.area, b.colour);
    return true;
}

void MetafilePaintEngine::fillVector(const QPainterPath &devicePath, QColor colour)
{
    if (full())
        return;
    emitFill(clipped(devicePath), colour);
}

void MetafilePaintEngine::emitFill(const QPainterPath &shape, QColor colour)
{
    if (full())
        return;
    const std::vector<QPolygon> polys = polygons(shape, true);
    if (polys.empty())
        return;
    selectPen(5, 0, Qt::black); // PS_NULL
    selectBrush(false, colour);
    setFillMode(shape.fillRule());
    for (const std::vector<QPolygon> &group : overlapping(polys)) {
        if (group.size() == 1)
            writer_.polygon(group.front());
        else
            writer_.polyPolygon(group);
        ++stats_.vectorRecords;
    }
}

void MetafilePaintEngine::strokeVector(const QPainterPath &path, const QPainterPath &devicePath)
{
    if (full())
        return;
    const QColor colour = pen_.color();
    const double scale = std::sqrt(std::abs(transform_.determinant()));
    const double widthPx = pen_.isCosmetic() ? std::max(1.0, pen_.widthF()) : pen_.widthF() * scale;
    // A plain solid line under a uniform scale is a polyline with a pen;
    // anything else (dashes, stretched pens, clipping) becomes its outline.
    const QRectF reach = devicePath.controlPointRect().adjusted(-widthPx * 2, -widthPx * 2, widthPx * 2, widthPx * 2);
    if (pen_.style() == Qt::SolidLine && !clipEnabled_ && (pen_.isCosmetic() || similarity(transform_))
        && sheet().contains(reach)) {
        int style = 0;
        switch (pen_.capStyle()) {
        case Qt::SquareCap: style |= 0x0100; break;
        case Qt::FlatCap: style |= 0x0200; break;
        default: break;
        }
        switch (pen_.joinStyle()) {
        case Qt::BevelJoin: style |= 0x1000; break;
        case Qt::MiterJoin:
        case Qt::SvgMiterJoin: style |= 0x2000; break;
        default: break;
        }
        const int width = std::max(1, int(std::lround(std::max(widthPx, 1.0) * unitsPerPixel_)));
        selectPen(style, width, colour);
        selectBrush(true, Qt::black);
        for (QPolygon line : polygons(devicePath, false)) {
            // A closed outline is a polygon without fill, so that its first
            // corner is joined like the others instead of capped.
            if (line.size() > 3 && line.first() == line.last()) {
                line.removeLast();
                writer_.polygon(line);
            } else {
                writer_.polyline(line);
            }
            ++stats_.vectorRecords;
        }
        return;
    }
    fillVector(strokeOutline(path, devicePath), colour);
}

QPainterPath MetafilePaintEngine::strokeOutline(const QPainterPath &path, const QPainterPath &devicePath) const
{
    const double scale = std::sqrt(std::abs(transform_.determinant()));
    QPainterPath outline;
    if (pen_.isCosmetic()) {
        QPainterPathStroker stroker(pen_);
        stroker.setWidth(std::max(1.0, pen_.widthF()));
        outline = stroker.createStroke(devicePath);
    } else {
        QPen p = pen_;
        if (p.widthF() <= 0)
            p.setWidthF(1.0 / std::max(scale, 1e-9));
        outline = QPainterPathStroker(p).createStroke(path) * transform_;
    }
    outline.setFillRule(Qt::WindingFill);
    return outline;
}

void MetafilePaintEngine::paintBackdrop(bool antialias, const std::function<void(QPainter &)> &paint)
{
    QPainter p(&backdrop_);
    p.setRenderHints(hints_ | QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Long outlines that cross themselves take the antialiasing rasteriser
    // tens of milliseconds each; below vector shapes it shows nothing more.
    p.setRenderHint(QPainter::Antialiasing, antialias);
    if (clipEnabled_)
        p.setClipPath(clip_);
    p.setTransform(transform_);
    p.setBrushOrigin(brushOrigin_);
    p.setBackground(background_);
    p.setBackgroundMode(backgroundMode_);
    p.setOpacity(opacity_);
    p.setCompositionMode(composition_);
    p.setPen(pen_);
    p.setBrush(brush_);
    paint(p);
}

void MetafilePaintEngine::rasterise(const QRectF &deviceBounds, const QPainterPath &area,
                                    const std::function<void(QPainter &)> &paint)
{
    paintBackdrop(true, paint);
    QRectF bounds = deviceBounds;
    if (clipEnabled_)
        bounds = bounds.intersected(clip_.boundingRect());
    const QRect rect = bounds.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(backdrop_.rect());
    if (rect.isEmpty())
        return;
    // Only the tiles the shape touches go in (a frame's stroke is a ring,
    // not the page it encloses); touching tiles of a row are one bitmap.
    constexpr int tile = 32;
    // Which tiles the area touches: the area drawn one pixel per tile.
    const int cols = (rect.width() + tile - 1) / tile, rows = (rect.height() + tile - 1) / tile;
    QImage touchedTiles(cols, rows, QImage::Format_Alpha8);
    touchedTiles.fill(area.isEmpty() ? 255 : 0);
    if (!area.isEmpty()) {
        QPainter m(&touchedTiles);
        m.setRenderHint(QPainter::Antialiasing);
        m.scale(1.0 / tile, 1.0 / tile);
        m.translate(-rect.left(), -rect.top());
        m.setPen(QPen(Qt::black, 8));
        m.setBrush(Qt::black);
        m.drawPath(area);
    }
    for (int y = rect.top(); y <= rect.bottom(); y += tile) {
        int runStart = -1;
        const int h = std::min(tile, rect.bottom() + 1 - y);
        for (int c = 0; c <= cols; ++c) {
            const int x = rect.left() + c * tile;
            const bool touched = c < cols && qAlpha(touchedTiles.pixel(c, (y - rect.top()) / tile)) > 0;
            if (touched && runStart < 0)
                runStart = x;
            if (!touched && runStart >= 0) {
                const QRect run(runStart, y, std::min(x, rect.right() + 1) - runStart, h);
                emitImage(run, backdrop_.copy(run));
                runStart = -1;
            }
        }
    }
}

void MetafilePaintEngine::emitImage(const QRect &deviceRect, const QImage &image)
{
    if (full())
        return;
    const QRect dest(QPoint(int(std::lround(deviceRect.left() * unitsPerPixel_)),
                            int(std::lround(deviceRect.top() * unitsPerPixel_))),
                     QPoint(int(std::lround((deviceRect.right() + 1) * unitsPerPixel_)) - 1,
                            int(std::lround((deviceRect.bottom() + 1) * unitsPerPixel_)) - 1));
    const bool gray = image.allGray();
    writer_.stretchDib(dest, gray ? indexedGray(image) : image, gray ? 8 : 24);
    ++stats_.bitmapRecords;
    stats_.bitmapPixels += qint64(image.width()) * image.height();
}

void MetafilePaintEngine::drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &sr)
{
    drawImage(r, pixmap.toImage(), sr);
}

void MetafilePaintEngine::drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty() || overflow_)
        return;
    points_ += kPointsPerShape;
    const QRectF deviceRect = transform_.mapRect(r);
    // Mirrored is upright too (PDF pages draw their images upside down).
    const bool upright = transform_.type() <= QTransform::TxScale && transform_.m11() != 0 && transform_.m22() != 0;
    const bool opaque = isOpaque(image);
    const bool inside = (!clipEnabled_ || clip_.contains(deviceRect))
                        && sheet().adjusted(-1, -1, 1, 1).contains(deviceRect);
    const auto paint = [&](QPainter &p) { p.drawImage(r, image, sr); };
    if (!(upright && opaque && inside && opacity_ >= 1.0 && composition_ == QPainter::CompositionMode_SourceOver)) {
        QPainterPath area;
        area.addPolygon(transform_.map(QPolygonF(r)));
        area.closeSubpath();
        rasterise(deviceRect, area, paint);
        return;
    }
    paintBackdrop(true, paint);
    // Upright and opaque: the image's own pixels, up to imageDpi.
    QImage part = image.copy(sr.toAlignedRect()).mirrored(transform_.m11() < 0, transform_.m22() < 0);
    const double inchesW = deviceRect.width() / settings_.pixelDpi, inchesH = deviceRect.height() / settings_.pixelDpi;
    const int maxW = std::max(1, int(std::ceil(inchesW * settings_.imageDpi)));
    const int maxH = std::max(1, int(std::ceil(inchesH * settings_.imageDpi)));
    if (part.width() > maxW || part.height() > maxH)
        part = part.scaled(std::min(part.width(), maxW), std::min(part.height(), maxH), Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation);
    if (full())
        return;
    const QRect dest(QPoint(int(std::lround(deviceRect.left() * unitsPerPixel_)),
                            int(std::lround(deviceRect.top() * unitsPerPixel_))),
                     QPoint(int(std::lround(deviceRect.right() * unitsPerPixel_)) - 1,
                            int(std::lround(deviceRect.bottom() * unitsPerPixel_)) - 1));
    const bool gray = part.allGray();
    writer_.stretchDib(dest, gray ? indexedGray(part) : part, gray ? 8 : 24);
    ++stats_.bitmapRecords;
    stats_.bitmapPixels += qint64(part.width()) * part.height();
}

QByteArray MetafilePaintEngine::finish() const
{
    if (!overflowReason_.isEmpty())
        throw MetafileError("the drawing is too complex: " + overflowReason_.toStdString());
    if (overflow_ || writer_.byteSize() > settings_.maxBytes)
        throw MetafileError("the drawing is too large for a metafile");
    return writer_.finish();
}

} // namespace wmf
