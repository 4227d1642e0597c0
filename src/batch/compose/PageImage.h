#pragma once
#include "printing/PrintDiploma.h"
#include "printing/SheetDevice.h"

#include <QImage>
#include <QStringList>

namespace batch {

// One page drawn into a picture at dpi through the print command's own
// code (printDiploma on a SheetDevice), as --png draws it: the class
// window's preview is the print path at a lower resolution. Safe on any
// thread. offPage, when given, gets the texts off the printable area.
// A null image when the picture cannot be made (too large); throws what
// printDiploma throws for a template that cannot be drawn.
QImage pageImage(const printing::PrintInput &page, const printing::SheetGeometry &geometry, int dpi,
                 QStringList *offPage = nullptr);

} // namespace batch
