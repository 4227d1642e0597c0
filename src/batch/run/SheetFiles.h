#pragma once
#include "batch/Page.h"
#include "batch/compose/SheetLayout.h"

#include "printing/SheetDevice.h"

#include <QList>
#include <QString>
#include <functional>

namespace batch {

class CompactPdfWriter;
class OffPageTexts;
class OutputFile;

// Every page as many times in a row as its copies.
QList<Page> withCopies(const QList<Page> &pages);

// The sheet the pages of an output are drawn on: geometry itself for a
// plain layout, else the diploma's drawing shape at its resolution.
printing::SheetGeometry drawnOn(const printing::SheetGeometry &geometry, const SheetLayout &layout);

// pages written by writer (made for drawnOn's sheet) into output, laid
// onto the sheets of layout from position start unless it is plain.
// Finishes output. Throws Failure naming it.
void writeSheets(CompactPdfWriter &writer, OutputFile &output, const QList<Page> &pages, const SheetLayout &layout,
                 int start, OffPageTexts &offPage, const std::function<void(int, int)> &progress, const QString &title);

} // namespace batch
