#include "LocaleText.h"

#include <QLocale>

namespace platform {
namespace {

QString longTimeFormat()
{
    // Without the zone letter and what only spaces it.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out.append(c);
    }
    out = out.trimmed();
    if (!out.contains(QLatin1Char('s')))
        out = QStringLiteral("HH:mm:ss");
    return out;
}

} // namespace

QString longTimeText(const QTime &time)
{
    static const QString format = longTimeFormat();
    return QLocale::system().toString(time, format);
}

QChar dateSeparator()
{
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    // A locale that writes the month as a word ("d MMM yyyy") has no
    // separator of its own: take the common one.
    for (QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return c;
    return QLatin1Char('/');
}

QString dateText(const QDate &date)
{
    const QChar sep = dateSeparator();
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(sep)
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(sep)
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace platform
