#include "Texts.h"

#include <QTextBoundaryFinder>

namespace batch {

QString pluralNoun(qint64 count, const QString &one, const QString &few, const QString &many)
{
    const qint64 n = count < 0 ? -count : count;
    if (n == 1)
        return one;
    const qint64 units = n % 10;
    const qint64 tens = n % 100;
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        return few;
    return many;
}

QString plural(qint64 count, const QString &one, const QString &few, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(pluralNoun(count, one, few, many));
}

QString quoted(const QString &text, int maxChars)
{
    QString out;
    int shown = 0;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = graphemes.toNextBoundary();
        if (end < 0 || end <= start)
            end = text.size();
        if (shown == maxChars) {
            out += QChar(0x2026);
            break;
        }
        for (const QChar c : QStringView(text).mid(start, end - start)) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || (u >= 0x202A && u <= 0x202E)
                || (u >= 0x2066 && u <= 0x2069))
                out += u < 0x100 ? QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'))
                                 : QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
        ++shown;
        start = end;
    }
    return out;
}

QString columnLetter(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

int columnOfLetter(const QString &letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return -1;
    int n = 0;
    for (const QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return -1;
        n = n * 26 + (u - u'A' + 1);
    }
    return n - 1;
}

} // namespace batch
