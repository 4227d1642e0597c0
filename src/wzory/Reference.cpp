#include "Reference.h"

#include <cairo.h>
// glib names a member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <librsvg/rsvg.h>
#include <poppler.h>
#pragma pop_macro("signals")

namespace wzory {

namespace {

// A cairo context drawing on image (premultiplied ARGB, as cairo's).
struct CairoOn {
    explicit CairoOn(QImage &image)
        : surface(cairo_image_surface_create_for_data(image.bits(), CAIRO_FORMAT_ARGB32, image.width(), image.height(),
                                                      int(image.bytesPerLine()))),
          cr(cairo_create(surface))
    {}
    ~CairoOn()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    CairoOn(const CairoOn &) = delete;
    CairoOn &operator=(const CairoOn &) = delete;
    cairo_surface_t *surface;
    cairo_t *cr;
};

QImage transparent(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage renderSvgReference(const QByteArray &svg, const QRectF &target, QSize size)
{
    GError *error = nullptr;
    RsvgHandle *handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8 *>(svg.constData()), gsize(svg.size()),
                                                   &error);
    g_clear_error(&error);
    if (!handle)
        return {};
    rsvg_handle_set_dpi(handle, 96);
    QImage image = transparent(size);
    bool ok = false;
    {
        CairoOn c(image);
        const RsvgRectangle viewport{target.x(), target.y(), target.width(), target.height()};
        ok = rsvg_handle_render_document(handle, c.cr, &viewport, &error);
    }
    g_clear_error(&error);
    g_object_unref(handle);
    return ok ? image : QImage();
}

QImage renderPdfReference(const QByteArray &pdf, int pageNumber, const QRectF &target, QSize size)
{
    GBytes *bytes = g_bytes_new(pdf.constData(), gsize(pdf.size()));
    GError *error = nullptr;
    PopplerDocument *doc = poppler_document_new_from_bytes(bytes, nullptr, &error);
    g_clear_error(&error);
    g_bytes_unref(bytes);
    if (!doc)
        return {};
    QImage image;
    if (PopplerPage *page = poppler_document_get_page(doc, pageNumber - 1)) {
        double w = 0, h = 0;
        poppler_page_get_size(page, &w, &h);
        if (w > 0 && h > 0) {
            image = transparent(size);
            CairoOn c(image);
            cairo_translate(c.cr, target.x(), target.y());
            cairo_scale(c.cr, target.width() / w, target.height() / h);
            poppler_page_render(page, c.cr);
        }
        g_object_unref(page);
    }
    g_object_unref(doc);
    return image;
}

void drawInkedTiles(QPainter &p, const QImage &image, QPointF at)
{
    constexpr int tile = 32;
    const auto inked = [&](int tx, int ty) {
        for (int y = ty; y < std::min(ty + tile, image.height()); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = tx; x < std::min(tx + tile, image.width()); ++x)
                if (qAlpha(line[x]) != 0)
                    return true;
        }
        return false;
    };
    const int cols = (image.width() + tile - 1) / tile;
    for (int y = 0; y < image.height(); y += tile) {
        int runStart = -1;
        for (int c = 0; c <= cols; ++c) {
            const int x = c * tile;
            const bool ink = c < cols && inked(x, y);
            if (ink && runStart < 0)
                runStart = x;
            if (!ink && runStart >= 0) {
                const QRect run(runStart, y, std::min(x, image.width()) - runStart, std::min(tile, image.height() - y));
                p.drawImage(QRectF(run).translated(at), image, QRectF(run));
                runStart = -1;
            }
        }
    }
}

} // namespace wzory
