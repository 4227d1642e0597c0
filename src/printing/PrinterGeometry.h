#pragma once
#include "printing/SheetDevice.h"

class QPrinter;

namespace printing {

// The printer's own sheet and printable area at its resolution, for the
// pages of a print job drawn off the printer.
SheetGeometry printerGeometry(const QPrinter &printer);

} // namespace printing
