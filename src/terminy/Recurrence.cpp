#include "Recurrence.h"

#include <QMap>
#include <QStringList>

namespace tasks {

NextOccurrence nextOccurrence(const QString &rrule, const QDate &due)
{
    NextOccurrence result;
    if (!due.isValid())
        return result;
    QMap<QString, QString> parts;
    for (const QString &part : rrule.trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        parts.insert(part.section(QLatin1Char('='), 0, 0).toUpper(), part.section(QLatin1Char('='), 1).toUpper());
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        if (it.key() != QLatin1String("FREQ") && it.key() != QLatin1String("INTERVAL")
            && it.key() != QLatin1String("UNTIL") && it.key() != QLatin1String("WKST"))
            return result;
    }
    bool ok = true;
    const int interval = parts.contains(QStringLiteral("INTERVAL")) ? parts.value(QStringLiteral("INTERVAL")).toInt(&ok)
                                                                    : 1;
    if (!ok || interval < 1)
        return result;
    const QString freq = parts.value(QStringLiteral("FREQ"));
    QDate next;
    if (freq == QLatin1String("DAILY"))
        next = due.addDays(interval);
    else if (freq == QLatin1String("WEEKLY"))
        next = due.addDays(7LL * interval);
    else if (freq == QLatin1String("MONTHLY") && due.day() <= 28)
        next = due.addMonths(interval);
    else if (freq == QLatin1String("YEARLY") && !(due.month() == 2 && due.day() == 29))
        next = due.addYears(interval);
    if (!next.isValid())
        return result;
    if (parts.contains(QStringLiteral("UNTIL"))) {
        const QDate until = QDate::fromString(parts.value(QStringLiteral("UNTIL")).left(8), QStringLiteral("yyyyMMdd"));
        if (!until.isValid())
            return result;
        if (next > until)
            return {NextOccurrence::Ended, QDate()};
    }
    return {NextOccurrence::Next, next};
}

} // namespace tasks
