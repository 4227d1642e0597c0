#include "HeaderRow.h"

#include "ColumnRoles.h"
#include "FieldText.h"
#include "Merger.h"

#include "batch/Texts.h"

namespace batch {

bool isHeaderRow(const QStringList &cells, const QStringList &fieldNames)
{
    QStringList fieldKeys;
    for (const QString &f : fieldNames)
        fieldKeys.append(columnKey(f));
    for (const QString &cell : cells)
        if (isKnownHeader(cell) || (!cell.isEmpty() && fieldKeys.contains(columnKey(cell))))
            return true;
    return false;
}

int headerRowOf(const Table &table, const QStringList &fieldNames)
{
    const int rows = std::min(int(table.rows.size()), HeaderSearchRows);
    for (int r = 0; r < rows; ++r)
        if (isHeaderRow(table.rows[r], fieldNames))
            return r;
    return -1;
}

QString rowsAboveHeaderWarning(const Table &table, int headerRow, const QString &listName)
{
    const auto lineOf = [&](int row) { return QString::number(table.origins.value(row).line); };
    const QString sheet = table.origins.value(0).sheet;
    QStringList shown;
    for (int r = 0; r < headerRow; ++r) {
        QStringList cells;
        for (const QString &c : table.rows.value(r))
            if (!c.trimmed().isEmpty())
                cells.append(c.simplified());
        shown.append(QStringLiteral("„%1”").arg(quoted(cells.join(QStringLiteral("; ")), 50)));
    }
    const QString rows =
        headerRow == 1
            ? QStringLiteral("wiersz %1 nad nagłówkiem (wiersz %2) pominięty").arg(lineOf(0), lineOf(headerRow))
            : QStringLiteral("wiersze %1–%2 nad nagłówkiem (wiersz %3) pominięte")
                  .arg(lineOf(0), lineOf(headerRow - 1), lineOf(headerRow));
    return QStringLiteral("%1: %2%3: %4")
        .arg(listName, sheet.isEmpty() ? QString() : QStringLiteral("arkusz %1, ").arg(sheet), rows,
             shown.join(QStringLiteral(", ")));
}

QStringList fieldNamesOf(const editor::DiplomaTexts &texts)
{
    QStringList names;
    for (int t = 0; t < TextCount; ++t) {
        try {
            for (const QString &n : FieldText(textAt(texts, t)).fieldNames())
                if (!names.contains(n))
                    names.append(n);
        } catch (const FieldSyntaxError &) {
            // The merge names the text.
        }
    }
    return names;
}

} // namespace batch
