#include "PrintPages.h"

#include "OffPageTexts.h"

#include "printing/PainterDevice.h"

namespace batch {

void printPages(printing::PrinterDevice &device, const QList<Page> &pages, OffPageTexts &offPage,
                const std::function<void(int, int)> &progress)
{
    auto *painterDevice = dynamic_cast<printing::PainterDevice *>(&device);
    for (int i = 0; i < pages.size(); ++i) {
        printing::printDiploma(device, pages[i].input);
        if (painterDevice)
            offPage.add(pages[i].record, pages[i].line, painterDevice->textsOffThePage());
        if (progress)
            progress(i + 1, int(pages.size()));
    }
}

void printPages(printing::PrinterDevice &device, const QList<Page> &pages,
                const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress)
{
    OffPageTexts offPage;
    printPages(device, pages, offPage, progress);
    if (warn)
        for (const QString &line : offPage.warnings())
            warn(line);
}

} // namespace batch
