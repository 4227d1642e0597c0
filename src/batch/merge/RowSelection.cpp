#include "RowSelection.h"

#include <QRegularExpression>
#include <stdexcept>

namespace batch {

RowSelection RowSelection::parse(const QString &text)
{
    static const QRegularExpression part(QStringLiteral(R"(^\s*(\d{1,9})\s*(?:-\s*(\d{1,9})\s*)?$)"));
    RowSelection s;
    s.text_ = text;
    const auto bad = [&](const QString &why) {
        return std::invalid_argument(QStringLiteral("--wiersze: „%1”: %2").arg(text, why).toStdString());
    };
    if (text.trimmed().isEmpty())
        throw bad(QStringLiteral("brak numerów (np. 5,12-14)"));
    for (const QString &piece : text.split(QLatin1Char(','))) {
        const auto m = part.match(piece);
        if (!m.hasMatch())
            throw bad(QStringLiteral("„%1” nie jest numerem ani zakresem (np. 5,12-14)").arg(piece.trimmed()));
        const int from = m.captured(1).toInt();
        const int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
        if (from < 1)
            throw bad(QStringLiteral("rekordy liczy się od 1"));
        if (to < from)
            throw bad(QStringLiteral("zakres %1-%2 jest odwrócony").arg(from).arg(to));
        s.ranges_.append({from, to});
    }
    return s;
}

bool RowSelection::contains(int number) const
{
    if (ranges_.isEmpty())
        return true;
    for (const auto &r : ranges_)
        if (number >= r.first && number <= r.second)
            return true;
    return false;
}

int RowSelection::highest() const
{
    int h = 0;
    for (const auto &r : ranges_)
        h = std::max(h, r.second);
    return h;
}

} // namespace batch
