#include "Import.h"

#include "ImageCheck.h"
#include "ImportError.h"
#include "Reference.h"
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
#include <cmath>
#include <functional>
#include <poppler-qt6.h>

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
    QByteArray bytes = f.read(kMaxDesignBytes + 1);
    if (bytes.size() > kMaxDesignBytes)
        throw ImportError(QStringLiteral("%1: plik jest za duży").arg(path));
    return bytes;
}

// Draws an SVG document with librsvg onto the painter, as bitmaps of the
// tiles it paints (in the sheet's coordinates, one unit a device pixel).
// False when librsvg cannot read it.
bool paintWithRsvg(QPainter &p, const QByteArray &svg, const QRectF &target, const QRectF &sheet)
{
    const QRect area = sheet.toAlignedRect();
    const QImage image = renderSvgReference(svg, target.translated(-area.topLeft()), area.size());
    if (image.isNull())
        return false;
    drawInkedTiles(p, image, area.topLeft());
    return true;
}

QSizeF paintSvg(QPainter &p, const SvgSource &source, const QString &path, const QRectF &sheet, Fit fit,
                QStringList &warnings)
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

// Mean colour difference (0..1) of two pictures of the same size.
static double difference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                   + std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * 255 * x.width() * x.height());
}

// The template is checked against the reference renderer's picture of the
// design (librsvg, or poppler's cairo backend as pdftoppm shows it) at a
// quarter of the device resolution. Where it differs visibly (over 1.5 %
// mean colour difference: a feature our renderers missed, a PDF's shading
// drawn as rings) the design goes in as the reference renderer's bitmaps
// of the area it paints instead.
template <typename Convert>
static void matchReference(ImportResult &result, const QString &path, const SvgSource &svg, const QByteArray &bytes,
                           const ImportOptions &options, const QRectF &sheet, QSizeF size, const QTransform &turn,
                           const Convert &convert)
{
    constexpr int kScale = 4;
    const QRectF target = placement(size, sheet.size(), options.fit);
    const auto reference = [&](int scale) {
        const QRectF t(target.topLeft() / scale, target.size() / scale);
        const QSize area = (sheet.size() / scale).toSize();
        return result.kind == DesignKind::Svg ? renderSvgReference(svg.text, t, area)
                                              : renderPdfReference(bytes, options.page, t, area);
    };
    const QImage small = reference(kScale);
    if (small.isNull())
        return;
    const QSizeF portrait = turn.mapRect(sheet).size();
    const QSize pictureSize = (portrait / kScale).toSize();
    QImage expected(pictureSize, QImage::Format_RGB32), ours(pictureSize, QImage::Format_RGB32);
    expected.fill(Qt::white);
    ours.fill(Qt::white);
    {
        QPainter p(&expected);
        p.setTransform(turn * QTransform::fromScale(1.0 / kScale, 1.0 / kScale));
        p.drawImage(QRectF(QPointF(0, 0), sheet.size()), small);
    }
    try {
        QPainter p(&ours);
        wmf::Metafile::fromBytes(result.metafile).draw(p, QRectF(QPointF(0, 0), QSizeF(pictureSize)));
    } catch (const wmf::MetafileError &) {
        return; // refused by the caller's own check
    }
    const double diff = difference(ours, expected);
    if (diff <= 0.015)
        return;
    const QImage full = reference(1);
    const ImportResult vector = result;
    try {
        if (full.isNull())
            throw ImportError(QString());
        convert([&](QPainter &p, wmf::MetafilePaintDevice &) { drawInkedTiles(p, full, QPointF(0, 0)); });
    } catch (const ImportError &) {
        // Too large as bitmaps: the vector template, with what differs said.
        result = vector;
        const QStringList features = result.kind == DesignKind::Svg ? svgLayers(svg.text).features : QStringList();
        result.warnings << QStringLiteral("%1: wzór różni się od projektu (średnio o %2 %)%3")
                               .arg(path)
                               .arg(diff * 100, 0, 'f', 1)
                               .arg(features.isEmpty()
                                        ? QString()
                                        : QStringLiteral("; dotyczy: ") + features.join(QStringLiteral(", ")));
    }
}

ImportResult importDesign(const QString &path, const ImportOptions &options)
{
    // Renderers decode embedded images with Qt's default limit (256 MB),
    // dropping larger ones silently; ours are checked against our own.
    QImageReader::setAllocationLimit(kRasterAllocationMb);
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

    // Turned, the design is placed on a landscape sheet that is then
    // turned a quarter clockwise onto the portrait one.
    const wmf::MetafilePaintDevice blank;
    const QSizeF portrait(blank.width(), blank.height());
    const QRectF sheet(QPointF(0, 0), options.rotate ? portrait.transposed() : portrait);
    const QTransform turn = options.rotate ? QTransform(0, 1, -1, 0, portrait.width(), 0) : QTransform();
    const QString tooComplex = QStringLiteral("%1: rysunek jest zbyt złożony na wzór (za dużo punktów, krawędzi albo "
                                              "zamalowań; edytor musi go rysować w ułamku sekundy)")
                                   .arg(path);
    // One conversion: what paint draws on a fresh sheet.
    QSizeF size;
    const auto convert = [&](const std::function<void(QPainter &, wmf::MetafilePaintDevice &)> &paint) {
        wmf::MetafilePaintDevice device;
        {
            QPainter p(&device);
            p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
            p.setTransform(turn);
            paint(p, device);
        }
        result.stats = device.stats();
        try {
            result.metafile = device.finish();
        } catch (const wmf::MetafileError &e) {
            if (QString::fromUtf8(e.what()).contains(QLatin1String("too complex")))
                throw ImportError(tooComplex);
            throw ImportError(QStringLiteral("%1: wzór byłby za duży (najwyżej %2 MB)")
                                  .arg(path, megabytes(wmf::Metafile::MaxFileBytes)));
        }
    };
    convert([&](QPainter &p, wmf::MetafilePaintDevice &device) {
        switch (result.kind) {
        case DesignKind::Svg: size = paintSvg(p, svg, path, sheet, options.fit, result.warnings); break;
        case DesignKind::Raster: size = paintRaster(p, bytes, path, sheet, options.fit); break;
        case DesignKind::Pdf: size = paintPdf(p, device, turn, bytes, path, sheet, options.fit, options.page); break;
        }
    });
    if (result.kind != DesignKind::Raster)
        matchReference(result, path, svg, bytes, options, sheet, size, turn, convert);
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
