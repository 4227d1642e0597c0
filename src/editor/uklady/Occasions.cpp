#include "Occasions.h"

namespace uklady {

OccasionName occasionName(Occasion o)
{
    switch (o) {
    case Occasion::General: return {"ogolne", QStringLiteral("Ogólne")};
    case Occasion::Initiation: return {"pasowanie", QStringLiteral("Pasowanie na ucznia")};
    case Occasion::Kindergarten: return {"przedszkole", QStringLiteral("Przedszkole")};
    case Occasion::Art: return {"plastyka", QStringLiteral("Konkurs plastyczny")};
    case Occasion::Sport: return {"sport", QStringLiteral("Sport")};
    case Occasion::Reading: return {"czytelnictwo", QStringLiteral("Czytelnik Roku")};
    case Occasion::Contest: return {"konkurs", QStringLiteral("Konkursy przedmiotowe")};
    case Occasion::Music: return {"muzyka", QStringLiteral("Muzyka")};
    case Occasion::YearEnd: return {"koniec-roku", QStringLiteral("Zakończenie roku szkolnego")};
    case Occasion::Thanks: return {"podziekowania", QStringLiteral("Podziękowania")};
    }
    return {"ogolne", QStringLiteral("Ogólne")};
}

} // namespace uklady
