#pragma once
#include "Options.h"

#include "batch/ClassList.h"
#include "batch/Page.h"
#include "batch/output/Register.h"

#include <QList>
#include <QTextStream>
#include <functional>

namespace druk {

// What a run of kinds of diploma, with a register or a handout list,
// needs besides its pages.
struct CeremonyRun {
    const batch::DiplomaRegister *earlier = nullptr; // the register read: a reprint keeps its numbers
    int firstNumber = 0;                             // {Nr} of the first new diploma; 0: --numer-od's
    bool mixedTemplates = false;                     // set: the kinds' templates differ
    QList<batch::IssuedDiploma> issued;              // set: the diplomas in list order, without their file
};

// The pages of a run: the diploma file, its template from Wzory below the
// current directory, and the records of the list merged in and fitted
// (batch::buildClassList). inputs, when given, gets every file read;
// summary the figures of the list, heading the diploma's own heading. A
// damaged template (records skipped or cut short) is a Failure with
// --scisle, else a line to warn. Throws Failure, or batch::TableError for a
// list that cannot be used.
QList<batch::Page> loadPages(const Options &options, QList<batch::InputFile> *inputs = nullptr,
                             const std::function<void(const QString &)> &warn = {},
                             batch::ClassSummary *summary = nullptr, QString *heading = nullptr,
                             CeremonyRun *ceremony = nullptr);

// The whole program: returns the exit status (0, 1 or 2).
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace druk
