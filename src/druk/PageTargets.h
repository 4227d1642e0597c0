#pragma once
#include "printing/SheetDevice.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <functional>
#include <memory>

class QPdfWriter;

namespace druk {

// Pages into one PDF file, written under a temporary name and put in place
// only by commit(): a failed run leaves nothing at the path.
class PdfTarget : public printing::PageTarget {
public:
    PdfTarget(const QString &path, const printing::SheetGeometry &geometry);
    ~PdfTarget() override;

    QPainter &startPage() override;
    void endPage() override {}
    void abortPage() override {}
    qreal scale() const override { return 1.0; }

    // Throws Failure when the file cannot be completed.
    void commit();
    int pages() const { return pages_; }

private:
    QString path_;
    QSaveFile file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pages_ = 0;
};

// Each page a PNG picture at its own resolution, named by nameFor(page
// index from 0) and written whole or not at all.
class ImageTarget : public printing::PageTarget {
public:
    ImageTarget(const printing::SheetGeometry &geometry, int dpi, std::function<QString(int)> nameFor);

    QPainter &startPage() override;
    void endPage() override;
    void abortPage() override;
    qreal scale() const override { return scale_; }

    const QStringList &written() const { return written_; }

private:
    QSize size_;
    qreal scale_;
    int dpi_;
    std::function<QString(int)> nameFor_;
    QImage image_;
    QPainter painter_;
    int page_ = 0;
    QStringList written_;
};

} // namespace druk
