#include "SheetRows.h"

#include "CellText.h"

namespace batch {

namespace {
constexpr qint64 kMaxRowNumber = qint64(1) << 26;
constexpr qint64 kMaxColumnNumber = qint64(1) << 24;
} // namespace

SheetRows::SheetRows(const QString &fileName, const QString &sheet, const ReadLimits &limits)
    : fileName_(fileName), sheet_(sheet), limits_(limits)
{
    table_.sheet = sheet;
}

void SheetRows::fail(const QString &fileName, const QString &sheet, const QString &what)
{
    throw TableError(QStringLiteral("%1, arkusz „%2”: %3").arg(fileName, sheet, what));
}

void SheetRows::fail(const QString &what, qint64 column) const
{
    if (column < 0)
        fail(fileName_, sheet_, what);
    throw TableError(
        QStringLiteral("%1, arkusz „%2”, komórka %3: %4").arg(fileName_, sheet_, celltext::cellName(column, row_), what));
}

void SheetRows::beginRow(qint64 number, qint64 repeat)
{
    flushRow();
    if (number < row_ + repeat_ || number < 1)
        fail(QStringLiteral("wiersz %1 po wierszu %2 — uszkodzony arkusz").arg(number).arg(row_ + repeat_ - 1));
    // A sheet has at most 16 million rows; four times that is a damaged or hostile file.
    if (repeat < 1 || number > kMaxRowNumber || repeat > kMaxRowNumber)
        fail(QStringLiteral("niemożliwy numer wiersza %1 — uszkodzony arkusz").arg(number));
    row_ = number;
    repeat_ = repeat;
    nextColumn_ = 0;
}

void SheetRows::setCell(qint64 column, const QString &text, qint64 repeat)
{
    if (row_ == 0)
        beginRow(1);
    if (column < nextColumn_ || repeat < 1)
        fail(QStringLiteral("komórki w złej kolejności — uszkodzony arkusz"), column);
    // Sheets have at most 16384 columns; far more is a damaged or hostile file.
    if (column > kMaxColumnNumber || repeat > kMaxColumnNumber)
        fail(QStringLiteral("niemożliwy numer kolumny — uszkodzony arkusz"));
    nextColumn_ = column + repeat;
    if (text.isEmpty())
        return;
    if (column + repeat > limits_.maxColumns)
        fail(QStringLiteral("więcej niż %1; taki arkusz nie jest listą klasy")
                 .arg(celltext::counted(limits_.maxColumns, "kolumna", "kolumny", "kolumn")),
             qMax<qint64>(column, limits_.maxColumns));
    if (text.size() > limits_.maxCellChars)
        fail(QStringLiteral("tekst dłuższy niż %1").arg(celltext::counted(limits_.maxCellChars, "znak", "znaki", "znaków")),
             column);
    while (cells_.size() < column)
        cells_.append(QString());
    for (qint64 i = 0; i < repeat; ++i)
        cells_.append(text);
}

void SheetRows::flushRow()
{
    if (cells_.isEmpty())
        return;
    if (table_.rows.size() + repeat_ > limits_.maxRows)
        fail(QStringLiteral("więcej niż %1; dłuższej listy nie czytamy (nic nie pominięto po cichu)")
                 .arg(celltext::counted(limits_.maxRows, "wiersz", "wiersze", "wierszy")));
    // Empty rows between filled ones are the user's blank lines; those after
    // the last filled row are just the rest of the sheet.
    table_.skippedEmptyRows += int(row_ - lastFilled_ - 1);
    for (qint64 i = 0; i < repeat_; ++i) {
        table_.rows.append(cells_);
        table_.origins.append(RowOrigin{int(row_ + i), sheet_});
    }
    table_.columnCount = qMax(table_.columnCount, int(cells_.size()));
    lastFilled_ = row_ + repeat_ - 1;
    cells_.clear();
}

Table SheetRows::finish()
{
    flushRow();
    row_ += repeat_;
    repeat_ = 0;
    return std::move(table_);
}

} // namespace batch
