#include "CellText.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace batch::celltext {

namespace {

QString clock(qint64 seconds, bool withSeconds)
{
    const qint64 h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    QString t = QStringLiteral("%1:%2").arg(h).arg(m, 2, 10, QLatin1Char('0'));
    if (withSeconds || s != 0)
        t += QStringLiteral(":%1").arg(s, 2, 10, QLatin1Char('0'));
    return t;
}

QString dayText(const QDate &d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

QString number(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0"); // also -0
    QString t = QString::number(value, 'g', 15);
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    t.replace(QLatin1Char('e'), QLatin1Char('E'));
    return t;
}

QString formatted(double value, NumberKind kind, bool date1904)
{
    switch (kind) {
    case NumberKind::Plain: break;
    case NumberKind::Percent: return number(value * 100) + QLatin1Char('%');
    case NumberKind::Time:
        if (value >= 0 && value < 1e7)
            return clock(std::llround(value * 86400), false);
        break;
    case NumberKind::Date:
    case NumberKind::DateTime: {
        // Beyond 31.12.9999 or before the epoch a spreadsheet shows ####; the number says more.
        if (!(value >= 0 && value < 2958466))
            break;
        qint64 seconds = std::llround(value * 86400);
        qint64 days = seconds / 86400;
        seconds %= 86400;
        QString day;
        if (date1904)
            day = dayText(QDate(1904, 1, 1).addDays(days));
        else if (days == 0)
            day = QStringLiteral("00.01.1900");
        else if (days == 60) // the 1900 leap day spreadsheets count, though it never was
            day = QStringLiteral("29.02.1900");
        else
            day = dayText(QDate(1899, 12, days < 60 ? 31 : 30).addDays(days));
        if (kind == NumberKind::DateTime)
            day += QLatin1Char(' ') + clock(seconds, false);
        return day;
    }
    }
    return number(value);
}

NumberKind builtinKind(int formatId)
{
    if (formatId == 9 || formatId == 10)
        return NumberKind::Percent;
    if ((formatId >= 14 && formatId <= 17) || (formatId >= 27 && formatId <= 36) || (formatId >= 50 && formatId <= 58))
        return NumberKind::Date;
    if ((formatId >= 18 && formatId <= 21) || (formatId >= 45 && formatId <= 47))
        return NumberKind::Time;
    if (formatId == 22)
        return NumberKind::DateTime;
    return NumberKind::Plain;
}

NumberKind codeKind(const QString &code)
{
    bool date = false, month = false, time = false, percent = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == QLatin1Char(';'))
            break; // the first section is the one for positive numbers
        if (c == QLatin1Char('"')) {
            const qsizetype end = code.indexOf(QLatin1Char('"'), i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = code.indexOf(QLatin1Char(']'), i + 1);
            const QString inside = code.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            // [h], [mm], [ss]: elapsed time; [$-415], [Red]: locale and colour
            if (!inside.isEmpty()
                && (inside[0] == QLatin1Char('h') || inside[0] == QLatin1Char('m') || inside[0] == QLatin1Char('s')))
                time = true;
            i = end < 0 ? code.size() : end;
        } else if (c == QLatin1Char('d') || c == QLatin1Char('y')) {
            date = true;
        } else if (c == QLatin1Char('m')) {
            month = true;
        } else if (c == QLatin1Char('h') || c == QLatin1Char('s')) {
            time = true;
        } else if (c == QLatin1Char('%')) {
            percent = true;
        }
    }
    if (date || (month && !time))
        return time ? NumberKind::DateTime : NumberKind::Date;
    if (time)
        return NumberKind::Time;
    return percent ? NumberKind::Percent : NumberKind::Plain;
}

QString isoDate(const QString &iso)
{
    static const QRegularExpression re(QStringLiteral(
        "^(-?\\d{4,})-(\\d\\d)-(\\d\\d)(?:T(\\d\\d):(\\d\\d)(?::(\\d\\d)(?:[.,]\\d+)?)?)?(?:Z|[+-]\\d\\d:\\d\\d)?$"));
    const QRegularExpressionMatch m = re.match(iso.trimmed());
    if (!m.hasMatch())
        return {};
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return {};
    QString t = dayText(d);
    const int h = m.captured(4).toInt(), min = m.captured(5).toInt(), s = m.captured(6).toInt();
    if (h || min || s)
        t += QLatin1Char(' ') + clock(qint64(h) * 3600 + min * 60 + s, false);
    return t;
}

QString isoTime(const QString &duration)
{
    static const QRegularExpression re(
        QStringLiteral("^(-)?P(?:(\\d+)D)?T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+)(?:[.,](\\d+))?S)?$"));
    const QRegularExpressionMatch m = re.match(duration.trimmed());
    if (!m.hasMatch() || m.captured(2).size() > 6 || m.captured(3).size() > 8 || m.captured(4).size() > 8
        || m.captured(5).size() > 8)
        return {};
    qint64 seconds = m.captured(2).toLongLong() * 86400 + m.captured(3).toLongLong() * 3600
                     + m.captured(4).toLongLong() * 60 + m.captured(5).toLongLong();
    if (!m.captured(6).isEmpty() && m.capturedView(6).front() >= QLatin1Char('5'))
        ++seconds;
    return (m.captured(1).isEmpty() ? QString() : QStringLiteral("-")) + clock(seconds, false);
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("PRAWDA") : QStringLiteral("FAŁSZ");
}

QString counted(qint64 n, const char *one, const char *few, const char *many)
{
    const qint64 tens = n % 100, units = n % 10;
    const char *form = n == 1 ? one : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? few : many;
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(form);
}

QString columnLetters(qint64 column)
{
    QString letters;
    for (qint64 c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + int((c - 1) % 26)));
    return letters;
}

QString cellName(qint64 column, qint64 row)
{
    return columnLetters(column) + QString::number(row);
}

} // namespace batch::celltext
