#include "PrinterGeometry.h"

#include <QPrinter>

namespace printing {

SheetGeometry printerGeometry(const QPrinter &printer)
{
    SheetGeometry g;
    g.dpi = printer.resolution();
    g.sheet = printer.pageLayout().fullRectPixels(g.dpi).size();
    g.printable = printer.pageLayout().paintRectPixels(g.dpi);
    return g;
}

} // namespace printing
