#include "RunPlan.h"
#include "Calibration.h"

#include "batch/output/CalibrationStore.h"
#include "printing/PrinterGeometry.h"

#include <QFileInfo>
#include <QPrinter>

namespace druk {

namespace {

// -P: the named or the default queue, A4 at its resolution or --rozdzielczosc.
PlannedOutput printJob(const Options &options)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerQueue(options.printerName));
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (options.printerDpiGiven)
        printer.setResolution(options.printerDpi);
    PlannedOutput out(BatchOutput::PrintJob, QString());
    out.printer = printer.printerName();
    // The compact PDF of the whole list goes to the queue as one job.
    out.geometry = printing::printerGeometry(printer);
    out.jobTitle = QFileInfo(options.diploma).fileName();
    out.correction = CalibrationStore().forPrint(out.printer, options.correction);
    return out;
}

} // namespace

BatchPlan planFor(const Options &options, const QString &title, const QString &templatesFolder,
                  const QList<InputFile> &inputs)
{
    BatchPlan plan;
    plan.overwrite = options.overwrite;
    plan.title = title;
    plan.inputs = inputs;
    const printing::SheetGeometry sheet = printing::SheetGeometry::a4(options.printerDpi, options.printableMm);
    const auto add = [&](BatchOutput kind, const QString &path) {
        PlannedOutput out(kind, path);
        out.geometry = sheet;
        plan.outputs.append(out);
        return &plan.outputs.last();
    };
    if (!options.catalogue.isEmpty())
        add(BatchOutput::Catalogue, options.catalogue)->templatesFolder = templatesFolder;
    if (!options.output.isEmpty())
        add(BatchOutput::OnePdf, options.output);
    if (!options.separateDir.isEmpty())
        add(BatchOutput::PdfPerPage, options.separateDir);
    if (!options.pngDir.isEmpty())
        add(BatchOutput::Pictures, options.pngDir)->pictureDpi = options.pngDpi;
    if (options.toPrinter)
        plan.outputs.append(printJob(options));
    return plan;
}

} // namespace druk
