#include "Import.h"

#include "ImportError.h"
#include "wmf/Metafile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
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
    QByteArray bytes = f.read(kMaxDesignBytes + 1);
    if (bytes.size() > kMaxDesignBytes)
        throw ImportError(QStringLiteral("%1: plik jest za duży").arg(path));
    return bytes;
}

void paintSvg(QPainter &p, const QByteArray &bytes, const QString &path, const QRectF &sheet, Fit fit)
{
    if (bytes.size() > kMaxSvgBytes)
        throw ImportError(QStringLiteral("%1: plik SVG jest za duży (%2 MB, najwyżej %3 MB)")
                              .arg(path, megabytes(bytes.size()), megabytes(kMaxSvgBytes)));
    QSvgRenderer svg(bytes);
    if (!svg.isValid())
        throw ImportError(QStringLiteral("%1: uszkodzony albo nieobsługiwany plik SVG").arg(path));
    QSizeF size = svg.viewBoxF().size();
    if (size.isEmpty())
        size = svg.defaultSize();
    if (size.isEmpty())
        throw ImportError(QStringLiteral("%1: rysunek SVG nie ma rozmiaru").arg(path));
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    if (fit == Fit::Cover)
        p.setClipRect(sheet);
    svg.render(&p, placement(size, sheet.size(), fit));
}

void paintRaster(QPainter &p, const QByteArray &bytes, const QString &path, const QRectF &sheet, Fit fit)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kRasterAllocationMb);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        throw ImportError(QStringLiteral("%1: nie można odczytać obrazu (%2)").arg(path, reader.errorString()));
    if (qint64(size.width()) * size.height() > kMaxRasterPixels)
        throw ImportError(QStringLiteral("%1: obraz ma %2 × %3 pikseli, najwyżej %4 milionów")
                              .arg(path)
                              .arg(size.width())
                              .arg(size.height())
                              .arg(kMaxRasterPixels / 1000000));
    QImage image = reader.read();
    if (image.isNull())
        throw ImportError(QStringLiteral("%1: nie można odczytać obrazu (%2)").arg(path, reader.errorString()));
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
}

void quietPoppler(const QString &, const QVariant &) {}

void paintPdf(QPainter &p, const QByteArray &bytes, const QString &path, const QRectF &sheet, Fit fit, int pageNumber)
{
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
    p.setClipRect(fit == Fit::Cover ? sheet : target);
    p.translate(target.topLeft());
    const double xres = 72.0 * target.width() / size.width(), yres = 72.0 * target.height() / size.height();
    if (!page->renderToPainter(&p, xres, yres))
        throw ImportError(QStringLiteral("%1: nie można narysować strony %2").arg(path).arg(pageNumber));
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
    const QByteArray bytes = readDesign(path);
    ImportResult result;
    result.kind = detectKind(bytes.left(4096), path);
    if (options.page != 1 && result.kind != DesignKind::Pdf)
        throw ImportError(QStringLiteral("%1: --strona dotyczy tylko plików PDF").arg(path));

    wmf::MetafilePaintDevice device;
    const QRectF sheet(0, 0, device.width(), device.height());
    {
        QPainter p(&device);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        switch (result.kind) {
        case DesignKind::Svg: paintSvg(p, bytes, path, sheet, options.fit); break;
        case DesignKind::Raster: paintRaster(p, bytes, path, sheet, options.fit); break;
        case DesignKind::Pdf: paintPdf(p, bytes, path, sheet, options.fit, options.page); break;
        }
    }
    result.stats = device.stats();
    if (result.stats.vectorRecords + result.stats.bitmapRecords == 0)
        throw ImportError(QStringLiteral("%1: rysunek jest pusty").arg(path));
    try {
        result.metafile = device.finish();
        wmf::Metafile::fromBytes(result.metafile); // what the editor will read
    } catch (const wmf::MetafileError &) {
        throw ImportError(QStringLiteral("%1: wzór byłby za duży (najwyżej %2 MB)")
                              .arg(path, megabytes(wmf::Metafile::MaxFileBytes)));
    }
    return result;
}

} // namespace wzory
