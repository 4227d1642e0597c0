#include "CompactPdf.h"

#include "batch/output/Failure.h"
#include "PageTargets.h"
#include "PdfComposer.h"
#include "OffPageTexts.h"
#include "batch/output/StagedOutputs.h"

#include <algorithm>

namespace batch {

namespace {

// A printer that puts only one layer of the sheet on paper: the template,
// or the texts (with their opaque cells, which then cover the template
// beneath them just as they do when both are drawn together).
class LayerDevice : public printing::SheetDevice {
public:
    enum class Layer { Template, Texts };
    LayerDevice(const printing::SheetGeometry &geometry, printing::PageTarget &target, Layer layer)
        : SheetDevice(geometry, target), layer_(layer)
    {}

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
{}

CompactPdfWriter::~CompactPdfWriter() = default;

void CompactPdfWriter::drawTemplate()
{
    const QString name = QStringLiteral("wzor.pdf");
    const std::unique_ptr<OutputFile> file = scratch_->create(name);
    {
        PdfTarget target(*file, geometry_);
        LayerDevice device(geometry_, target, LayerDevice::Layer::Template);
        printing::printDiploma(device, templateOf_);
        target.finish();
    }
    try {
        underlay_ = std::make_unique<PdfUnderlay>(file->path());
    } catch (const PdfComposeError &e) {
        throw Failure(file->path(), QStringLiteral("nie można odczytać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
    }
    // Read whole: the file is no longer needed.
    scratch_->remove(name);
}

void CompactPdfWriter::write(OutputFile &output, const QList<Page> &pages, OffPageTexts &offPage,
                             const std::function<void(int, int)> &progress, const QString &title)
{
    const QString name = QStringLiteral("teksty.pdf");
    const int total = int(pages.size());
    std::unique_ptr<ComposedPdf> pdf;
    // The texts go through the scratch folder a chunk of pages at a time:
    // reading a chunk back costs memory for that chunk only, whatever the
    // length of the list. Each chunk carries its own font subsets.
    for (int first = 0; first < total; first += ChunkPages) {
        const int end = std::min(total, first + ChunkPages);
        std::unique_ptr<OutputFile> texts;
        try {
            if (!scratch_)
                scratch_ = std::make_unique<ScratchFolder>();
            if (!underlay_)
                drawTemplate();
            texts = scratch_->create(name);
            PdfTarget target(*texts, geometry_);
            LayerDevice device(geometry_, target, LayerDevice::Layer::Texts);
            for (int i = first; i < end; ++i) {
                printing::printDiploma(device, pages[i].input);
                offPage.add(pages[i].record, pages[i].line, device.textsOffThePage());
                // The last page is done once the file is whole.
                if (progress && i + 1 < total)
                    progress(i + 1, total);
            }
            target.finish();
        } catch (const Failure &e) {
            // A layer that cannot be written (the temporary folder full, a
            // file-size limit) fails the output it was for.
            if (scratch_)
                scratch_->remove(name);
            throw Failure(output.path(), QStringLiteral("plik pośredni %1").arg(QString::fromUtf8(e.what())));
        }
        try {
            if (!pdf)
                pdf = std::make_unique<ComposedPdf>(*underlay_, output);
            pdf->addPages(texts->path());
            if (end == total)
                pdf->finish(title);
        } catch (const PdfComposeError &e) {
            scratch_->remove(name);
            throw Failure(output.path(),
                          QStringLiteral("nie można zapisać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
        }
        scratch_->remove(name);
    }
    output.finish();
    if (progress)
        progress(total, total);
}

} // namespace batch
