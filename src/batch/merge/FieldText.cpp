#include "FieldText.h"

#include "ColumnRoles.h"

#include "batch/Texts.h"

namespace batch {

FieldText::FieldText(const QString &text)
{
    QString literal;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && doubled) {
            literal += c;
            ++i;
        } else if (c == QLatin1Char('{')) {
            const qsizetype close = text.indexOf(QLatin1Char('}'), i + 1);
            if (close < 0)
                throw FieldSyntaxError(int(i));
            if (!literal.isEmpty())
                pieces_.append({literal, false, -1});
            literal.clear();
            pieces_.append({text.mid(i + 1, close - i - 1), true, -1});
            ++fields_;
            i = close;
        } else {
            literal += c;
        }
    }
    if (!literal.isEmpty())
        pieces_.append({literal, false, -1});
}

QStringList FieldText::fieldNames() const
{
    QStringList names;
    for (const Piece &p : pieces_)
        if (p.field)
            names.append(p.text);
    return names;
}

QStringList FieldText::bind(const QStringList &headerKeys, int columnCount)
{
    QStringList unknown;
    for (Piece &p : pieces_) {
        if (!p.field)
            continue;
        p.column = headerKeys.indexOf(columnKey(p.text));
        if (p.column < 0) {
            const int letter = columnOfLetter(p.text.trimmed());
            if (letter >= 0 && letter < columnCount)
                p.column = letter;
        }
        if (p.column < 0)
            unknown.append(p.text);
    }
    return unknown;
}

QString FieldText::expand(const QStringList &cells) const
{
    QString out;
    for (const Piece &p : pieces_)
        out += p.field ? cells.value(p.column) : p.text;
    return out;
}

} // namespace batch
