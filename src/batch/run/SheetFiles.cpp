#include "SheetFiles.h"

#include "batch/compose/CompactPdf.h"
#include "batch/compose/ImposedPdf.h"
#include "batch/compose/PageTargets.h"
#include "batch/compose/PdfComposer.h"
#include "batch/compose/PrintPages.h"
#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"

namespace batch {

QList<Page> withCopies(const QList<Page> &pages)
{
    QList<Page> out;
    for (const Page &p : pages)
        for (int c = 0; c < std::max(1, p.copies); ++c)
            out.append(p);
    return out;
}

printing::SheetGeometry drawnOn(const printing::SheetGeometry &geometry, const SheetLayout &layout)
{
    return layout.isPlain() ? geometry : drawingGeometry(layout, geometry.dpi);
}

DiplomaPages::DiplomaPages(const printing::SheetGeometry &geometry, const Page &first, bool mixedTemplates)
    : geometry_(geometry)
{
    if (!mixedTemplates)
        compact_ = std::make_unique<CompactPdfWriter>(geometry, first.input);
}

DiplomaPages::~DiplomaPages() = default;

void DiplomaPages::write(OutputFile &output, const QList<Page> &pages, OffPageTexts &offPage,
                         const std::function<void(int, int)> &progress, const QString &title)
{
    if (compact_) {
        compact_->write(output, pages, offPage, progress, title);
        return;
    }
    PdfTarget target(output, geometry_, title);
    printing::SheetDevice device(geometry_, target);
    printPages(device, pages, offPage, progress);
    target.finish();
}

void writeSheets(DiplomaPages &diplomas, OutputFile &output, const QList<Page> &pages, const SheetLayout &layout,
                 int start, OffPageTexts &offPage, const std::function<void(int, int)> &progress, const QString &title)
{
    if (layout.isPlain()) {
        diplomas.write(output, pages, offPage, progress, title);
        return;
    }
    // The diplomas one to a page first, then laid onto the sheets.
    ScratchFolder scratch;
    const std::unique_ptr<OutputFile> single = scratch.create(QStringLiteral("dyplomy.pdf"));
    diplomas.write(*single, pages, offPage, progress, title);
    try {
        writeImposedPdf(single->path(), layout, start, output);
    } catch (const PdfComposeError &e) {
        throw Failure(output.path(), QStringLiteral("nie można zapisać pliku PDF (%1)").arg(QString::fromUtf8(e.what())));
    }
    output.finish();
}

} // namespace batch
