#include "PageTargets.h"

#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"

#include "platform/Rounding.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace batch {

QSize pictureSize(const printing::SheetGeometry &geometry, int dpi)
{
    return {platform::Round(static_cast<long double>(geometry.sheet.width()) * dpi / geometry.dpi),
            platform::Round(static_cast<long double>(geometry.sheet.height()) * dpi / geometry.dpi)};
}

bool startPicture(QImage &image, QPainter &painter, QSize size, int dpi)
{
    image = QImage(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    const int dotsPerMetre = platform::Round(dpi / 0.0254L);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    return true;
}

PdfTarget::PdfTarget(OutputFile &file, const printing::SheetGeometry &geometry, const QString &title) : file_(file)
{
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setResolution(geometry.dpi);
    const QSizeF sheetMm(geometry.sheet.width() * 25.4 / geometry.dpi, geometry.sheet.height() * 25.4 / geometry.dpi);
    writer_->setPageLayout(QPageLayout(QPageSize(sheetMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer_->setCreator(QStringLiteral("dyplom-druk"));
    writer_->setTitle(title);
}

PdfTarget::~PdfTarget()
{
    if (painter_.isActive())
        painter_.end();
}

QPainter &PdfTarget::startPage()
{
    if (pages_ == 0) {
        if (!painter_.begin(writer_.get()))
            throw Failure(file_.path(), QStringLiteral("nie można rozpocząć pliku PDF"));
    } else {
        writer_->newPage();
    }
    ++pages_;
    return painter_;
}

void PdfTarget::finish()
{
    if (painter_.isActive())
        painter_.end();
    file_.finish();
}

ImageTarget::ImageTarget(const printing::SheetGeometry &geometry, int dpi, StagedOutputs &outputs,
                         std::function<QString(int)> nameFor)
    : size_(pictureSize(geometry, dpi)), scale_(qreal(dpi) / geometry.dpi), dpi_(dpi), outputs_(outputs),
      nameFor_(std::move(nameFor))
{}

QPainter &ImageTarget::startPage()
{
    if (!startPicture(image_, painter_, size_, dpi_))
        throw Failure(nameFor_(page_),
                      QStringLiteral("za mało pamięci na obraz %1 × %2").arg(size_.width()).arg(size_.height()));
    return painter_;
}

void ImageTarget::endPage()
{
    painter_.end();
    OutputFile &file = outputs_.stage(nameFor_(page_++));
    const bool saved = image_.save(&file, "PNG");
    image_ = QImage();
    file.finish(); // a failed write names its cause
    if (!saved)
        throw Failure(file.path(), QStringLiteral("nie można zapisać obrazu PNG"));
}

void ImageTarget::abortPage()
{
    if (painter_.isActive())
        painter_.end();
    image_ = QImage();
}

} // namespace batch
