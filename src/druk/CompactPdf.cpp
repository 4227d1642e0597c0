#include "CompactPdf.h"

#include "Failure.h"
#include "PageTargets.h"
#include "PdfComposer.h"

#include <QFile>
#include <QSaveFile>

namespace druk {

namespace {

// A printer that puts only one layer of the sheet on paper: the template,
// or the texts (with their opaque cells, which then cover the template
// beneath them just as they do when both are drawn together).
class LayerDevice : public printing::SheetDevice {
public:
    enum class Layer { Template, Texts };
    LayerDevice(const printing::SheetGeometry &geometry, printing::PageTarget &target, Layer layer)
        : SheetDevice(geometry, target), layer_(layer)
    {
    }

    void stretchDraw(const printing::DeviceRect &rect, const wmf::Metafile &picture) override
    {
        if (layer_ == Layer::Template)
            SheetDevice::stretchDraw(rect, picture);
    }
    void textOut(std::int32_t x, std::int32_t y, const QString &text) override
    {
        if (layer_ == Layer::Texts)
            SheetDevice::textOut(x, y, text);
    }

private:
    Layer layer_;
};

} // namespace

CompactPdfWriter::CompactPdfWriter(const printing::SheetGeometry &geometry, const printing::PrintInput &templateOf)
    : geometry_(geometry), templateOf_(templateOf)
{
}

CompactPdfWriter::~CompactPdfWriter() = default;

void CompactPdfWriter::drawTemplate()
{
    if (!scratch_.isValid())
        throw Failure(scratch_.path(), QStringLiteral("nie można utworzyć katalogu tymczasowego (%1)").arg(scratch_.errorString()));
    const QString path = scratch_.filePath(QStringLiteral("wzor.pdf"));
    PdfTarget target(path, geometry_);
    LayerDevice device(geometry_, target, LayerDevice::Layer::Template);
    printing::printDiploma(device, templateOf_);
    target.commit();
    try {
        underlay_ = std::make_unique<PdfUnderlay>(path);
    } catch (const PdfComposeError &e) {
        throw Failure(path, QStringLiteral("nie można odczytać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
    }
}

void CompactPdfWriter::write(const QString &path, const QList<Page> &pages,
                             const std::function<void(const QString &)> &warn,
                             const std::function<void(int, int)> &progress)
{
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly))
        throw Failure(path, QStringLiteral("nie można utworzyć pliku (%1)").arg(output.errorString()));
    if (!underlay_)
        drawTemplate();

    const QString textsPdf = scratch_.filePath(QStringLiteral("teksty.pdf"));
    {
        PdfTarget target(textsPdf, geometry_);
        LayerDevice device(geometry_, target, LayerDevice::Layer::Texts);
        printPages(device, pages, warn, progress);
        target.commit();
    }
    try {
        composePdf(*underlay_, textsPdf, output);
    } catch (const PdfComposeError &e) {
        QFile::remove(textsPdf);
        throw Failure(path, QStringLiteral("nie można zapisać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
    }
    QFile::remove(textsPdf);
    if (!output.commit())
        throw Failure(path, QStringLiteral("nie można zapisać pliku (%1)").arg(output.errorString()));
}

} // namespace druk
