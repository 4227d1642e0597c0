#pragma once
#include "batch/compose/OffPageTexts.h"
#include "batch/compose/SheetLayout.h"
#include "batch/Page.h"
#include "batch/output/PrintCorrection.h"
#include "batch/output/Register.h"

#include "platform/UserError.h"
#include "printing/SheetDevice.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace batch {

class StagedOutputs;

// What a run makes of its pages.
enum class BatchOutput {
    OnePdf,     // one compact PDF of every page
    PdfPerPage, // a folder, one PDF per pupil named after the pupil
    Pictures,   // a folder, one PNG per page (strona-001.png …)
    PrintJob,   // one compact PDF sent to a print queue as one job
    Catalogue,  // a PDF of every template of a folder; needs no pages
    Register,   // the register of issued diplomas with the plan's lines added
    Handout,    // the handout list of the plan's diplomas (a PDF)
};

// One output of a plan.
struct PlannedOutput {
    PlannedOutput() = default;
    PlannedOutput(BatchOutput k, const QString &p) : kind(k), path(p) {}
    BatchOutput kind = BatchOutput::OnePdf;
    QString path; // the file ("-": standard output) or the folder
    printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    int pictureDpi = 150;       // Pictures
    QString printer;            // PrintJob: the queue
    QString jobTitle;           // PrintJob: the job's name in the queue
    int copies = 1;             // PrintJob: jobs sent
    QStringList stems;          // PdfPerPage: each page's file name before ".pdf"; empty: the recipients
    QString templatesFolder;    // Catalogue
    PrintCorrection correction; // PrintJob: the queue's calibration; files are never corrected
};

// Everything one run writes: its outputs are written in order and put in
// place together, or none of them is.
struct BatchPlan {
    QList<PlannedOutput> outputs;
    bool overwrite = false;  // as --nadpisz
    bool textOnly = false;   // the texts without the template (pre-printed paper)
    QString title;           // document title of a whole list's PDF (the heading)
    SheetLayout layout;      // the diplomas' paper and how many share a sheet (PDFs and print jobs)
    int firstPosition = 1;   // the first diploma's position on the first sheet of -o and -P (from 1)
    QList<InputFile> inputs; // files no output may replace
    // Pages of several templates (kinds of diploma): each drawn whole, not
    // over one drawing shared by every page.
    bool mixedTemplates = false;
    DiplomaRegister diplomaRegister; // Register: as read before the run
    QList<IssuedDiploma> issued;     // Register and Handout: the run's diplomas, in list order
    QString handoutTitle;            // Handout: what the list is of (the class list's name)
};

struct BatchResult {
    int pages = 0;
    QStringList files;    // what was written, in order
    QStringList warnings; // texts off the printable area
    int templates = 0;    // in the catalogue
};

// The run was cancelled between two pages; nothing was put in place.
using Cancelled = platform::Cancelled;

using PrintSubmit = std::function<void(const QString &printer, const QString &pdf, const QString &title)>;

// The file names of a PdfPerPage run, in page order (from stems, one per
// page, or else the recipients, made safe and unique).
QStringList perPageFileNames(const QList<Page> &pages, const QStringList &stems = {});

// One PDF per page in dir, staged in outputs, holding the page's copies on
// the sheets of layout (each page drawn whole with mixedTemplates). Without overwrite an
// existing name fails the run before anything is written. progress after
// every file. Throws Failure.
void writeSeparatePdfs(StagedOutputs &outputs, const QString &dir, const QList<Page> &pages,
                       const printing::SheetGeometry &geometry, bool overwrite, OffPageTexts &offPage,
                       const std::function<void(int, int)> &progress, const QStringList &stems = {},
                       const SheetLayout &layout = {}, bool mixedTemplates = false);

// The compact PDF of pages sent to printer as one job through submit
// (sendToPrinter unless given), drawn through correction, on the sheets of
// layout from position start. Throws Failure.
void printAsOneJob(const QString &printer, const QList<Page> &pages, const printing::SheetGeometry &geometry,
                   const QString &title, const QString &jobTitle, OffPageTexts &offPage,
                   const std::function<void(int, int)> &progress, const PrintSubmit &submit = {},
                   const PrintCorrection &correction = {}, const SheetLayout &layout = {}, int start = 1,
                   bool mixedTemplates = false);

// Runs plan for pages: outputs staged and put in place only when all of
// them were written whole; a failure or a cancel leaves every earlier file
// as it was, no temporary file and no folder the run made behind. cancel is
// read between pages and between files (any thread may set it);
// progress(done, total) is called on the calling thread for each output's
// pages, warn with what the catalogue says of a damaged template. One run at
// a time in a process: a second one waits (the staged files' list is
// process-wide). Throws Failure or Cancelled.
BatchResult runBatch(const BatchPlan &plan, const QList<Page> &pages, const std::function<void(int, int)> &progress,
                     const std::atomic_bool *cancel = nullptr, const PrintSubmit &submit = {},
                     const std::function<void(const QString &)> &warn = {});

} // namespace batch
