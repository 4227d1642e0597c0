#pragma once
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace wzory {

// Designs as the desktop's own renderers draw them: librsvg for SVG,
// poppler's cairo backend (what pdftoppm shows) for PDF. Each draws the
// design into `target` on a transparent image of `size`; a null image when
// the renderer cannot read it.
QImage renderSvgReference(const QByteArray &svg, const QRectF &target, QSize size);
QImage renderPdfReference(const QByteArray &pdf, int page, const QRectF &target, QSize size);

// Draws the 32-pixel tiles of image that hold any ink at `at`, one image per
// run of a row: bitmaps of the painted area only.
void drawInkedTiles(QPainter &p, const QImage &image, QPointF at);

} // namespace wzory
