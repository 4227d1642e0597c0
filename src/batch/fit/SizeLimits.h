#pragma once
#include "printing/PrintDiploma.h"
#include "printing/SheetDevice.h"

#include <QStringList>

namespace batch {

// The largest text size (points) whose characters are not taller than the
// printable area: no fitting can make a larger text fit.
int largestSize(const printing::SheetGeometry &geometry);

// One Polish line for each block (nagłówek, treść, dla) whose size lies
// outside 1 … largestSize: such a text cannot be drawn on the sheet.
QStringList sizeProblems(const printing::PrintInput &input, const printing::SheetGeometry &geometry);

} // namespace batch
