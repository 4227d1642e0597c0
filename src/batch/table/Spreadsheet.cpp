#include "Spreadsheet.h"

namespace batch {

bool isSpreadsheet(const QByteArray &firstBytes)
{
    return firstBytes.startsWith("PK\x03\x04") || firstBytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

Table readSpreadsheet(const QByteArray &, const QString &fileName, const ReadOptions &, const ReadLimits &)
{
    throw TableError(QStringLiteral("%1: arkusze kalkulacyjne nie są jeszcze obsługiwane").arg(fileName));
}

} // namespace batch
