#include "Import.h"

#include "ImageCheck.h"
#include "ImportError.h"
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

QSizeF paintSvg(QPainter &p, const SvgSource &source, const QString &path, const QRectF &sheet, Fit fit)
{
    QSvgRenderer svg(source.text);
    if (!svg.isValid())
        throw ImportError(QStringLiteral("%1: uszkodzony albo nieobsługiwany plik SVG").arg(path));
    QSizeF size = source.size;
    if (size.isEmpty())
        size = svg.defaultSize();
    if (size.isEmpty())
        throw ImportError(QStringLiteral("%1: rysunek SVG nie ma rozmiaru").arg(path));
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    if (fit == Fit::Cover)
        p.setClipRect(sheet);
    svg.render(&p, placement(size, sheet.size(), fit));
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
        case DesignKind::Svg: size = paintSvg(p, svg, path, sheet, options.fit); break;
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
