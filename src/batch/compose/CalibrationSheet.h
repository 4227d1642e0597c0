#pragma once
#include "batch/output/PrintCorrection.h"

class QPainter;

namespace batch {

class OutputFile;

// One A4 sheet to measure a printer with: a cross at (CrossXMm, CrossYMm)
// with its position written beside it, millimetre rulers along the four
// edges (a tick every mm, a number every 10 mm) and what to measure, in
// Polish; a note when the sheet goes out already corrected by applied.
// painter draws in dots from the sheet's top-left corner.
void drawCalibrationSheet(QPainter &painter, double dotsPerMm, const PrintCorrection &applied = {});

// The sheet as a PDF in output, drawn through correction (none for a
// file), finished. Throws Failure naming the file.
void writeCalibrationSheet(OutputFile &output, const PrintCorrection &correction);

} // namespace batch
