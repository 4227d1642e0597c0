#include "SuggestedLayout.h"

namespace templateart {

namespace {

bool forChildren(Occasion o)
{
    return o == Occasion::Kindergarten || o == Occasion::Art;
}

struct Wording {
    QString heading, lead, body;
};

Wording wording(Occasion o)
{
    switch (o) {
    case Occasion::Initiation:
        return {QStringLiteral("Akt pasowania"), QStringLiteral("na ucznia"),
                QStringLiteral("Uroczyście pasuję Cię na ucznia naszej szkoły. Ucz się pilnie i bądź dobrym kolegą.")};
    case Occasion::Kindergarten:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za ukończenie przedszkola i wspaniałe lata wspólnej zabawy")};
    case Occasion::Art:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za zajęcie I miejsca w szkolnym konkursie plastycznym")};
    case Occasion::Sport:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za zajęcie I miejsca w szkolnych zawodach sportowych")};
    case Occasion::Reading:
        return {QStringLiteral("Czytelnik Roku"), QStringLiteral("tytuł otrzymuje"),
                QStringLiteral("za wytrwałe i pełne pasji czytanie książek w tym roku szkolnym")};
    case Occasion::Contest:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za zajęcie I miejsca w szkolnym konkursie przedmiotowym")};
    case Occasion::Music:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za zajęcie I miejsca w szkolnym konkursie piosenki")};
    case Occasion::YearEnd:
        return {QStringLiteral("Dyplom"), QStringLiteral("dla"),
                QStringLiteral("za bardzo dobre wyniki w nauce i wzorowe zachowanie w roku szkolnym")};
    case Occasion::Thanks:
        return {QStringLiteral("Podziękowanie"), QStringLiteral("dla"),
                QStringLiteral("za ogromne zaangażowanie i serdeczną pomoc w życiu naszej szkoły")};
    case Occasion::General: break;
    }
    return {QStringLiteral("Dyplom"), QStringLiteral("dla"), QStringLiteral("za wzorowe wyniki w nauce")};
}

} // namespace

// Every font named here carries the Polish letters (checked by a test); a
// script face without them, such as Dancing Script in Debian 12, is left out.
QStringList headingFonts(Occasion o)
{
    if (forChildren(o))
        return {QStringLiteral("Lobster Two"), QStringLiteral("DejaVu Sans")};
    if (o == Occasion::Initiation || o == Occasion::Reading || o == Occasion::Thanks)
        return {QStringLiteral("TeX Gyre Chorus"), QStringLiteral("EB Garamond"), QStringLiteral("DejaVu Serif")};
    return {QStringLiteral("EB Garamond"), QStringLiteral("TeX Gyre Pagella"), QStringLiteral("DejaVu Serif")};
}

QStringList nameFonts(Occasion o)
{
    if (forChildren(o))
        return {QStringLiteral("Lobster Two"), QStringLiteral("DejaVu Sans")};
    return {QStringLiteral("TeX Gyre Chorus"), QStringLiteral("EB Garamond"), QStringLiteral("DejaVu Serif")};
}

QStringList bodyFonts()
{
    return {QStringLiteral("EB Garamond"), QStringLiteral("TeX Gyre Pagella"), QStringLiteral("DejaVu Serif")};
}

DesignInfo suggestedLayout(Occasion o, const QString &title, const QRectF &freeMm, const Scheme &s,
                           const QString &bodyOverride)
{
    const Wording w = wording(o);
    DesignInfo info;
    info.occasion = o;
    info.title = title;
    info.freeMm = freeMm;
    // Heading, lead, name and body stacked from the top of the free area,
    // the name at about its middle.
    const double l = freeMm.left(), width = freeMm.width(), h = freeMm.height();
    const auto box = [&](double from, double to) { return QRectF(l, freeMm.top() + h * from, width, h * (to - from)); };
    const QColor ink = s.main;
    const QColor soft = QColor(0x33, 0x33, 0x33);
    const bool longHeading = w.heading.size() > 8;
    info.texts = {
        {QStringLiteral("heading"), w.heading, headingFonts(o), longHeading ? 40.0 : 54.0, ink, box(0.02, 0.22)},
        {QStringLiteral("lead"), w.lead, bodyFonts(), 18, soft, box(0.26, 0.34)},
        {QStringLiteral("name"), QStringLiteral("Imię i Nazwisko"), nameFonts(o), 34, ink, box(0.36, 0.52)},
        {QStringLiteral("body"), bodyOverride.isEmpty() ? w.body : bodyOverride, bodyFonts(), 15, soft, box(0.56, 0.82)},
    };
    return info;
}

} // namespace templateart
