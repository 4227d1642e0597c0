#pragma once
#include <QString>

namespace batch {

// A count with its noun in the Polish form the number asks for:
// plural(1, "dyplom", "dyplomy", "dyplomów") is "1 dyplom", 2 "2 dyplomy",
// 5 and 12 "… dyplomów", 22 "22 dyplomy".
QString plural(qint64 count, const QString &one, const QString &few, const QString &many);

// Only the noun of plural(), for sentences that place the number elsewhere.
QString pluralNoun(qint64 count, const QString &one, const QString &few, const QString &many);

// A text from a list quoted in a message: control characters and the
// bidirectional overrides escaped (nothing raw reaches a terminal), at most
// maxChars characters, the rest as "…".
QString quoted(const QString &text, int maxChars = 60);

// Spreadsheet-style column letters: 0 is "A", 25 "Z", 26 "AA".
QString columnLetter(int column);
// The column of a letter name ("b", "AA"); -1 when it is none.
int columnOfLetter(const QString &letters);

} // namespace batch
