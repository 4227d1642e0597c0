#pragma once
#include <QString>
#include <stdexcept>

class QIODevice;

namespace druk {

// A PDF that cannot be read or composed; what() says why.
class PdfComposeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Puts the first page of underlayPdf beneath every page of pagesPdf: the
// underlay is stored once, as a form XObject, and each page only refers
// to it, so a drawing shared by many pages costs its size once. Pages keep
// their size, texts, fonts and order. Throws PdfComposeError; the path
// variant then removes what it wrote.
void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output);
void composePdf(const QString &underlayPdf, const QString &pagesPdf, const QString &outputPath);

} // namespace druk
