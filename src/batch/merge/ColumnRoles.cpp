#include "ColumnRoles.h"

#include <QHash>

namespace batch {

QString columnKey(const QString &cell)
{
    static const QHash<QChar, QChar> base{
        {QChar(u'ą'), QLatin1Char('a')}, {QChar(u'ć'), QLatin1Char('c')}, {QChar(u'ę'), QLatin1Char('e')},
        {QChar(u'ł'), QLatin1Char('l')}, {QChar(u'ń'), QLatin1Char('n')}, {QChar(u'ó'), QLatin1Char('o')},
        {QChar(u'ś'), QLatin1Char('s')}, {QChar(u'ź'), QLatin1Char('z')}, {QChar(u'ż'), QLatin1Char('z')}};
    QString key;
    bool space = false;
    const QString lower = cell.toLower();
    for (const QChar raw : lower) {
        const QChar c = base.value(raw, raw);
        if (c.isSpace() || c == QLatin1Char('_') || c == QLatin1Char('.') || c == QLatin1Char(':')) {
            space = !key.isEmpty();
            continue;
        }
        if (space)
            key += QLatin1Char(' ');
        space = false;
        key += c;
    }
    return key;
}

namespace {

struct Known {
    const char16_t *key;
    Role role;
    int body;
};

// Keys as columnKey() leaves them.
const Known knownHeaders[] = {
    {u"dla", Role::Recipient, 0},
    {u"naglowek", Role::Heading, 0},
    {u"tresc1", Role::Body, 0},
    {u"tresc2", Role::Body, 1},
    {u"tresc3", Role::Body, 2},
    {u"tresc4", Role::Body, 3},
    {u"tresc5", Role::Body, 4},
    {u"tresc6", Role::Body, 5},
    {u"imie", Role::FirstName, 0},
    {u"imiona", Role::FirstName, 0},
    {u"pierwsze imie", Role::FirstName, 0},
    {u"first name", Role::FirstName, 0},
    {u"ім'я", Role::FirstName, 0},
    {u"имя", Role::FirstName, 0},
    {u"nazwisko", Role::Surname, 0},
    {u"surname", Role::Surname, 0},
    {u"last name", Role::Surname, 0},
    {u"прізвище", Role::Surname, 0},
    {u"фамилия", Role::Surname, 0},
    {u"imie i nazwisko", Role::FullName, 0},
    {u"imie nazwisko", Role::FullName, 0},
    {u"imie, nazwisko", Role::FullName, 0},
    {u"imiona i nazwisko", Role::FullName, 0},
    {u"uczen", Role::FullName, 0},
    {u"uczennica", Role::FullName, 0},
    {u"uczen/uczennica", Role::FullName, 0},
    {u"uczestnik", Role::FullName, 0},
    {u"laureat", Role::FullName, 0},
    {u"osoba", Role::FullName, 0},
    {u"name", Role::FullName, 0},
    {u"піб", Role::SurnameFirst, 0},
    {u"фио", Role::SurnameFirst, 0},
    {u"учень", Role::FullName, 0},
    {u"ученик", Role::FullName, 0},
    {u"клас", Role::Field, 0},
    {u"класс", Role::Field, 0},
    {u"по батькові", Role::Field, 0},
    {u"отчество", Role::Field, 0},
    {u"nazwisko i imie", Role::SurnameFirst, 0},
    {u"nazwisko imie", Role::SurnameFirst, 0},
    {u"nazwisko, imie", Role::SurnameFirst, 0},
    {u"nazwisko i imiona", Role::SurnameFirst, 0},
    {u"plec", Role::Sex, 0},
    {u"plec (k/m)", Role::Sex, 0},
    {u"plec k/m", Role::Sex, 0},
    {u"k/m", Role::Sex, 0},
    {u"liczba", Role::Copies, 0},
    {u"ilosc", Role::Copies, 0},
    {u"egzemplarze", Role::Copies, 0},
    {u"liczba egzemplarzy", Role::Copies, 0},
    {u"klasa", Role::Field, 0},
    {u"oddzial", Role::Field, 0},
    {u"lp", Role::Field, 0},
    {u"nr", Role::Field, 0},
    {u"numer", Role::Field, 0},
    {u"szkola", Role::Field, 0},
    {u"miejsce", Role::Field, 0},
    {u"konkurs", Role::Field, 0},
    {u"wynik", Role::Field, 0},
    {u"srednia", Role::Field, 0},
    {u"opiekun", Role::Field, 0},
    {u"wychowawca", Role::Field, 0},
    {u"data urodzenia", Role::Field, 0},
    {u"pesel", Role::Field, 0},
};

const Known *find(const QString &cell)
{
    const QString key = columnKey(cell);
    for (const Known &k : knownHeaders)
        if (key == QString::fromUtf16(k.key))
            return &k;
    return nullptr;
}

} // namespace

bool isKnownHeader(const QString &cell)
{
    return find(cell) != nullptr;
}

ColumnRole roleOfHeader(const QString &cell)
{
    const Known *k = find(cell);
    return k ? ColumnRole{k->role, k->body} : ColumnRole{};
}

const QStringList &wholeLineColumns()
{
    static const QStringList names{QStringLiteral("dla"),    QStringLiteral("naglowek"), QStringLiteral("tresc1"),
                                   QStringLiteral("tresc2"), QStringLiteral("tresc3"),   QStringLiteral("tresc4"),
                                   QStringLiteral("tresc5"), QStringLiteral("tresc6")};
    return names;
}

} // namespace batch
