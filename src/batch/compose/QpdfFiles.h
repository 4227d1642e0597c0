#pragma once
#include <QString>
#include <QTransform>

#include <functional>
#include <string>

class QIODevice;
class QPDF;

namespace batch {

// What the PDFs qpdf rewrites (the corrected and the imposed) share.
constexpr double PointsPerMm = 72 / 25.4;

// A number of a content stream with that many decimals; a rounding error
// around zero is 0, never "-0.0000".
std::string pdfNumber(double value, int decimals);
// "a b c d e f cm" of t.
std::string pdfMatrix(const QTransform &t, int decimals);

// Reads the PDF at path strictly: a damaged file is refused, not mended.
void openPdf(QPDF &pdf, const QString &path);
// Tells viewers to print pdf at its size, on one side, the tray chosen by
// the page size, and writes it whole to output (object streams on
// request). Throws PdfComposeError.
void writeForPrinting(QPDF &pdf, QIODevice &output, bool objectStreams);
// Runs work with qpdf's failures as PdfComposeError.
void composeWithQpdf(const std::function<void()> &work);

} // namespace batch
