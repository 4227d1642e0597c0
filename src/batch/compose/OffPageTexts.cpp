#include "OffPageTexts.h"

#include "batch/output/ErrorTexts.h"

namespace batch {

void OffPageTexts::add(int record, int line, const QStringList &texts)
{
    for (const QString &text : texts) {
        auto found = seen_.find(text);
        if (found == seen_.end()) {
            seen_.insert(text, {record, line, record, 1});
            order_.append(text);
        } else if (found->lastRecord != record) { // a text twice on one page counts once
            found->lastRecord = record;
            ++found->records;
        }
    }
}

QStringList OffPageTexts::warnings() const
{
    QStringList lines;
    for (const QString &text : order_) {
        const Seen &s = seen_[text];
        if (s.records > 1)
            lines.append(QStringLiteral("uwaga: tekst „%1” wychodzi poza obszar wydruku (w %2 rekordach)")
                             .arg(quotedForMessage(text))
                             .arg(s.records));
        else
            lines.append(QStringLiteral("uwaga: %1: tekst „%2” wychodzi poza obszar wydruku")
                             .arg(s.line > 0 ? QStringLiteral("rekord %1 (wiersz %2 listy)").arg(s.record + 1).arg(s.line)
                                             : QStringLiteral("dyplom"),
                                  quotedForMessage(text)));
    }
    return lines;
}

} // namespace batch
