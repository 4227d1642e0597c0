#pragma once
#include <QString>

// The maker's contact data, shown on the business card, in the help text
// and in the update messages. Invented, on the reserved .example domain.
namespace maker {

inline const QString FullName = QStringLiteral("Adam Wzorcowy");
inline const QString Street = QStringLiteral("ul. Kaligraficzna 12/4");
inline const QString PostalCodeAndCity = QStringLiteral("00-950 Wzorów");
inline const QString Telephone = QStringLiteral("tel 22 000 00 00");
inline const QString WebSite = QStringLiteral("www.dyplomy.example");           // without the scheme
inline const QString WebAddress = QStringLiteral("http://www.dyplomy.example"); // with it
inline const QString Mail = QStringLiteral("biuro@dyplomy.example");
// The published version-information file.
inline const QString VersionInfoAddress = QStringLiteral("http://www.dyplomy.example/aktualizacje/20.txt");

} // namespace maker
