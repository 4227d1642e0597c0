#pragma once
#include "PdfTools.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>

// What a finished PDF holds, read back with qpdf and poppler.

// Form XObjects in the file: one per drawing the pages share.
inline int formXObjectCount(const QString &pdf)
{
    QPDF doc;
    doc.processFile(QFile::encodeName(pdf).constData());
    int forms = 0;
    for (QPDFObjectHandle &o : doc.getAllObjects())
        if (o.isStream() && o.getDict().getKey("/Subtype").isNameAndEquals("/Form"))
            ++forms;
    return forms;
}

// Decoded sizes of the font programs embedded in the file.
inline QList<qint64> embeddedFontSizes(const QString &pdf)
{
    QPDF doc;
    doc.processFile(QFile::encodeName(pdf).constData());
    QList<qint64> sizes;
    for (QPDFObjectHandle &o : doc.getAllObjects())
        if (o.isDictionary() && o.getKey("/Type").isNameAndEquals("/FontDescriptor"))
            for (const char *key : {"/FontFile", "/FontFile2", "/FontFile3"})
                if (o.getKey(key).isStream())
                    sizes.append(qint64(o.getKey(key).getStreamData()->getSize()));
    return sizes;
}

// The viewer preferences a print dialog reads: "/PrintScaling /None" when
// the file asks not to be scaled to fit, and the tray picked by page size.
inline bool asksForActualSize(const QString &pdf)
{
    QPDF doc;
    doc.processFile(QFile::encodeName(pdf).constData());
    QPDFObjectHandle prefs = doc.getRoot().getKey("/ViewerPreferences");
    return prefs.isDictionary() && prefs.getKey("/PrintScaling").isNameAndEquals("/None")
           && prefs.getKey("/PickTrayByPDFSize").isBool() && prefs.getKey("/PickTrayByPDFSize").getBoolValue();
}

// Page (from 1) of pdf rendered by poppler at dpi; null when it fails.
inline QImage renderPage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("p"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                         QString::number(page), QStringLiteral("-r"), QString::number(dpi),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Share of pixels in area that are not near white.
inline double inkShare(const QImage &image, const QRect &area)
{
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty())
        return 0;
    qint64 ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 224)
                ++ink;
    return double(ink) / (qint64(r.width()) * r.height());
}

// How far two renderings of a page differ: pixels whose channels differ
// by more than tolerance, and the largest difference seen.
struct PixelDifference {
    qint64 beyond = 0;
    int largest = 0;
};

inline PixelDifference compareImages(const QImage &a, const QImage &b, int tolerance)
{
    PixelDifference d;
    if (a.size() != b.size()) {
        d.beyond = -1;
        return d;
    }
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int diff = std::max({std::abs(qRed(pa[x]) - qRed(pb[x])), std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                                       std::abs(qBlue(pa[x]) - qBlue(pb[x]))});
            d.largest = std::max(d.largest, diff);
            if (diff > tolerance)
                ++d.beyond;
        }
    }
    return d;
}

// Word boxes of one page, in points: the words of a text line.
struct Box {
    qreal left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
};
inline QList<Box> lineBoxes(const QString &pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
    static const QRegularExpression line(
        QStringLiteral(R"re(<line xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">)re"));
    QList<Box> boxes;
    for (auto it = line.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        boxes.append(
            {m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble(), m.captured(4).toDouble()});
    }
    return boxes;
}
