#include "RunPlan.h"
#include "Calibration.h"

#include "batch/output/CalibrationStore.h"
#include "printing/PrinterGeometry.h"

#include <QFileInfo>
#include <QPrinter>

namespace druk {

namespace {

// -P: the named or the default queue, A4 at its resolution or --rozdzielczosc.
batch::PlannedOutput printJob(const Options &options)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerQueue(options.printerName));
    // The sheet the diplomas lie on, as the queue is to feed it.
    const batch::SheetLayout &layout = options.sheets.layout;
    const QSizeF sheetMm = layout.sheetMm();
    printer.setPageSize(layout.isPlain() ? QPageSize(QPageSize::A4)
                                         : QPageSize(sheetMm.width() < sheetMm.height() ? sheetMm : sheetMm.transposed(),
                                                     QPageSize::Millimeter, layout.sheetPaper()));
    if (sheetMm.width() > sheetMm.height())
        printer.setPageOrientation(QPageLayout::Landscape);
    if (options.printerDpiGiven)
        printer.setResolution(options.printerDpi);
    batch::PlannedOutput out(batch::BatchOutput::PrintJob, QString());
    out.printer = printer.printerName();
    // The compact PDF of the whole list goes to the queue as one job.
    out.geometry = printing::printerGeometry(printer);
    out.jobTitle = QFileInfo(options.diploma).fileName();
    out.correction = batch::CalibrationStore().forPrint(out.printer, options.correction, layout.sheetPaper());
    return out;
}

} // namespace

batch::BatchPlan planFor(const Options &options, const QString &title, const QString &templatesFolder,
                         const QList<batch::InputFile> &inputs)
{
    batch::BatchPlan plan;
    plan.overwrite = options.overwrite;
    plan.title = title;
    plan.inputs = inputs;
    plan.layout = options.sheets.layout;
    plan.firstPosition = options.sheets.start;
    const printing::SheetGeometry sheet = printing::SheetGeometry::a4(options.printerDpi, options.printableMm);
    const auto add = [&](batch::BatchOutput kind, const QString &path) {
        batch::PlannedOutput out(kind, path);
        out.geometry = sheet;
        plan.outputs.append(out);
        return &plan.outputs.last();
    };
    if (!options.catalogue.isEmpty())
        add(batch::BatchOutput::Catalogue, options.catalogue)->templatesFolder = templatesFolder;
    if (!options.output.isEmpty())
        add(batch::BatchOutput::OnePdf, options.output);
    if (!options.separateDir.isEmpty())
        add(batch::BatchOutput::PdfPerPage, options.separateDir);
    if (!options.pngDir.isEmpty())
        add(batch::BatchOutput::Pictures, options.pngDir)->pictureDpi = options.pngDpi;
    // Before the print job: what cannot be staged fails the run before anything is sent.
    if (!options.ceremony.handout.isEmpty()) {
        add(batch::BatchOutput::Handout, options.ceremony.handout);
        plan.handoutTitle = QFileInfo(options.list).fileName();
    }
    if (!options.ceremony.registerFile.isEmpty())
        add(batch::BatchOutput::Register, options.ceremony.registerFile);
    if (options.toPrinter)
        plan.outputs.append(printJob(options));
    return plan;
}

} // namespace druk
