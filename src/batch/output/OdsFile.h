#pragma once
#include <QByteArray>
#include <QList>
#include <QStringList>

namespace batch {

// A spreadsheet of one sheet named sheet, as the bytes of an .ods file:
// every cell text, a whole number in a column of numberColumns a number.
// The zip is stored without compression (registers are small).
QByteArray odsFile(const QString &sheet, const QList<QStringList> &rows, const QList<int> &numberColumns = {});

} // namespace batch
