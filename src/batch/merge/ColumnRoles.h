#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// What a list column means for a diploma.
enum class Role {
    Field,        // only a field, {Column}
    Recipient,    // dla: the whole recipient line
    Heading,      // naglowek
    Body,         // tresc1 … tresc6 (ColumnRole::body)
    FirstName,    // Imię
    Surname,      // Nazwisko
    FullName,     // Imię i nazwisko, Uczeń: the recipient as written
    SurnameFirst, // Nazwisko i imię: the recipient with its first word moved to the end
    Sex,          // Płeć: K or M, for the wording that agrees with the pupil
    Copies,       // Liczba, Ilość, Egzemplarze: copies of the pupil's diploma
};

struct ColumnRole {
    Role role = Role::Field;
    int body = 0; // Role::Body: the body line, 0 … 5
};

// A header cell as it is compared: trimmed, lower case, Polish letters as
// their base letters, inner spaces, dots and underscores as one space.
QString columnKey(const QString &cell);

// The role a header cell names, when it is a header registers and
// spreadsheets use ("dla", "tresc3", "Imię", "Nazwisko i imię", "Uczeń",
// "Klasa"…); "Klasa" and the like are known headers with no role (fields).
// Nothing when the cell is no known header.
bool isKnownHeader(const QString &cell);
ColumnRole roleOfHeader(const QString &cell);

// The whole-line columns in the order a list without a header takes them.
const QStringList &wholeLineColumns();

} // namespace batch
