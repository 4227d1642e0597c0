#pragma once
#include "Table.h"

// Collects the rows of one sheet into a Table, keeping the limits as it goes:
// cells arrive left to right, rows top to bottom, with their own numbers (a
// sheet may leave rows and cells out). Empty cells are never stored, so a
// sheet of a million formatted but empty cells costs nothing.
namespace batch {

class SheetRows {
public:
    SheetRows(const QString &fileName, const QString &sheet, const ReadLimits &limits);

    // A row (numbered from 1) of `repeat` identical rows; cells set after it
    // belong to it until the next beginRow or finish.
    void beginRow(qint64 number, qint64 repeat = 1);
    // A cell (column from 0) shown `repeat` times side by side; empty text is
    // an empty cell.
    void setCell(qint64 column, const QString &text, qint64 repeat = 1);
    // The row number after the current row and its repeats.
    qint64 nextRow() const { return row_ + repeat_; }
    qint64 nextColumn() const { return nextColumn_; }

    Table finish();

    // A TableError naming the file, the sheet and (when given) the cell.
    [[noreturn]] void fail(const QString &what, qint64 column = -1) const;
    // The same for a sheet-wide problem with no cell.
    [[noreturn]] static void fail(const QString &fileName, const QString &sheet, const QString &what);

private:
    void flushRow();

    QString fileName_;
    QString sheet_;
    ReadLimits limits_;
    Table table_;
    QStringList cells_;
    qint64 row_ = 0;        // the current row's number, 0 before the first
    qint64 repeat_ = 1;     // how many times the current row stands
    qint64 lastFilled_ = 0; // number of the last row that held something
    qint64 nextColumn_ = 0;
};

} // namespace batch
