#pragma once
// The designs' occasions and layouts live with the programs that read them.
#include "DesignTable.h"

namespace templateart {

using uklady::DesignInfo;
using uklady::firstInstalledFont;
using uklady::LayoutTableName;
using uklady::Occasion;
using uklady::OccasionName;
using uklady::occasionName;
using uklady::readLayoutTable;
using uklady::SuggestedText;

} // namespace templateart
