#pragma once
#include <QDate>
#include <QString>

namespace batch {

// Fields a diploma has without a list column: {Nr} the running number of
// the diplomas made, {Lp} the record's place in the list, {Data} and
// {Rok}, and {Imię i nazwisko} the pupil's name as the recipient line has
// it. A list column of the same name wins.
enum class BuiltinField { None, Number, Position, Date, Year, Name };

// The built-in field a field name means (letter case and Polish letters do
// not matter); None for the others.
BuiltinField builtinFieldOf(const QString &name);

// "19 czerwca 2026".
QString longPolishDate(const QDate &date);

// The {Data} and {Rok} of a run.
struct DiplomaDate {
    QString text;
    int year = 0;
};

// given: empty for today, "RRRR-MM-DD" for that day, any other text as it
// is (the year is then today's). Throws std::invalid_argument with a
// Polish message for a day that does not exist ("2026-02-30").
DiplomaDate diplomaDate(const QString &given, const QDate &today);

// The values of the built-in fields for one record.
struct BuiltinValues {
    int number = 0;
    int position = 0;
    DiplomaDate date;
    QString name;

    QString value(BuiltinField field) const;
};

} // namespace batch
