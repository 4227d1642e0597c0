#pragma once
#include <QString>

namespace batch {

// Sends a finished PDF to a CUPS queue as one job on A4 paper. Throws
// Failure naming the printer when CUPS refuses the job.
void sendToPrinter(const QString &printer, const QString &pdf, const QString &title);

} // namespace batch
