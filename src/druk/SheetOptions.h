#pragma once
#include "Options.h"

namespace druk {

// Takes the current argument when it is one of --papier, --poziomo,
// --na-arkuszu, --od-pozycji; false when it is not. Throws UsageError for
// a bad value.
bool parseSheetOption(platform::ArgumentCursor &args, SheetOptions &sheets);

// Refuses what the paper options cannot do together with the others, once
// every argument is read.
void checkSheetOptions(const Options &options);

// The --help lines of these options (Polish, then English).
QString sheetOptionsHelpPolish();
QString sheetOptionsHelpEnglish();

} // namespace druk
