#pragma once
#include "batch/compose/OffPageTexts.h"
#include "batch/Page.h"
#include "batch/output/PrintCorrection.h"

#include "printing/SheetDevice.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <stdexcept>

namespace druk {

class StagedOutputs;

// What a class run makes of its pages.
enum class BatchOutput {
    OnePdf,     // one compact PDF of every page
    PdfPerPage, // a folder, one PDF per pupil named after the pupil
    PrintJob,   // one compact PDF sent to a print queue as one job
};

struct BatchPlan {
    BatchOutput output = BatchOutput::OnePdf;
    QString path;           // the PDF, or the folder of PdfPerPage
    bool overwrite = false; // as --nadpisz
    QString title;          // document title of a whole list's PDF (the heading)
    printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    QList<InputFile> inputs; // files no output may replace
    QString printer;         // PrintJob: the queue
    QString jobTitle;        // PrintJob: the job's name in the queue
    int copies = 1;          // PrintJob: jobs sent

    bool textOnly = false;      // the texts without the template (pre-printed paper)
    PrintCorrection correction; // PrintJob: the queue's calibration; files are never corrected
};

struct BatchResult {
    int pages = 0;
    QStringList files;    // what was written, in order
    QStringList warnings; // texts off the printable area
};

// The run was cancelled between two pages; nothing was put in place.
class Cancelled : public std::runtime_error {
public:
    Cancelled() : std::runtime_error("przerwano") {}
};

using PrintSubmit = std::function<void(const QString &printer, const QString &pdf, const QString &title)>;

// The file names of a PdfPerPage run, in page order (from the recipients,
// made safe and unique).
QStringList perPageFileNames(const QList<Page> &pages);

// One PDF per page in dir, staged in outputs. Without overwrite an
// existing name fails the run before anything is written. progress after
// every file. Throws Failure.
void writeSeparatePdfs(StagedOutputs &outputs, const QString &dir, const QList<Page> &pages,
                       const printing::SheetGeometry &geometry, bool overwrite, OffPageTexts &offPage,
                       const std::function<void(int, int)> &progress);

// The compact PDF of pages sent to printer as one job through submit
// (sendToPrinter unless given), drawn through correction. Throws Failure.
void printAsOneJob(const QString &printer, const QList<Page> &pages, const printing::SheetGeometry &geometry,
                   const QString &title, const QString &jobTitle, OffPageTexts &offPage,
                   const std::function<void(int, int)> &progress, const PrintSubmit &submit = {},
                   const PrintCorrection &correction = {});

// Runs plan for pages: outputs staged and put in place only when all of
// them were written whole; a failure or a cancel leaves every earlier file
// as it was and no temporary file behind. cancel is read between pages and
// between files (any thread may set it); progress(done, total) is called on
// the calling thread. One run at a time in a process: a second one waits
// (the staged files' list is process-wide). Throws Failure or Cancelled.
BatchResult runBatch(const BatchPlan &plan, const QList<Page> &pages, const std::function<void(int, int)> &progress,
                     const std::atomic_bool *cancel = nullptr, const PrintSubmit &submit = {});

} // namespace druk
