#include "BatchRun.h"
#include "CalibrationPrint.h"
#include "SheetFiles.h"

#include "batch/compose/Catalogue.h"
#include "batch/compose/CompactPdf.h"
#include "batch/compose/HandoutList.h"
#include "batch/compose/PageTargets.h"
#include "batch/compose/PrintPages.h"
#include "batch/output/CreatedFolders.h"
#include "batch/output/CupsJob.h"
#include "batch/output/Failure.h"
#include "batch/output/FileNames.h"
#include "batch/output/OutputSafety.h"
#include "batch/output/StagedOutputs.h"
#include "batch/TextOnly.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace batch {

QStringList perPageFileNames(const QList<Page> &pages, const QStringList &stems)
{
    QStringList safe;
    for (int i = 0; i < pages.size(); ++i)
        safe.append(safeFileStem(i < stems.size() ? stems[i] : pages[i].input.texts.recipient));
    return uniqueFileNames(safe, QStringLiteral(".pdf"));
}

void writeSeparatePdfs(StagedOutputs &outputs, const QString &dirPath, const QList<Page> &pages,
                       const printing::SheetGeometry &geometry, bool overwrite, OffPageTexts &offPage,
                       const std::function<void(int, int)> &progress, const QStringList &stems,
                       const SheetLayout &layout, bool mixedTemplates)
{
    const QStringList names = perPageFileNames(pages, stems);
    const QDir dir(dirPath);
    if (!overwrite)
        for (const QString &name : names)
            if (nameTaken(dir.filePath(name))) // a dangling link too
                throw Failure(dir.filePath(name), QStringLiteral("plik już istnieje (--nadpisz pozwala go zastąpić)"));
    DiplomaPages diplomas(drawnOn(geometry, layout), pages.first(), mixedTemplates);
    for (int i = 0; i < pages.size(); ++i) {
        writeSheets(diplomas, outputs.stage(dir.filePath(names[i])), withCopies({pages[i]}), layout, 1, offPage, {},
                    pages[i].input.texts.recipient);
        if (progress)
            progress(i + 1, int(pages.size()));
    }
}

void printAsOneJob(const QString &printer, const QList<Page> &pages, const printing::SheetGeometry &geometry,
                   const QString &title, const QString &jobTitle, OffPageTexts &offPage,
                   const std::function<void(int, int)> &progress, const PrintSubmit &submit,
                   const PrintCorrection &correction, const SheetLayout &layout, int start, bool mixedTemplates)
{
    ScratchFolder scratch;
    const std::unique_ptr<OutputFile> job = scratch.create(QStringLiteral("dyplomy.pdf"));
    DiplomaPages diplomas(drawnOn(geometry, layout), pages.first(), mixedTemplates);
    writeSheets(diplomas, *job, pages, layout, start, offPage, progress, title);
    const QString sent = correctedForPrinter(scratch, job->path(), correction);
    if (submit)
        submit(printer, sent, jobTitle);
    else
        sendToPrinter(printer, sent, jobTitle);
}

namespace {

bool needsPages(BatchOutput kind)
{
    return kind != BatchOutput::Catalogue && kind != BatchOutput::Register && kind != BatchOutput::Handout;
}

} // namespace

BatchResult runBatch(const BatchPlan &plan, const QList<Page> &allPages, const std::function<void(int, int)> &progress,
                     const std::atomic_bool *cancel, const PrintSubmit &submit,
                     const std::function<void(const QString &)> &warn)
{
    // Separate files hold each pupil's copies; the others every copy in turn.
    const QList<Page> pupils = plan.textOnly ? withoutTemplate(allPages) : allPages;
    const QList<Page> pages = withCopies(pupils);
    if (pages.isEmpty())
        for (const PlannedOutput &out : plan.outputs)
            if (needsPages(out.kind))
                throw Failure(out.path, QStringLiteral("brak stron do zapisania"));
    static std::mutex oneRun;
    const std::lock_guard<std::mutex> lock(oneRun);

    const auto cancelled = [&] { return cancel && cancel->load(); };
    const auto step = [&](int done, int total) {
        if (cancelled())
            throw Cancelled();
        if (progress)
            progress(done, total);
    };
    if (cancelled())
        throw Cancelled();

    BatchResult result;
    result.pages = int(pages.size());
    OffPageTexts offPage;
    // Declared first, removed last: the files of a failed run go before
    // the folders made for them.
    CreatedFolders folders;
    StagedOutputs outputs;
    outputs.setOverwrite(plan.overwrite);
    for (const InputFile &input : plan.inputs)
        outputs.protect(input.path, input.what);

    for (const PlannedOutput &out : plan.outputs) {
        switch (out.kind) {
        case BatchOutput::Catalogue:
            result.templates = writeCatalogue(out.templatesFolder, outputs.stage(out.path), warn);
            result.files.append(out.path);
            break;
        case BatchOutput::OnePdf: {
            DiplomaPages diplomas(drawnOn(out.geometry, plan.layout), pages.first(), plan.mixedTemplates);
            writeSheets(diplomas, outputs.stage(out.path), pages, plan.layout, plan.firstPosition, offPage, step,
                        plan.title);
            result.files.append(out.path);
            break;
        }
        case BatchOutput::Register:
            // The earlier lines were read and checked: the file is replaced whatever it begins with.
            outputs.stage(out.path, StagedOutputs::AnyContent).write(plan.diplomaRegister.withLines(plan.issued));
            result.files.append(out.path);
            break;
        case BatchOutput::Handout:
            writeHandoutList(outputs.stage(out.path), plan.issued, plan.handoutTitle);
            result.files.append(out.path);
            break;
        case BatchOutput::PdfPerPage:
            followLinks(out.path); // no link planted by another user
            folders.make(out.path);
            writeSeparatePdfs(outputs, out.path, pupils, out.geometry, plan.overwrite, offPage, step, out.stems,
                              plan.layout, plan.mixedTemplates);
            for (const QString &name : perPageFileNames(pupils, out.stems))
                result.files.append(QDir(out.path).filePath(name));
            break;
        case BatchOutput::Pictures: {
            followLinks(out.path);
            folders.make(out.path);
            const QDir dir(out.path);
            const auto nameFor = [&](int page) {
                return dir.filePath(QStringLiteral("strona-%1.png").arg(page + 1, 3, 10, QLatin1Char('0')));
            };
            ImageTarget target(out.geometry, out.pictureDpi, outputs, nameFor);
            printing::SheetDevice device(out.geometry, target);
            printPages(device, pages, offPage, step);
            for (int page = 0; page < pages.size(); ++page)
                result.files.append(nameFor(page));
            break;
        }
        case BatchOutput::PrintJob:
            for (int copy = 0; copy < std::max(1, out.copies); ++copy)
                printAsOneJob(out.printer, pages, out.geometry, plan.title, out.jobTitle, offPage, step, submit,
                              out.correction, plan.layout, plan.firstPosition, plan.mixedTemplates);
            break;
        }
    }
    if (cancelled())
        throw Cancelled();
    outputs.commitAll();
    folders.keep();
    result.warnings = offPage.warnings();
    return result;
}

} // namespace batch
