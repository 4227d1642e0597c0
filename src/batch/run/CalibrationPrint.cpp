#include "CalibrationPrint.h"

#include "batch/compose/CalibrationSheet.h"
#include "batch/compose/CorrectedPdf.h"
#include "batch/compose/PdfComposer.h"
#include "batch/output/CupsJob.h"
#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"

namespace batch {

QString correctedForPrinter(ScratchFolder &scratch, const QString &pdf, const PrintCorrection &correction)
{
    if (correction.isNone())
        return pdf;
    const std::unique_ptr<OutputFile> corrected = scratch.create(QStringLiteral("kalibrowany.pdf"));
    try {
        writeCorrectedPdf(pdf, correction, *corrected);
    } catch (const PdfComposeError &e) {
        throw Failure(pdf, QStringLiteral("nie można przesunąć wydruku (%1)").arg(QString::fromUtf8(e.what())));
    }
    corrected->finish();
    return corrected->path();
}

void printCalibrationSheet(const QString &queue, const PrintCorrection &correction, const PrintSubmit &submit)
{
    ScratchFolder scratch;
    const std::unique_ptr<OutputFile> sheet = scratch.create(QStringLiteral("kalibracja.pdf"));
    writeCalibrationSheet(*sheet, correction);
    const QString title = QStringLiteral("Kalibracja drukarki");
    if (submit)
        submit(queue, sheet->path(), title);
    else
        sendToPrinter(queue, sheet->path(), title);
}

} // namespace batch
