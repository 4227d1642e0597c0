#include "Run.h"

#include "batch/run/BatchRun.h"
#include "batch/compose/Catalogue.h"
#include "Calibration.h"
#include "ClassPages.h"
#include "batch/compose/CompactPdf.h"
#include "batch/output/CalibrationStore.h"
#include "batch/output/CupsJob.h"
#include "batch/output/ErrorTexts.h"
#include "batch/output/Failure.h"
#include "batch/output/FileNames.h"
#include "batch/output/OutputSafety.h"
#include "batch/compose/PageTargets.h"
#include "batch/compose/PrintPages.h"
#include "batch/output/StagedOutputs.h"
#include "batch/TextOnly.h"

#include "diplomafile/DiplomaRecord.h"
#include "editor/TemplateCatalogue.h"
#include "platform/DataLocation.h"
#include "platform/IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <cstdio>
#include <unistd.h>

namespace druk {

namespace {

// A file named on the command line or found for it must be a readable file.
void requireFile(const QString &path, const QString &what)
{
    if (!QFileInfo(path).isFile())
        throw Failure(path, QFileInfo::exists(path) ? QStringLiteral("to nie jest plik")
                                                    : QStringLiteral("nie ma takiego pliku (%1)").arg(what));
}

// Only the record is read: whatever follows it, however large, is not.
diplomafile::DiplomaContent readDiploma(const QString &path)
{
    requireFile(path, QStringLiteral("plik dyplomu"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(openFailureText(path)));
    const QByteArray bytes = file.read(diplomafile::RecordLayout::Size);
    if (bytes.size() < diplomafile::RecordLayout::Size)
        throw Failure(path, QStringLiteral("uszkodzony plik dyplomu: %1 bajtów zamiast %2")
                                .arg(bytes.size())
                                .arg(diplomafile::RecordLayout::Size));
    return diplomafile::parseDiplomaRecord(bytes);
}

// The editor's own loader, with its size limit, and errors that name the file.
wmf::Metafile readTemplate(const QString &path, const QString &what)
{
    requireFile(path, what);
    try {
        return editor::loadTemplatePicture(path);
    } catch (const platform::IoError &e) {
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(openFailureText(path)));
    } catch (const std::exception &e) {
        throw Failure(path, QStringLiteral("uszkodzony wzór (%1)").arg(exceptionText(e)));
    }
}

// A template the player only partly reads prints in part: say so, or with
// --scisle refuse before anything is written.
void checkTemplateDamage(const QString &path, const wmf::Metafile &picture, bool strict,
                         const std::function<void(const QString &)> &warn)
{
    if (!picture.isDamaged())
        return;
    if (strict)
        throw Failure(path,
                      QStringLiteral("uszkodzony wzór (%1); --scisle: nic nie zostało zapisane").arg(picture.damage()));
    if (warn)
        warn(QStringLiteral("uwaga: %1: uszkodzony wzór, drukuję to, co da się odczytać (%2)").arg(path, picture.damage()));
}

printing::PrintInput inputFor(const diplomafile::DiplomaContent &content, const wmf::Metafile &picture,
                              const Options &options)
{
    printing::PrintInput in;
    in.texts = content.texts;
    in.heading = content.heading;
    in.body = content.body;
    in.recipient = content.recipient;
    in.picture = picture;
    in.templateLeft = options.templateLeft;
    in.templateTop = options.templateTop;
    in.textBackground = !options.noTextBackground;
    return in;
}

// The folders a run made for its outputs, removed again (when empty) if
// the run fails.
class CreatedFolders {
public:
    ~CreatedFolders()
    {
        if (!kept_)
            for (const QString &dir : created_)
                QDir().rmdir(dir);
    }
    void make(const QString &path)
    {
        QStringList missing;
        for (QString dir = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(dir);
             dir = QFileInfo(dir).path())
            missing.append(dir);
        if (!QDir().mkpath(path))
            throw Failure(path, QStringLiteral("nie można utworzyć katalogu"));
        created_ += missing; // deepest first
    }
    void keep() { kept_ = true; }

private:
    QStringList created_;
    bool kept_ = false;
};

void toPdf(OutputFile &file, const QList<Page> &pages, const printing::SheetGeometry &geometry,
           const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress,
           const QString &title)
{
    OffPageTexts offPage;
    CompactPdfWriter(geometry, pages.first().input).write(file, pages, offPage, progress, title);
    for (const QString &line : offPage.warnings())
        warn(line);
}

// The printer's own sheet and printable area at its resolution.
printing::SheetGeometry geometryOf(const QPrinter &printer)
{
    printing::SheetGeometry g;
    g.dpi = printer.resolution();
    g.sheet = printer.pageLayout().fullRectPixels(g.dpi).size();
    g.printable = printer.pageLayout().paintRectPixels(g.dpi);
    return g;
}

} // namespace

QList<Page> loadPages(const Options &options, QList<InputFile> *inputs,
                      const std::function<void(const QString &)> &warn, batch::ClassSummary *summary)
{
    if (inputs) {
        inputs->append({options.diploma, QStringLiteral("plik dyplomu")});
        inputs->append({options.list, QStringLiteral("lista")});
    }
    const diplomafile::DiplomaContent content = readDiploma(options.diploma);
    QStringList problems;
    const QString folder = platform::templatesFolder(options.templatesDir, platform::processDataEnvironment(), &problems);
    for (const QString &problem : problems)
        warn(problem);
    const QString templatePath = editor::templateFileIn(folder, content.templateNumber);
    const wmf::Metafile picture = readTemplate(
        templatePath, QStringLiteral("wzór nr %1 z pliku %2").arg(content.templateNumber).arg(options.diploma));
    if (inputs)
        inputs->append({templatePath, QStringLiteral("wzór")});
    checkTemplateDamage(templatePath, picture, options.strict, warn);

    QList<Page> pages;
    batch::ClassSummary figures = batch::buildClassList(
        inputFor(content, picture, options), classListSettings(options, templatePath, content.templateNumber),
        [&](batch::ClassPage &&p) { pages.append(pageOf(std::move(p), int(pages.size()))); });
    if (summary)
        *summary = std::move(figures);
    return pages;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError &e) {
        err << "dyplom-druk: " << QString::fromUtf8(e.what()) << "\n"
            << "Pomoc / help: dyplom-druk --help\n";
        err.flush();
        return 2;
    }
    if (options.help) {
        out << helpText();
        out.flush();
        return 0;
    }

    bool warnedOnce = false;
    bool lineOpen = false; // a progress line without its line break
    const auto warnLine = [&](const QString &line) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << line << "\n";
        lineOpen = false;
        err.flush();
    };
    const auto warn = [&](const QString &line) {
        if (!warnedOnce)
            warnLine(line);
    };
    const bool terminal = ::isatty(STDERR_FILENO);
    const auto progress = [&](int done, int total) {
        if (!terminal || total < 2)
            return;
        err << "\rdyplom-druk: strona " << done << " z " << total << (done == total ? "\n" : "");
        err.flush();
        lineOpen = done != total;
    };

    // Declared first, removed last: the files of a failed run go before
    // the folders made for them.
    CreatedFolders folders;
    StagedOutputs outputs;
    outputs.setOverwrite(options.overwrite);
    try {
        if (runCalibration(options, outputs, err)) {
            outputs.commitAll();
            err.flush();
            return 0;
        }
        QList<Page> pages;
        QList<InputFile> inputs;
        batch::ClassSummary summary;
        if (!options.diploma.isEmpty())
            pages = loadPages(options, &inputs, warnLine, &summary);
        if (options.textOnly)
            pages = withoutTemplate(pages); // read and checked as ever, never drawn
        if (options.lists.check) {
            for (const QString &line : batch::checkReport(summary))
                err << line << "\n";
            err.flush();
            return summary.needsAttention() ? 1 : 0;
        }
        if (!options.diploma.isEmpty()) {
            if (options.strict && !summary.firstFitProblem().isEmpty())
                throw Failure(options.list.isEmpty() ? options.diploma : options.list,
                              summary.firstFitProblem() + QStringLiteral("; --scisle: nic nie zostało zapisane"));
            for (const QString &line : runWarnings(summary))
                warnLine(line);
            warnedOnce = true; // texts off the sheet are said above, once for the run
        }
        const QString wzory = platform::templatesFolder(options.templatesDir, platform::processDataEnvironment());
        if (!options.catalogue.isEmpty())
            for (const TemplateFile &t : templateFiles(wzory))
                inputs.append({t.path, QStringLiteral("wzór")});
        for (const InputFile &input : inputs)
            outputs.protect(input.path, input.what);

        QString catalogueDone;
        if (!options.catalogue.isEmpty()) {
            const int count = writeCatalogue(wzory, outputs.stage(options.catalogue), warnLine);
            catalogueDone = QStringLiteral("dyplom-druk: katalog %1 wzorów: %2\n").arg(count).arg(options.catalogue);
        }

        const printing::SheetGeometry geometry = printing::SheetGeometry::a4(options.printerDpi, options.printableMm);

        // The document title of a whole list's PDF: the diploma's heading.
        const QString heading = options.diploma.isEmpty() ? QString() : readDiploma(options.diploma).texts.heading;
        if (!options.output.isEmpty()) {
            toPdf(outputs.stage(options.output), pages, geometry, warn, progress, heading);
            warnedOnce = true;
        }

        if (!options.separateDir.isEmpty()) {
            followLinks(options.separateDir); // no link planted by another user
            folders.make(options.separateDir);
            OffPageTexts offPage; // over all the files: a heading too wide is said once
            writeSeparatePdfs(outputs, options.separateDir, pages, geometry, options.overwrite, offPage, progress);
            for (const QString &line : offPage.warnings())
                warn(line);
            warnedOnce = true;
        }

        if (!options.pngDir.isEmpty()) {
            followLinks(options.pngDir);
            folders.make(options.pngDir);
            const QDir dir(options.pngDir);
            ImageTarget target(geometry, options.pngDpi, outputs, [&](int page) {
                return dir.filePath(QStringLiteral("strona-%1.png").arg(page + 1, 3, 10, QLatin1Char('0')));
            });
            printing::SheetDevice device(geometry, target);
            printPages(device, pages, warn, progress);
            warnedOnce = true;
        }

        if (options.toPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setPrinterName(printerQueue(options.printerName));
            printer.setPageSize(QPageSize(QPageSize::A4));
            if (options.printerDpiGiven)
                printer.setResolution(options.printerDpi);
            // The compact PDF of the whole list goes to the queue as one job.
            OffPageTexts offPage;
            printAsOneJob(printer.printerName(), pages, geometryOf(printer), heading,
                          QFileInfo(options.diploma).fileName(), offPage, progress, {},
                          CalibrationStore().forPrint(printer.printerName(), options.correction));
            for (const QString &line : offPage.warnings())
                warn(line);
        }

        // Every output is whole: only now are they put in place.
        outputs.commitAll();
        folders.keep();
        err << catalogueDone;
        if (summary.hasList)
            err << "dyplom-druk: " << batch::shortSummary(summary) << "\n";
        err.flush();
        return 0;
    } catch (const batch::TableError &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << QString::fromUtf8(e.what()) << "\n";
    } catch (const Failure &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << QString::fromUtf8(e.what()) << "\n";
    } catch (const std::exception &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << options.diploma << ": " << exceptionText(e) << "\n";
    }
    err.flush();
    return 1;
}

} // namespace druk
