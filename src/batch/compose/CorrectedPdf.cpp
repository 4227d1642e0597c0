#include "CorrectedPdf.h"

#include "PdfComposer.h"

#include <QFile>
#include <QIODevice>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <cstdio>
#include <exception>

namespace batch {

namespace {

constexpr double PointsPerMm = 72 / 25.4;
constexpr double A4Width = 210 * PointsPerMm, A4Height = 297 * PointsPerMm;

std::string operand(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", std::abs(value) < 1e-9 ? 0.0 : value);
    return text;
}

// The page's drawing in one "q … cm … Q" bracket: pdf is the transform in
// the page's own points (origin bottom-left, y up).
void wrapContents(QPDF &pdf, QPDFPageObjectHelper &page, const QTransform &t)
{
    const std::string start = "q " + operand(t.m11()) + " " + operand(t.m12()) + " " + operand(t.m21()) + " "
                              + operand(t.m22()) + " " + operand(t.dx()) + " " + operand(t.dy()) + " cm\n";
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
    try {
        QPDF pdf;
        pdf.setAttemptRecovery(false);
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(in).constData());
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
        pdf.getRoot().replaceKey(
            "/ViewerPreferences",
            QPDFObjectHandle::parse("<</PrintScaling /None /Duplex /Simplex /PickTrayByPDFSize true>>"));
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setStaticID(true);
        writer.write();
        const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
        const auto size = qint64(bytes->getSize());
        if (output.write(reinterpret_cast<const char *>(bytes->getBuffer()), size) != size)
            throw PdfComposeError("zapis nie powiódł się");
    } catch (const PdfComposeError &) {
        throw;
    } catch (const std::exception &e) {
        throw PdfComposeError(e.what());
    }
}

} // namespace batch
