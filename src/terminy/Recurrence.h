#pragma once
#include <QDate>
#include <QString>

namespace tasks {

// Where a repeating to-do's next occurrence falls, from its RRULE value and
// the current due date. Plain rules (FREQ DAILY/WEEKLY/MONTHLY/YEARLY with
// INTERVAL and UNTIL) are followed; a rule counting occurrences or picking
// days (COUNT, BYDAY, …) is Unknown, and so is a day a month may lack.
struct NextOccurrence {
    enum Kind { Next, Ended, Unknown };
    Kind kind = Unknown;
    QDate date;
};

NextOccurrence nextOccurrence(const QString &rrule, const QDate &due);

} // namespace tasks
