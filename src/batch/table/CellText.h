#pragma once
#include <QString>

// How spreadsheet values become the text a Polish user sees in the cell.
namespace batch::celltext {

// How a number cell is shown, from its number format.
enum class NumberKind { Plain, Percent, Date, Time, DateTime };

// 98, 4,5, -0,25: at most 15 significant digits (what a spreadsheet keeps),
// no trailing zeros, a decimal comma.
QString number(double value);

// A number shown through its format: a serial day count for dates and times
// (1900 or 1904 system), a fraction for percentages.
QString formatted(double value, NumberKind kind, bool date1904 = false);

// The kind a built-in number format id (0-163) stands for.
NumberKind builtinKind(int formatId);
// The kind a format code stands for: date codes d/y (m with them), time codes
// h/s, a percent sign; quoted text, escapes and [colours] do not count.
NumberKind codeKind(const QString &code);

// ISO dates and date-times (2024-06-21, 2024-06-21T10:30:00) as 21.06.2024
// and 21.06.2024 10:30; an empty string when the text is not one.
QString isoDate(const QString &iso);
// An ISO duration as a clock (PT10H30M00S -> 10:30); empty when not one.
QString isoTime(const QString &duration);

QString booleanText(bool value);

// A count with its noun in the Polish form for it: 1 wiersz, 3 wiersze, 5 wierszy.
QString counted(qint64 n, const char *one, const char *few, const char *many);

// A1-style column letters for a 0-based column (0 -> A, 26 -> AA) and the
// name of a cell ("B7").
QString columnLetters(qint64 column);
QString cellName(qint64 column, qint64 row);

} // namespace batch::celltext
