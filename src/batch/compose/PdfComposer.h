#pragma once
#include <QString>
#include <memory>
#include <stdexcept>

class QIODevice;

namespace batch {

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

// A PDF written front to back into output: the underlay is stored once, as
// a form XObject, and each page added lies over it, only referring to it,
// so a drawing shared by many pages costs its size once. Pages keep their
// texts, fonts and order; an A4 page gets A4's exact size. What is written
// is not kept: memory does not grow with the number of pages (only each
// object's place in the file is). Throws PdfComposeError.
class ComposedPdf {
public:
    ComposedPdf(const PdfUnderlay &underlay, QIODevice &output);
    ~ComposedPdf();
    ComposedPdf(const ComposedPdf &) = delete;
    ComposedPdf &operator=(const ComposedPdf &) = delete;

    // Appends every page of pagesPdf.
    void addPages(const QString &pagesPdf);
    // Ends the file: the page tree, the document's title (none when
    // empty) and the cross-reference table.
    void finish(const QString &title = QString());
    int pageCount() const;

    struct State;

private:
    std::unique_ptr<State> d_;
};

// The pages of pagesPdf over the underlay into one PDF (ComposedPdf).
// Throws PdfComposeError; the path variant then removes what it wrote.
void composePdf(const PdfUnderlay &underlay, const QString &pagesPdf, QIODevice &output);
void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output);
void composePdf(const QString &underlayPdf, const QString &pagesPdf, const QString &outputPath);

} // namespace batch
