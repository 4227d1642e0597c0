#include "FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutes()
{
    const QStringList sans = QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("Arial");
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("System"), sans);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), QStringList() << QStringLiteral("DejaVu Sans Condensed")
                                                                       << QStringLiteral("DejaVu Sans"));
}

} // namespace platform
