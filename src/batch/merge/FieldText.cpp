#include "FieldText.h"

#include "ColumnRoles.h"

#include "batch/Texts.h"

#include <QRegularExpression>

namespace batch {

FieldText::Piece FieldText::piece(Kind kind, const QString &text, const QString &other, const QString &typed)
{
    Piece p;
    p.kind = kind;
    p.text = text;
    p.other = other;
    p.typed = typed;
    return p;
}

FieldText::FieldText(const QString &text)
{
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty())
            pieces_.append(piece(Kind::Literal, literal, {}, {}));
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && doubled) {
            literal += c;
            ++i;
        } else if (c == QLatin1Char('{')) {
            const qsizetype close = text.indexOf(QLatin1Char('}'), i + 1);
            if (close < 0)
                throw FieldSyntaxError(int(i), FieldSyntaxError::Unclosed);
            flush();
            const QString inner = text.mid(i + 1, close - i - 1);
            const QStringList alternatives = inner.split(QLatin1Char('|'));
            if (alternatives.size() > 2)
                throw FieldSyntaxError(int(i), FieldSyntaxError::ThreeAlternatives);
            if (alternatives.size() == 2) {
                pieces_.append(piece(Kind::Choice, alternatives[0], alternatives[1], inner));
                ++choices_;
            } else {
                static const QRegularExpression modifier(QStringLiteral(R"(^(.+)@\s*(\w{1,12})\s*$)"));
                const auto m = modifier.match(inner);
                pieces_.append(m.hasMatch() ? piece(Kind::Field, m.captured(1), m.captured(2), inner)
                                            : piece(Kind::Field, inner, {}, inner));
                ++fields_;
            }
            i = close;
        } else {
            literal += c;
        }
    }
    flush();
}

bool FieldText::hasNameCases() const
{
    for (const Piece &p : pieces_)
        if (p.kind == Kind::Field && !p.other.isEmpty())
            return true;
    return false;
}

bool FieldText::hasListFields() const
{
    for (const Piece &p : pieces_)
        if (p.kind == Kind::Field && builtinFieldOf(p.text) == BuiltinField::None)
            return true;
    return false;
}

QStringList FieldText::fieldNames() const
{
    QStringList names;
    for (const Piece &p : pieces_)
        if (p.kind == Kind::Field)
            names.append(p.text);
    return names;
}

namespace {

std::optional<NameCase> caseOfModifier(const QString &modifier)
{
    const QString key = columnKey(modifier);
    if (key == QLatin1String("d") || key == QLatin1String("dopelniacz"))
        return NameCase::Genitive;
    if (key == QLatin1String("c") || key == QLatin1String("celownik"))
        return NameCase::Dative;
    return std::nullopt;
}

QString withoutSpaces(QString key)
{
    return key.remove(QLatin1Char(' '));
}

// The column "Imię i nazwisko (D)" of a field in the genitive; -1 when none.
int formColumnOf(const QStringList &headerKeys, const QString &name, BuiltinField builtin, NameCase nameCase)
{
    QStringList bases{withoutSpaces(columnKey(name))};
    if (builtin == BuiltinField::Name)
        bases = QStringList{QStringLiteral("imieinazwisko"), QStringLiteral("imienazwisko")};
    const QStringList marks = nameCase == NameCase::Genitive
                                  ? QStringList{QStringLiteral("(d)"), QStringLiteral("(dopelniacz)")}
                                  : QStringList{QStringLiteral("(c)"), QStringLiteral("(celownik)")};
    for (int c = 0; c < headerKeys.size(); ++c)
        for (const QString &base : bases)
            for (const QString &mark : marks)
                if (withoutSpaces(headerKeys[c]) == base + mark)
                    return c;
    return -1;
}

} // namespace

QList<FieldText::Unbound> FieldText::bind(const QStringList &headerKeys, int columnCount)
{
    QList<Unbound> unbound;
    for (Piece &p : pieces_) {
        if (p.kind != Kind::Field)
            continue;
        // A column may have "@" in its name.
        p.column = headerKeys.indexOf(columnKey(p.typed));
        if (p.column >= 0) {
            p.text = p.typed;
            p.other.clear();
            continue;
        }
        p.column = headerKeys.indexOf(columnKey(p.text));
        if (p.column < 0)
            p.builtin = builtinFieldOf(p.text);
        if (p.column < 0 && p.builtin == BuiltinField::None) {
            const int letter = columnOfLetter(p.text.trimmed());
            if (letter >= 0 && letter < columnCount)
                p.column = letter;
        }
        if (p.column < 0 && p.builtin == BuiltinField::None) {
            unbound.append({p.typed, {}});
            continue;
        }
        if (p.other.isEmpty())
            continue;
        p.nameCase = caseOfModifier(p.other);
        if (!p.nameCase)
            unbound.append(
                {p.typed,
                 QStringLiteral("nieznana odmiana „@%1” (są @D – dopełniacz, @C – celownik)").arg(quoted(p.other, 12))});
        else if (p.builtin != BuiltinField::None && p.builtin != BuiltinField::Name)
            unbound.append({p.typed, QStringLiteral("odmiana @%1 dotyczy imion i nazwisk").arg(p.other)});
        else
            p.formColumn = formColumnOf(headerKeys, p.text, p.builtin, *p.nameCase);
    }
    return unbound;
}

QString FieldText::valueOf(const Piece &p, const RowValues &row) const
{
    return p.column >= 0 ? row.cells.value(p.column) : row.builtins.value(p.builtin);
}

QString FieldText::expand(const RowValues &row, QList<UnsureForm> *unsure) const
{
    QString out;
    for (const Piece &p : pieces_) {
        switch (p.kind) {
        case Kind::Literal: out += p.text; break;
        case Kind::Choice: out += row.sex == Sex::Male ? p.text : p.other; break;
        case Kind::Field: {
            const QString value = valueOf(p, row);
            if (!p.nameCase) {
                out += value;
                break;
            }
            const QString given = row.cells.value(p.formColumn);
            if (p.formColumn >= 0 && !given.trimmed().isEmpty()) {
                out += given;
                break;
            }
            const DeclinedName form = declineName(value, *p.nameCase, row.sex);
            out += form.text;
            if (unsure && !form.unsure.isEmpty())
                unsure->append({p.typed, value, form, *p.nameCase});
            break;
        }
        }
    }
    return out;
}

bool FieldText::onlyBlankFields(const RowValues &row) const
{
    bool any = false;
    for (const Piece &p : pieces_) {
        if (p.kind != Kind::Field || (p.builtin != BuiltinField::None && p.builtin != BuiltinField::Name))
            continue;
        if (!valueOf(p, row).trimmed().isEmpty())
            return false;
        any = true;
    }
    return any;
}

} // namespace batch
