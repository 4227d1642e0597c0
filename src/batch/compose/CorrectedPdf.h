#pragma once
#include "batch/output/PrintCorrection.h"

#include <QString>
#include <QTransform>

class QIODevice;

namespace batch {

// What undoes correction on a sheet: it maps a point (millimetres from the
// sheet's top-left corner) to where it must be sent so that the printer,
// moving and stretching it about the calibration cross, puts it back.
QTransform correctionTransform(const PrintCorrection &correction);

// Every page of the PDF in, redrawn through correctionTransform, into
// output; an A4 page gets A4's exact size (its top kept) and the file asks
// viewers not to scale it when printing. Throws PdfComposeError.
void writeCorrectedPdf(const QString &in, const PrintCorrection &correction, QIODevice &output);

} // namespace batch
