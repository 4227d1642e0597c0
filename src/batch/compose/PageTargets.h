#pragma once
#include "printing/SheetDevice.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

class QPdfWriter;

namespace batch {

class OutputFile;
class StagedOutputs;

// The pixel size of geometry's sheet drawn at dpi.
QSize pictureSize(const printing::SheetGeometry &geometry, int dpi);

// image made a white page of size at dpi and painter begun on it,
// antialiased; false when there is no memory for the picture.
bool startPicture(QImage &image, QPainter &painter, QSize size, int dpi);

// Pages into one PDF file, a staged output that the run puts in place only
// when everything succeeded.
class PdfTarget : public printing::PageTarget {
public:
    PdfTarget(OutputFile &file, const printing::SheetGeometry &geometry, const QString &title = {});
    ~PdfTarget() override;

    QPainter &startPage() override;
    void endPage() override {}
    void abortPage() override {}
    qreal scale() const override { return 1.0; }

    // Ends the PDF and checks that every byte of it reached the disk.
    // Throws Failure naming the file.
    void finish();
    int pages() const { return pages_; }

private:
    OutputFile &file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pages_ = 0;
};

// Each page a PNG picture at its own resolution, named by nameFor(page
// index from 0), staged in outputs and checked whole when its page ends.
class ImageTarget : public printing::PageTarget {
public:
    ImageTarget(const printing::SheetGeometry &geometry, int dpi, StagedOutputs &outputs,
                std::function<QString(int)> nameFor);

    QPainter &startPage() override;
    void endPage() override;
    void abortPage() override;
    qreal scale() const override { return scale_; }

private:
    QSize size_;
    qreal scale_;
    int dpi_;
    StagedOutputs &outputs_;
    std::function<QString(int)> nameFor_;
    QImage image_;
    QPainter painter_;
    int page_ = 0;
};

} // namespace batch
