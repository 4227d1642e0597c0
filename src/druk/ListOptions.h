#pragma once
#include "Options.h"

namespace druk {

// Takes the current argument when it is one of the list options; false
// when it is not. Throws UsageError for a bad value.
bool parseListOption(platform::ArgumentCursor &args, ListOptions &lists);

// Refuses list options without a list, once every argument is read.
void checkListOptions(const ListOptions &lists, bool hasList);

// The --help lines of the list options (Polish, then English).
QString listOptionsHelpPolish();
QString listOptionsHelpEnglish();
// The paragraph on lists, fields and encodings.
QString listHelpPolish();
QString listHelpEnglish();

} // namespace druk
