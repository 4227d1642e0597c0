#pragma once
#include "batch/Page.h"

#include "printing/SheetDevice.h"

#include <QString>
#include <functional>
#include <memory>

namespace batch {

class OffPageTexts;
class OutputFile;
class PdfUnderlay;
class ScratchFolder;

// Diplomas into PDF files that hold their template's drawing once: the
// template is drawn alone once, the pages with their texts alone, both
// through the print command's own code on the same sheet, and the pages are
// then laid over the drawing (composePdf). A page looks as it would with
// the template drawn on it.
class CompactPdfWriter {
public:
    // Every page written shares the template of templateOf (its picture and
    // template margins): one diploma file per run.
    CompactPdfWriter(const printing::SheetGeometry &geometry, const printing::PrintInput &templateOf);
    ~CompactPdfWriter();

    // Writes pages into output and finishes it (every byte checked); each
    // file carries its own copy of the drawing and title as its document
    // title. The two layers go through a scratch folder of the writer's
    // own. offPage and progress as printPages (the last page counted once
    // the file is whole). Throws Failure naming the file (e.g. a full
    // disk), or the template's error when it cannot be drawn.
    void write(OutputFile &output, const QList<Page> &pages, OffPageTexts &offPage,
               const std::function<void(int, int)> &progress = {}, const QString &title = QString());

    // Pages drawn into one intermediate file and read back at a time.
    static constexpr int ChunkPages = 2000;

private:
    void drawTemplate();

    printing::SheetGeometry geometry_;
    printing::PrintInput templateOf_;
    std::unique_ptr<ScratchFolder> scratch_;
    std::unique_ptr<PdfUnderlay> underlay_; // drawn on the first write
};

} // namespace batch
