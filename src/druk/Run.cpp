#include "Run.h"

#include "Calibration.h"
#include "ClassPages.h"
#include "RunPlan.h"

#include "batch/TextOnly.h"
#include "batch/Texts.h"
#include "batch/compose/Catalogue.h"
#include "batch/output/ErrorTexts.h"
#include "batch/output/Failure.h"
#include "batch/output/StagedOutputs.h"
#include "batch/run/BatchRun.h"
#include "batch/merge/BuiltinFields.h"
#include "batch/run/DiplomaFiles.h"
#include "editor/TemplateCatalogue.h"
#include "editor/uklady/DesignTable.h"
#include "platform/DataLocation.h"
#include "platform/TemplateFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <numeric>
#include <unistd.h>

namespace druk {

namespace {

// A template the player only partly reads prints in part: say so, or with
// --scisle refuse before anything is written.
void checkTemplateDamage(const QString &path, const wmf::Metafile &picture, bool strict,
                         const std::function<void(const QString &)> &warn)
{
    if (!picture.isDamaged())
        return;
    if (strict)
        throw batch::Failure(
            path, QStringLiteral("uszkodzony wzór (%1); --scisle: nic nie zostało zapisane").arg(picture.damage()));
    if (warn)
        warn(QStringLiteral("uwaga: %1: uszkodzony wzór, drukuję to, co da się odczytać (%2)").arg(path, picture.damage()));
}

// A design the layout table draws landscape is printed on landscape paper,
// unless the run draws A4 pages as they are (--png, --obszar).
void followDesignOrientation(Options &options, const std::function<void(const QString &)> &say)
{
    if (options.diploma.isEmpty() || options.sheets.layout.landscape || !options.pngDir.isEmpty()
        || !options.printableMm.isEmpty())
        return;
    const QStringList files = options.ceremony.kinds.isEmpty() ? QStringList{options.diploma}
                                                               : options.ceremony.kinds.files();
    const int number = batch::readDiplomaFile(files.first()).templateNumber;
    const QString folder = platform::templatesFolder(options.templatesDir, platform::processDataEnvironment());
    if (!uklady::layoutTableFor(folder, nullptr).value(number).landscape)
        return;
    batch::SheetLayout turned = options.sheets.layout;
    turned.landscape = true;
    if (!batch::layoutError(turned).isEmpty())
        return;
    options.sheets.layout = turned;
    say(QStringLiteral("wzór nr %1 jest poziomy: dyplomy na papierze poziomym").arg(number));
}

// One file per pupil: each register line names its own. The lines are in
// record order, one per page.
void nameSeparateFiles(QList<batch::IssuedDiploma> &issued, const QList<batch::Page> &pages, const QString &folder)
{
    if (issued.size() != pages.size())
        return;
    const QStringList names = batch::perPageFileNames(pages);
    QList<int> byRecord(pages.size());
    std::iota(byRecord.begin(), byRecord.end(), 0);
    std::stable_sort(byRecord.begin(), byRecord.end(), [&](int a, int b) { return pages[a].record < pages[b].record; });
    for (int i = 0; i < issued.size(); ++i)
        issued[i].file = QDir(folder).filePath(names[byRecord[i]]);
}

} // namespace

QList<batch::Page> loadPages(const Options &options, QList<batch::InputFile> *inputs,
                             const std::function<void(const QString &)> &warn, batch::ClassSummary *summary,
                             QString *heading, CeremonyRun *ceremony)
{
    const batch::DiplomaKinds &kinds = options.ceremony.kinds;
    const QStringList files = kinds.isEmpty() ? QStringList{options.diploma} : kinds.files();
    QStringList problems;
    const QString folder = platform::templatesFolder(options.templatesDir, platform::processDataEnvironment(), &problems);
    for (const QString &problem : problems)
        warn(problem);
    QList<batch::KindDiploma> diplomas;
    batch::ClassListSettings settings;
    for (const QString &file : files) {
        if (inputs)
            inputs->append({file, QStringLiteral("plik dyplomu")});
        const diplomafile::DiplomaContent content = batch::readDiplomaFile(file);
        const QString templatePath = editor::templateFileIn(folder, content.templateNumber);
        const wmf::Metafile picture = batch::readTemplateFile(
            templatePath, QStringLiteral("wzór nr %1 z pliku %2").arg(content.templateNumber).arg(file));
        if (inputs && !std::any_of(inputs->cbegin(), inputs->cend(), [&](const batch::InputFile &in) {
                return in.path == templatePath;
            }))
            inputs->append({templatePath, QStringLiteral("wzór")});
        checkTemplateDamage(templatePath, picture, options.strict, warn);

        printing::PrintInput base = batch::printInputOf(content, picture);
        base.templateLeft = options.templateLeft;
        base.templateTop = options.templateTop;
        base.textBackground = !options.noTextBackground;
        if (diplomas.isEmpty()) {
            if (heading)
                *heading = content.texts.heading;
            settings = classListSettings(options, templatePath, content.templateNumber);
        }
        batch::ClassListSettings described;
        described.describeTemplate(templatePath, content.templateNumber);
        if (ceremony && !diplomas.isEmpty() && described.templateKey != diplomas.first().templateKey)
            ceremony->mixedTemplates = true;
        diplomas.append({base, file, described.templateKey, described.templateName});
    }
    if (inputs)
        inputs->append({options.list, QStringLiteral("lista")});
    if (!kinds.isEmpty())
        settings.kindDiplomas = diplomas;
    if (ceremony && ceremony->firstNumber > 0)
        settings.firstNumber = ceremony->firstNumber;
    if (ceremony && ceremony->earlier) {
        const batch::DiplomaRegister *earlier = ceremony->earlier;
        settings.earlierNumber = [earlier](const QString &name, const QString &group, const QString &kind) {
            return earlier->numberOf(name, group, kind);
        };
    }
    const QString date = batch::diplomaDate(options.lists.date, QDate::currentDate()).text;
    QList<batch::Page> pages;
    QList<QPair<int, batch::IssuedDiploma>> issued; // record number → its line
    batch::ClassSummary figures = batch::buildClassList(diplomas.first().base, settings, [&](batch::ClassPage &&p) {
        if (ceremony)
            issued.append(
                {p.number,
                 {p.serial, date, p.name, p.group, QFileInfo(files.value(p.kind)).completeBaseName(), QString()}});
        pages.append(pageOf(std::move(p), int(pages.size())));
    });
    if (ceremony) {
        std::stable_sort(issued.begin(), issued.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &line : std::as_const(issued))
            ceremony->issued.append(line.second);
    }
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

    bool lineOpen = false; // a progress line without its line break
    const auto warnLine = [&](const QString &line) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << line << "\n";
        lineOpen = false;
        err.flush();
    };
    const bool terminal = ::isatty(STDERR_FILENO);
    const auto progress = [&](int done, int total) {
        if (!terminal || total < 2)
            return;
        err << "\rdyplom-druk: strona " << done << " z " << total << (done == total ? "\n" : "");
        err.flush();
        lineOpen = done != total;
    };

    try {
        batch::StagedOutputs sheet; // the calibration sheet's file, put in place when whole
        sheet.setOverwrite(options.overwrite);
        if (runCalibration(options, sheet, err)) {
            sheet.commitAll();
            err.flush();
            return 0;
        }
        QList<batch::Page> pages;
        QList<batch::InputFile> inputs;
        batch::ClassSummary summary;
        QString heading; // the document title of a whole list's PDF
        // A register that cannot be read refuses the run before anything is made.
        const CeremonyOptions &ceremonyOptions = options.ceremony;
        batch::DiplomaRegister earlier;
        CeremonyRun ceremony;
        if (!ceremonyOptions.registerFile.isEmpty()) {
            earlier = batch::DiplomaRegister::read(ceremonyOptions.registerFile);
            if (!options.lists.rows.isEmpty())
                ceremony.earlier = &earlier; // a reprint keeps its numbers
            if (!options.lists.firstNumberGiven)
                ceremony.firstNumber = earlier.highest() + 1;
        }
        followDesignOrientation(options, warnLine);
        if (!options.diploma.isEmpty())
            pages = loadPages(options, &inputs, warnLine, &summary, &heading, &ceremony);
        if (options.textOnly)
            pages = batch::withoutTemplate(pages); // read and checked as ever, never drawn
        if (options.lists.check) {
            for (const QString &line : batch::checkReport(summary))
                err << line << "\n";
            err.flush();
            return summary.needsAttention() ? 1 : 0;
        }
        if (!options.diploma.isEmpty()) {
            if (options.strict && !summary.strictProblem().isEmpty())
                throw batch::Failure(options.list.isEmpty() ? options.diploma : options.list,
                                     summary.strictProblem() + QStringLiteral("; --scisle: nic nie zostało zapisane"));
            // Texts off the sheet are said here, once for the run.
            for (const QString &line : runWarnings(summary))
                warnLine(line);
        }
        const QString wzory = platform::templatesFolder(options.templatesDir, platform::processDataEnvironment());
        if (!options.catalogue.isEmpty())
            for (const platform::TemplateFile &t : platform::templateFilesIn(wzory))
                inputs.append({t.path, QStringLiteral("wzór")});

        batch::BatchPlan plan = planFor(options, heading, wzory, inputs);
        plan.mixedTemplates = ceremony.mixedTemplates;
        plan.diplomaRegister = earlier;
        plan.issued = ceremony.issued;
        const QString where = !options.output.isEmpty()
                                  ? (options.output == QLatin1String("-") ? QStringLiteral("standardowe wyjście")
                                                                          : options.output)
                              : !options.separateDir.isEmpty() ? options.separateDir
                              : options.toPrinter              ? QStringLiteral("drukarka %1")
                                                        .arg(options.printerName.isEmpty() ? QStringLiteral("domyślna")
                                                                                           : options.printerName)
                                                  : options.pngDir;
        for (batch::IssuedDiploma &line : plan.issued)
            line.file = where;
        if (!options.separateDir.isEmpty())
            nameSeparateFiles(plan.issued, pages, options.separateDir);
        const batch::BatchResult result = runBatch(plan, pages, progress, nullptr, {}, warnLine);
        if (!ceremonyOptions.registerFile.isEmpty())
            err << QStringLiteral("dyplom-druk: rejestr %1: dopisano %2\n")
                       .arg(ceremonyOptions.registerFile,
                            batch::plural(plan.issued.size(), QStringLiteral("wiersz"), QStringLiteral("wiersze"),
                                          QStringLiteral("wierszy")));
        if (!options.catalogue.isEmpty())
            err << QStringLiteral("dyplom-druk: katalog %1 wzorów: %2\n").arg(result.templates).arg(options.catalogue);
        if (summary.hasList)
            err << "dyplom-druk: " << batch::shortSummary(summary) << "\n";
        err.flush();
        return 0;
    } catch (const platform::UserError &e) { // a list that cannot be used, a file that cannot be written…
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << e.message() << "\n";
    } catch (const std::exception &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << options.diploma << ": " << batch::exceptionText(e) << "\n";
    }
    err.flush();
    return 1;
}

} // namespace druk
