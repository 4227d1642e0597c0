#include "CupsJob.h"

#include "Failure.h"

#include <cups/cups.h>

namespace batch {

void sendToPrinter(const QString &printer, const QString &pdf, const QString &title)
{
    cups_option_t *options = nullptr;
    int count = cupsAddOption("media", "A4", 0, &options);
    count = cupsAddOption("document-format", "application/pdf", count, &options);
    const int job = cupsPrintFile(printer.toUtf8().constData(), pdf.toLocal8Bit().constData(),
                                  title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw Failure(
            printer, QStringLiteral("drukarka nie przyjęła zadania (%1)").arg(QString::fromUtf8(cupsLastErrorString())));
}

} // namespace batch
