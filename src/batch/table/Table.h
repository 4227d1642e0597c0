#pragma once
#include "platform/UserError.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// Where a row came from, for messages: a line of a text file or a row of a sheet.
struct RowOrigin {
    int line = 0;  // text: first line of the row; sheet: row number; both from 1
    QString sheet; // empty for text files
};

// A class list as read, before its columns mean anything: every row, the
// first included (whether it is a header is the caller's decision).
struct Table {
    QList<QStringList> rows;  // cells as a Polish user sees them; trailing empty cells dropped
    QList<RowOrigin> origins; // one per row
    int columnCount = 0;      // the widest row
    int skippedEmptyRows = 0; // rows holding only separators or blanks
    QStringList warnings;     // Polish, each naming its line or cell
    QString encoding;         // text files: the encoding read ("UTF-8", "Windows-1250", ...)
    QChar separator;          // text files: the separator used; null for one column
    QString sheet;            // spreadsheets: the sheet read
};

// What the user forced on the command line or in the window.
struct ReadOptions {
    QChar separator;  // --separator; null: detected
    QString encoding; // --kodowanie; empty: detected
    QString sheet;    // --arkusz; empty: the first sheet
};

// Bounds every reader keeps; more is refused, never cut short.
struct ReadLimits {
    qint64 maxFileBytes = 64 * 1024 * 1024;
    qint64 maxInflatedBytes = 64 * 1024 * 1024; // all zip entries read, counted while inflating
    int maxRows = 100000;
    int maxColumns = 256;
    int maxCellChars = 4096;
};

// A list that cannot be read. what() is the whole Polish message: the file,
// the line (or sheet and cell) and what is wrong.
class TableError : public platform::UserError {
public:
    explicit TableError(const QString &message) : platform::UserError(message) {}
};

} // namespace batch
