#pragma once
#include "batch/Page.h"

#include <QList>
#include <QString>
#include <functional>

namespace printing {
class PrinterDevice;
}

namespace batch {

class OffPageTexts;

// Prints every page on device, one job per page, through the print
// command's own code, gathering the texts that run off the printable area
// in offPage; progress(done, total) after every page.
void printPages(printing::PrinterDevice &device, const QList<Page> &pages, OffPageTexts &offPage,
                const std::function<void(int, int)> &progress = {});
// The same, with warn getting, after the last page, the warnings of
// OffPageTexts.
void printPages(printing::PrinterDevice &device, const QList<Page> &pages,
                const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress = {});

} // namespace batch
