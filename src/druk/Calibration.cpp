#include "Calibration.h"

#include "batch/compose/CalibrationSheet.h"
#include "batch/output/CalibrationStore.h"
#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"
#include "batch/run/CalibrationPrint.h"

#include <QPrinterInfo>

namespace druk {

QString printerQueue(const QString &name)
{
    if (name.isEmpty()) {
        QString fallback = QPrinterInfo::defaultPrinterName();
        if (fallback.isEmpty())
            throw batch::Failure(QStringLiteral("-P"), QStringLiteral("brak drukarki domyślnej"));
        return fallback;
    }
    if (!QPrinterInfo::availablePrinterNames().contains(name))
        throw batch::Failure(name, QStringLiteral("nie ma takiej drukarki"));
    return name;
}

bool runCalibration(const Options &options, batch::StagedOutputs &outputs, QTextStream &err)
{
    batch::CalibrationStore store;
    // Each sheet's paper has its own correction (--papier, --na-arkuszu).
    const QString sheetPaper = options.sheets.layout.sheetPaper();
    const QString paper = sheetPaper.isEmpty() ? batch::calibrationPaper() : sheetPaper;
    if (options.storedCorrection) {
        const QString queue = printerQueue(options.calibrationQueue);
        store.store(queue, *options.storedCorrection, paper);
        err << "dyplom-druk: " << queue << ": zapamiętano przesunięcie "
            << batch::describeCorrection(*options.storedCorrection) << "\n";
        return true;
    }
    if (options.removeCalibration) {
        // A queue since removed may still have its setting to forget.
        if (!store.remove(options.calibrationQueue, paper)) {
            printerQueue(options.calibrationQueue);
            err << "dyplom-druk: " << options.calibrationQueue << ": nie było zapamiętanego przesunięcia\n";
        } else {
            err << "dyplom-druk: " << options.calibrationQueue << ": usunięto zapamiętane przesunięcie\n";
        }
        return true;
    }
    if (!options.calibrationSheet)
        return false;
    if (!options.output.isEmpty()) {
        batch::writeCalibrationSheet(outputs.stage(options.output), batch::PrintCorrection{}); // a file is never shifted
        err << "dyplom-druk: arkusz kalibracji: " << options.output << "\n";
        return true;
    }
    const QString queue = printerQueue(options.printerName);
    const batch::PrintCorrection correction = store.forPrint(queue, options.correction);
    batch::printCalibrationSheet(queue, correction);
    err << "dyplom-druk: arkusz kalibracji wysłano do drukarki " << queue
        << (correction.isNone() ? QString()
                                : QStringLiteral(" (przesunięcie %1)").arg(batch::describeCorrection(correction)))
        << "\n";
    return true;
}

} // namespace druk
