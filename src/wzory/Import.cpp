#include "Import.h"

#include "ImageCheck.h"
#include "ImportError.h"
#include "SvgLayers.h"
#include "SvgSource.h"
#include "wmf/Metafile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <poppler-qt6.h>

#include <cairo.h>
// glib names a member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <librsvg/rsvg.h>
#pragma pop_macro("signals")

namespace wzory {

namespace {

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'f', 0);
}

QByteArray readDesign(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw ImportError(QStringLiteral("%1: nie ma takiego pliku").arg(path));
    if (!info.isFile())
        throw ImportError(QStringLiteral("%1: to nie jest plik").arg(path));
    if (info.size() > kMaxDesignBytes)
        throw ImportError(QStringLiteral("%1: plik jest za duży (%2 MB, najwyżej %3 MB)")
                              .arg(path, megabytes(info.size()), megabytes(kMaxDesignBytes)));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("%1: nie można odczytać (%2)").arg(path, f.errorString()));
    const QByteArray bytes = f.read(kMaxDesignBytes + 1);
    if (bytes.size() > kMaxDesignBytes)
        throw ImportError(QStringLiteral("%1: plik jest za duży").arg(path));
    return bytes;
}

// Draws an SVG document with librsvg onto the painter, as bitmaps of the
// 32-pixel tiles it paints (in the sheet's coordinates, one unit a device
// pixel). False when librsvg cannot read it.
bool paintWithRsvg(QPainter &p, const QByteArray &svg, const QRectF &target, const QRectF &sheet)
{
    GError *error = nullptr;
    RsvgHandle *handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8 *>(svg.constData()), gsize(svg.size()), &error);
    if (!handle) {
        g_clear_error(&error);
        return false;
    }
    rsvg_handle_set_dpi(handle, 96);
    const QRect area = sheet.toAlignedRect();
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    cairo_surface_t *surface = cairo_image_surface_create_for_data(image.bits(), CAIRO_FORMAT_ARGB32, image.width(),
                                                                   image.height(), int(image.bytesPerLine()));
    cairo_t *cr = cairo_create(surface);
    const RsvgRectangle viewport{target.x() - area.x(), target.y() - area.y(), target.width(), target.height()};
    const bool ok = rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    g_clear_error(&error);
    if (!ok)
        return false;
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
    for (int y = 0; y < image.height(); y += tile) {
        int runStart = -1;
        for (int x = 0; x <= image.width(); x += tile) {
            const bool ink = x < image.width() && inked(x, y);
            if (ink && runStart < 0)
                runStart = x;
            if (!ink && runStart >= 0) {
                const QRect run(runStart, y, std::min(x, image.width()) - runStart, std::min(tile, image.height() - y));
                p.drawImage(QRectF(run.translated(area.topLeft())), image, QRectF(run));
                runStart = -1;
            }
        }
    }
    return true;
}

QSizeF paintSvg(QPainter &p, const SvgSource &source, const QString &path, const QRectF &sheet, Fit fit, QStringList &warnings)
{
    QSvgRenderer svg(source.text);
    if (!svg.isValid())
        throw ImportError(QStringLiteral("%1: uszkodzony albo nieobsługiwany plik SVG").arg(path));
    QSizeF size = source.size;
    if (size.isEmpty())
        size = svg.defaultSize();
    if (size.isEmpty())
        throw ImportError(QStringLiteral("%1: rysunek SVG nie ma rozmiaru").arg(path));
    if (fit == Fit::Cover)
        p.setClipRect(sheet);
    const QRectF target = placement(size, sheet.size(), fit);
    const SvgLayers doc = svgLayers(source.text);
    if (doc.features.isEmpty()) {
        svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
        svg.render(&p, target);
        return size;
    }
    // Elements Qt draws faithfully stay vector; the others are drawn by
    // librsvg, element by element in the document's order.
    std::vector<size_t> vector;
    const auto drawVector = [&](const QByteArray &text) {
        QSvgRenderer part(text);
        part.setAspectRatioMode(Qt::IgnoreAspectRatio);
        part.render(&p, target);
    };
    const auto flush = [&] {
        if (!vector.empty())
            drawVector(svgWithOnly(doc, vector));
        vector.clear();
    };
    for (size_t i = 0; i < doc.layers.size(); ++i) {
        if (doc.layers[i].features.isEmpty()) {
            vector.push_back(i);
            continue;
        }
        flush();
        const QByteArray only = svgWithOnly(doc, {i});
        if (!paintWithRsvg(p, only, target, sheet)) {
            warnings << QStringLiteral("%1: narysowano bez: %2 (biblioteka librsvg nie odczytała rysunku)")
                            .arg(path, doc.layers[i].features.join(QStringLiteral(", ")));
            drawVector(only);
        }
    }
    flush();
    return size;
}

QSizeF paintRaster(QPainter &p, const QByteArray &bytes, const QString &path, const QRectF &sheet, Fit fit)
{
    QImage image = decodeImage(bytes, path);
    if (image.hasAlphaChannel()) {
        // Transparent parts show the paper.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter f(&flat);
        f.drawImage(0, 0, image);
        f.end();
        image = flat;
    }
    // Only the part that lands on the sheet is drawn, so the image keeps
    // its own pixels when the sheet crops it.
    const QRectF target = placement(image.size(), sheet.size(), fit);
    const QRectF visible = target.intersected(sheet);
    const double sx = image.width() / target.width(), sy = image.height() / target.height();
    const QRectF source((visible.left() - target.left()) * sx, (visible.top() - target.top()) * sy,
                        visible.width() * sx, visible.height() * sy);
    p.drawImage(visible, image, source);
    return image.size();
}

void quietPoppler(const QString &, const QVariant &) {}

// Images a PDF declares (XObjects and inline ones), by their stated size:
// the renderer would decode them whole before drawing a pixel. Sizes given
// by reference are left to the child process's memory limit.
void checkPdfImages(const QByteArray &bytes, const QString &path)
{
    static const QRegularExpression size(QStringLiteral("/(Width|W)\\s+(\\d{1,12})(?!\\s+\\d+\\s+R)[\\s/>]"));
    static const QRegularExpression other(QStringLiteral("/(Height|H)\\s+(\\d{1,12})(?!\\s+\\d+\\s+R)[\\s/>]"));
    const QString text = QString::fromLatin1(bytes);
    for (auto it = size.globalMatch(text); it.hasNext();) {
        const auto w = it.next();
        // The height belongs to the same dictionary: close by, before its end.
        const qsizetype from = std::max<qsizetype>(0, w.capturedStart() - 1024);
        const QString around = text.mid(from, 2048);
        const bool abbreviated = w.captured(1) == QLatin1String("W");
        for (auto h = other.globalMatch(around); h.hasNext();) {
            const auto m = h.next();
            if ((m.captured(1) == QLatin1String("H")) != abbreviated)
                continue;
            const qint64 pixels = w.captured(2).toLongLong() * m.captured(2).toLongLong();
            if (pixels > kMaxPdfImagePixels)
                throw ImportError(QStringLiteral("%1: PDF zawiera obraz %2 × %3 pikseli, najwyżej %4 milionów")
                                      .arg(path, w.captured(2), m.captured(2))
                                      .arg(kMaxPdfImagePixels / 1000000));
            break;
        }
    }
}

QSizeF paintPdf(QPainter &p, wmf::MetafilePaintDevice &device, const QTransform &turn, const QByteArray &bytes,
                const QString &path, const QRectF &sheet, Fit fit, int pageNumber)
{
    checkPdfImages(bytes, path);
    Poppler::setDebugErrorFunction(quietPoppler, QVariant());
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::loadFromData(bytes);
    if (!doc)
        throw ImportError(QStringLiteral("%1: uszkodzony plik PDF").arg(path));
    if (doc->isLocked())
        throw ImportError(QStringLiteral("%1: plik PDF jest chroniony hasłem").arg(path));
    const int pages = doc->numPages();
    if (pageNumber < 1 || pageNumber > pages)
        throw ImportError(QStringLiteral("%1: nie ma strony %2 (plik ma %3)").arg(path).arg(pageNumber).arg(pages));
    const std::unique_ptr<Poppler::Page> page = doc->page(pageNumber - 1);
    if (!page)
        throw ImportError(QStringLiteral("%1: uszkodzona strona %2").arg(path).arg(pageNumber));
    const QSizeF size = page->pageSizeF(); // points
    if (size.isEmpty())
        throw ImportError(QStringLiteral("%1: strona %2 nie ma rozmiaru").arg(path).arg(pageNumber));
    doc->setRenderBackend(Poppler::Document::QPainterBackend);
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    const QRectF target = placement(size, sheet.size(), fit);
    // The renderer sets absolute transforms of its own: the page is moved
    // into place by the device, after them.
    device.setPlacement(QTransform::fromTranslate(target.left(), target.top()) * turn,
                        turn.mapRect(fit == Fit::Cover ? sheet : target));
    const double xres = 72.0 * target.width() / size.width(), yres = 72.0 * target.height() / size.height();
    if (!page->renderToPainter(&p, xres, yres))
        throw ImportError(QStringLiteral("%1: nie można narysować strony %2").arg(path).arg(pageNumber));
    return size;
}

} // namespace

DesignKind detectKind(const QByteArray &head, const QString &fileName)
{
    if (head.startsWith("%PDF"))
        return DesignKind::Pdf;
    QBuffer buffer;
    buffer.setData(head);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (!format.isEmpty() && format != "svg" && format != "svgz")
        return DesignKind::Raster;
    if (head.contains("<svg") || fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
        || fileName.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive))
        return DesignKind::Svg;
    throw ImportError(QStringLiteral("%1: nieznany rodzaj pliku (obsługiwane: SVG, PNG, JPEG, PDF)").arg(fileName));
}

ImportResult importDesign(const QString &path, const ImportOptions &options)
{
    QByteArray bytes = readDesign(path);
    ImportResult result;
    // Compressed SVG is measured as it is inflated, never whole.
    if (bytes.startsWith("\x1f\x8b"))
        bytes = inflateSvg(bytes, path, kMaxSvgBytes);
    result.kind = detectKind(bytes.left(4096), path);
    SvgSource svg;
    if (result.kind == DesignKind::Svg) {
        if (bytes.size() > kMaxSvgBytes)
            throw ImportError(QStringLiteral("%1: plik SVG jest za duży (%2 MB, najwyżej %3 MB)")
                                  .arg(path, megabytes(bytes.size()), megabytes(kMaxSvgBytes)));
        svg = prepareSvg(bytes, path);
        result.warnings << svg.warnings;
    }
    if (options.page != 1 && result.kind != DesignKind::Pdf)
        throw ImportError(QStringLiteral("%1: --strona dotyczy tylko plików PDF").arg(path));

    wmf::MetafilePaintDevice device;
    // Turned, the design is placed on a landscape sheet that is then
    // turned a quarter clockwise onto the portrait one.
    const QSizeF portrait(device.width(), device.height());
    const QRectF sheet(QPointF(0, 0), options.rotate ? portrait.transposed() : portrait);
    const QTransform turn = options.rotate ? QTransform(0, 1, -1, 0, portrait.width(), 0) : QTransform();
    QSizeF size;
    {
        QPainter p(&device);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        p.setTransform(turn);
        switch (result.kind) {
        case DesignKind::Svg: size = paintSvg(p, svg, path, sheet, options.fit, result.warnings); break;
        case DesignKind::Raster: size = paintRaster(p, bytes, path, sheet, options.fit); break;
        case DesignKind::Pdf: size = paintPdf(p, device, turn, bytes, path, sheet, options.fit, options.page); break;
        }
    }
    if (!options.rotate && size.width() > size.height() * 1.02) {
        const QRectF placed = placement(size, sheet.size(), options.fit);
        const double sheetArea = sheet.width() * sheet.height(), placedArea = placed.width() * placed.height();
        result.warnings << (options.fit == Fit::Contain
                                ? QStringLiteral("%1: projekt jest poziomy i zajmuje %2 % arkusza (pasek przez środek); "
                                                 "--obroc obraca go o 90°, by wypełnił arkusz")
                                      .arg(path)
                                      .arg(qRound(100 * placedArea / sheetArea))
                                : QStringLiteral("%1: projekt jest poziomy; na arkuszu widać %2 % jego powierzchni, "
                                                 "reszta jest obcięta; --obroc obraca go o 90°")
                                      .arg(path)
                                      .arg(qRound(100 * sheetArea / placedArea)));
    }
    result.stats = device.stats();
    const QString tooComplex = QStringLiteral("%1: rysunek jest zbyt złożony na wzór (za dużo punktów, krawędzi albo "
                                              "zamalowań; edytor musi go rysować w ułamku sekundy)").arg(path);
    try {
        result.metafile = device.finish();
    } catch (const wmf::MetafileError &e) {
        if (QString::fromUtf8(e.what()).contains(QLatin1String("too complex")))
            throw ImportError(tooComplex);
        throw ImportError(QStringLiteral("%1: wzór byłby za duży (najwyżej %2 MB)")
                              .arg(path, megabytes(wmf::Metafile::MaxFileBytes)));
    }
    if (result.stats.vectorRecords + result.stats.bitmapRecords == 0)
        throw ImportError(QStringLiteral("%1: rysunek jest pusty").arg(path));
    try {
        wmf::Metafile::fromBytes(result.metafile); // what the editor will read
    } catch (const wmf::MetafileError &) {
        throw ImportError(tooComplex);
    }
    return result;
}

} // namespace wzory
