#include "FontSubstitutes.h"

#include <QFont>

namespace platform {

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("System"), QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), QStringList{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
}

} // namespace platform
