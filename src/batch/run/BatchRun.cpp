#include "BatchRun.h"
#include "CalibrationPrint.h"

#include "batch/compose/CompactPdf.h"
#include "batch/output/CupsJob.h"
#include "batch/output/Failure.h"
#include "batch/output/FileNames.h"
#include "batch/output/OutputSafety.h"
#include "batch/output/StagedOutputs.h"
#include "batch/TextOnly.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace druk {

QStringList perPageFileNames(const QList<Page> &pages)
{
    QStringList stems;
    for (const Page &p : pages)
        stems.append(safeFileStem(p.input.texts.recipient));
    return uniqueFileNames(stems, QStringLiteral(".pdf"));
}

void writeSeparatePdfs(StagedOutputs &outputs, const QString &dirPath, const QList<Page> &pages,
                       const printing::SheetGeometry &geometry, bool overwrite, OffPageTexts &offPage,
                       const std::function<void(int, int)> &progress)
{
    const QStringList names = perPageFileNames(pages);
    const QDir dir(dirPath);
    if (!overwrite)
        for (const QString &name : names)
            if (nameTaken(dir.filePath(name))) // a dangling link too
                throw Failure(dir.filePath(name), QStringLiteral("plik już istnieje (--nadpisz pozwala go zastąpić)"));
    CompactPdfWriter writer(geometry, pages.first().input);
    for (int i = 0; i < pages.size(); ++i) {
        writer.write(outputs.stage(dir.filePath(names[i])), {pages[i]}, offPage, {}, pages[i].input.texts.recipient);
        if (progress)
            progress(i + 1, int(pages.size()));
    }
}

void printAsOneJob(const QString &printer, const QList<Page> &pages, const printing::SheetGeometry &geometry,
                   const QString &title, const QString &jobTitle, OffPageTexts &offPage,
                   const std::function<void(int, int)> &progress, const PrintSubmit &submit,
                   const PrintCorrection &correction)
{
    ScratchFolder scratch;
    const std::unique_ptr<OutputFile> job = scratch.create(QStringLiteral("dyplomy.pdf"));
    CompactPdfWriter(geometry, pages.first().input).write(*job, pages, offPage, progress, title);
    const QString sent = correctedForPrinter(scratch, job->path(), correction);
    if (submit)
        submit(printer, sent, jobTitle);
    else
        sendToPrinter(printer, sent, jobTitle);
}

BatchResult runBatch(const BatchPlan &plan, const QList<Page> &allPages, const std::function<void(int, int)> &progress,
                     const std::atomic_bool *cancel, const PrintSubmit &submit)
{
    const QList<Page> pages = plan.textOnly ? withoutTemplate(allPages) : allPages;
    if (pages.isEmpty())
        throw Failure(plan.path, QStringLiteral("brak stron do zapisania"));
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
    // Folders made for the run go again when it does not succeed.
    QStringList madeFolders;
    bool done = false;
    struct FolderUndo {
        QStringList &made;
        bool &done;
        ~FolderUndo()
        {
            if (!done)
                for (const QString &dir : made)
                    QDir().rmdir(dir);
        }
    } undo{madeFolders, done};

    StagedOutputs outputs;
    outputs.setOverwrite(plan.overwrite);
    for (const InputFile &input : plan.inputs)
        outputs.protect(input.path, input.what);

    switch (plan.output) {
    case BatchOutput::OnePdf: {
        OutputFile &file = outputs.stage(plan.path);
        CompactPdfWriter(plan.geometry, pages.first().input).write(file, pages, offPage, step, plan.title);
        result.files.append(plan.path);
        break;
    }
    case BatchOutput::PdfPerPage: {
        followLinks(plan.path); // no link planted by another user
        for (QString dir = QDir::cleanPath(QDir(plan.path).absolutePath()); !QFileInfo::exists(dir);
             dir = QFileInfo(dir).path())
            madeFolders.append(dir);
        if (!QDir().mkpath(plan.path))
            throw Failure(plan.path, QStringLiteral("nie można utworzyć katalogu"));
        writeSeparatePdfs(outputs, plan.path, pages, plan.geometry, plan.overwrite, offPage, step);
        for (const QString &name : perPageFileNames(pages))
            result.files.append(QDir(plan.path).filePath(name));
        break;
    }
    case BatchOutput::PrintJob:
        for (int copy = 0; copy < std::max(1, plan.copies); ++copy)
            printAsOneJob(plan.printer, pages, plan.geometry, plan.title, plan.jobTitle, offPage, step, submit,
                          plan.correction);
        break;
    }
    if (cancelled())
        throw Cancelled();
    outputs.commitAll();
    done = true;
    if (progress)
        progress(result.pages, result.pages);
    result.warnings = offPage.warnings();
    return result;
}

} // namespace druk
