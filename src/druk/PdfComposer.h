#pragma once
#include <QString>
#include <memory>
#include <stdexcept>

class QIODevice;

namespace druk {

// A PDF that cannot be read or composed; what() says why.
class PdfComposeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The first page of a PDF made ready to lie beneath other pages: read and
// compressed once, however many files it then goes into. Throws
// PdfComposeError.
class PdfUnderlay {
public:
    explicit PdfUnderlay(const QString &pdf);
    ~PdfUnderlay();
    PdfUnderlay(const PdfUnderlay &) = delete;
    PdfUnderlay &operator=(const PdfUnderlay &) = delete;

    struct Data;
    const Data &data() const { return *data_; }

private:
    std::unique_ptr<Data> data_;
};

// Puts the underlay beneath every page of pagesPdf: it is stored once, as a
// form XObject, and each page only refers to it, so a drawing shared by
// many pages costs its size once. Pages keep their size, texts, fonts and
// order. Throws PdfComposeError; the path variant then removes what it
// wrote.
void composePdf(const PdfUnderlay &underlay, const QString &pagesPdf, QIODevice &output);
void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output);
void composePdf(const QString &underlayPdf, const QString &pagesPdf, const QString &outputPath);

} // namespace druk
