#pragma once
#include "batch/Page.h"
#include "batch/compose/SheetLayout.h"

#include "printing/SheetDevice.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace batch {

class CompactPdfWriter;
class OffPageTexts;
class OutputFile;

// Every page as many times in a row as its copies.
QList<Page> withCopies(const QList<Page> &pages);

// The sheet the pages of an output are drawn on: geometry itself for a
// plain layout, else the diploma's drawing shape at its resolution.
printing::SheetGeometry drawnOn(const printing::SheetGeometry &geometry, const SheetLayout &layout);

// How an output's diplomas are drawn: over one shared drawing of their
// template (the compact PDF), or each page whole when the pages have
// several templates (kinds of diploma).
class DiplomaPages {
public:
    // geometry is drawnOn's sheet; first gives the shared template.
    DiplomaPages(const printing::SheetGeometry &geometry, const Page &first, bool mixedTemplates);
    ~DiplomaPages();
    DiplomaPages(const DiplomaPages &) = delete;
    DiplomaPages &operator=(const DiplomaPages &) = delete;

    // pages into output, one diploma a page; finishes output.
    void write(OutputFile &output, const QList<Page> &pages, OffPageTexts &offPage,
               const std::function<void(int, int)> &progress, const QString &title);

private:
    printing::SheetGeometry geometry_;
    std::unique_ptr<CompactPdfWriter> compact_; // none with several templates
};

// pages drawn by diplomas into output, laid onto the sheets of layout from
// position start unless it is plain. Finishes output. Throws Failure
// naming it.
void writeSheets(DiplomaPages &diplomas, OutputFile &output, const QList<Page> &pages, const SheetLayout &layout,
                 int start, OffPageTexts &offPage, const std::function<void(int, int)> &progress, const QString &title);

} // namespace batch
