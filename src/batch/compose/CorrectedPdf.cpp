#include "CorrectedPdf.h"

#include "QpdfFiles.h"

#include <QIODevice>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>

namespace batch {

namespace {

constexpr double A4Width = 210 * PointsPerMm, A4Height = 297 * PointsPerMm;

// The page's drawing in one "q … cm … Q" bracket: pdf is the transform in
// the page's own points (origin bottom-left, y up).
void wrapContents(QPDF &pdf, QPDFPageObjectHelper &page, const QTransform &t)
{
    const std::string start = "q " + pdfMatrix(t, 6) + "\n";
    page.addPageContents(QPDFObjectHandle::newStream(&pdf, start), true);
    page.addPageContents(QPDFObjectHandle::newStream(&pdf, "\nQ\n"), false);
}

} // namespace

QTransform correctionTransform(const PrintCorrection &c)
{
    // The printer sends p to cross + (p - cross) * (1 + s) + shift; sending
    // cross + (p - shift - cross) / (1 + s) instead lands on p.
    const double fx = 1 / (1 + c.scaleXPercent / 100), fy = 1 / (1 + c.scaleYPercent / 100);
    return QTransform(fx, 0, 0, fy, CrossXMm - (c.xMm + CrossXMm) * fx, CrossYMm - (c.yMm + CrossYMm) * fy);
}

void writeCorrectedPdf(const QString &in, const PrintCorrection &correction, QIODevice &output)
{
    composeWithQpdf([&] {
        QPDF pdf;
        openPdf(pdf, in);
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
            // Qt writes whole points; the paper is exactly A4.
            if (std::abs(box.urx - box.llx - A4Width) < 1 && std::abs(box.ury - box.lly - A4Height) < 1) {
                box.urx = box.llx + A4Width;
                box.lly = box.ury - A4Height;
                page.getObjectHandle().replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle(box));
            }
            // Points to sheet millimetres, the correction, and back.
            const QTransform toMm(1 / PointsPerMm, 0, 0, -1 / PointsPerMm, -box.llx / PointsPerMm, box.ury / PointsPerMm);
            if (!correction.isNone())
                wrapContents(pdf, page, toMm * correctionTransform(correction) * toMm.inverted());
        }
        writeForPrinting(pdf, output, false);
    });
}

} // namespace batch
