#pragma once
#include "batch/compose/OffPageTexts.h"
#include "Options.h"

#include "batch/ClassList.h"
#include "printing/PrintDiploma.h"

#include <QList>
#include <QTextStream>
#include <functional>

namespace printing {
class PrinterDevice;
}

namespace druk {

// One page to print and where it comes from.
struct Page {
    printing::PrintInput input;
    int line = 0;   // line of the list, 0 without a list
    int record = 0; // index in the list, from 0
};

// A file the run reads, which no output may replace.
struct InputFile {
    QString path;
    QString what; // e.g. "plik dyplomu"
};

// The pages of a run: the diploma file, its template from Wzory below the
// current directory, and the records of the list merged in and fitted
// (batch::buildClassList). inputs, when given, gets every file read;
// summary the figures of the list. A damaged template (records skipped or
// cut short) is a Failure with --scisle, else a line to warn. Throws
// Failure, or batch::TableError for a list that cannot be used.
QList<Page> loadPages(const Options &options, QList<InputFile> *inputs = nullptr,
                      const std::function<void(const QString &)> &warn = {}, batch::ClassSummary *summary = nullptr);

// Prints every page on device, one job per page, through the print
// command's own code, gathering the texts that run off the printable area
// in offPage; progress(done, total) after every page.
void printPages(printing::PrinterDevice &device, const QList<Page> &pages, OffPageTexts &offPage,
                const std::function<void(int, int)> &progress = {});
// The same, with warn getting, after the last page, the warnings of
// OffPageTexts.
void printPages(printing::PrinterDevice &device, const QList<Page> &pages,
                const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress = {});

// The whole program: returns the exit status (0, 1 or 2).
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace druk
