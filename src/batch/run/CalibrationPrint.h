#pragma once
#include "BatchRun.h"

#include "batch/output/PrintCorrection.h"

#include <QString>

namespace batch {

class ScratchFolder;

// What goes to a printer for the finished PDF pdf: pdf itself when there is
// no correction, else a corrected copy made in scratch. Throws Failure.
QString correctedForPrinter(ScratchFolder &scratch, const QString &pdf, const PrintCorrection &correction);

// The calibration sheet to queue as one job, drawn through correction
// (sendToPrinter unless submit is given). Throws Failure.
void printCalibrationSheet(const QString &queue, const PrintCorrection &correction, const PrintSubmit &submit = {});

} // namespace batch
