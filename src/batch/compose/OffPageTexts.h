#pragma once
#include <QHash>
#include <QStringList>

namespace batch {

// Texts that run off the printable area, gathered over the pages of a run
// and said once each: with its record when only one record has the text (a
// name too long), else with the number of records (a heading too wide for
// the sheet runs off on every page, and is one fault of the diploma).
class OffPageTexts {
public:
    // record counts from 0; line is the record's line in the list, 0
    // without a list.
    void add(int record, int line, const QStringList &texts);

    // One warning per distinct text, in the order they were first met.
    QStringList warnings() const;

private:
    struct Seen {
        int record;
        int line;
        int lastRecord;
        int records;
    };
    QHash<QString, Seen> seen_;
    QStringList order_;
};

} // namespace batch
