#pragma once
#include "Table.h"

#include <QByteArray>

namespace batch {

// Reads a text list: a plain list (one name a line), a CSV or a
// tab-separated file. Separators: options.separator when set; in a file
// named *.csv the one of comma, semicolon and tab found most often in the
// first line that holds any (outside quotes); in any other file only a tab
// (so "Kowalski, Jan" stays one name). With a separator, cells may be
// quoted as in RFC 4180 ("" is a quote, a quoted cell may hold separators
// and line breaks, each line break read as a space). Unquoted cells are
// trimmed; trailing empty cells are dropped; rows of separators and blanks are
// skipped and counted (blank lines are skipped only). Encodings as decodeLines() says. Throws TableError
// naming fileName and the line.
Table readTextTable(const QByteArray &bytes, const QString &fileName, const ReadOptions &options,
                    const ReadLimits &limits = {});

} // namespace batch
