#pragma once
#include "batch/ClassList.h"
#include "printing/PrintDiploma.h"

#include <QString>

namespace batch {

// One page to print and where it comes from.
struct Page {
    printing::PrintInput input;
    int line = 0;   // line of the list, 0 without a list
    int record = 0; // index in the list, from 0
    int copies = 1; // diplomas of this page the run prints (the list's "Liczba")
};

// A file the run reads, which no output may replace.
struct InputFile {
    QString path;
    QString what; // e.g. "plik dyplomu"
};

// A page the batch library made, as the index-th page of a run (its
// record the list's number when it has one).
inline Page pageOf(batch::ClassPage &&page, int index)
{
    return Page{std::move(page.input), page.line, page.number > 0 ? page.number - 1 : index, page.copies};
}

} // namespace batch
