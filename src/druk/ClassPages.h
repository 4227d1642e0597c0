#pragma once
#include "Options.h"

#include "batch/ClassList.h"

namespace druk {

// What the batch library needs of the command line to make a class's pages.
batch::ClassListSettings classListSettings(const Options &options, const QString &templatePath, int templateNumber);

// The lines a real run says before writing (without the program's prefix):
// reading and merging warnings, texts shrunk, texts over the border or off
// the sheet, characters no font draws, the note on a template without a
// free area.
QStringList runWarnings(const batch::ClassSummary &summary);

} // namespace druk
