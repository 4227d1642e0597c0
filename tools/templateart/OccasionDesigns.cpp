#include "OccasionDesigns.h"

#include "Borders.h"
#include "Geometry.h"
#include "SuggestedLayout.h"
#include "motifs/Motifs.h"

#include <optional>

namespace templateart {

namespace {

// Where a motif stands: the head and the foot of the page, or their corners.
// Left and Right flank the texts of a landscape design.
enum class Slot { None, Head, Foot, HeadLeft, HeadRight, FootLeft, FootRight, Left, Right };

struct Placed {
    QPointF centre;
    double size;
};

Placed slotPlace(Slot s)
{
    switch (s) {
    case Slot::Head: return {{pageW() / 2, 41}, 34};
    case Slot::Foot: return {{pageW() / 2, 250}, 38};
    case Slot::HeadLeft: return {{46, 42}, 28};
    case Slot::HeadRight: return {{pageW() - 46, 42}, 28};
    case Slot::FootLeft: return {{50, 250}, 34};
    case Slot::FootRight: return {{pageW() - 50, 250}, 34};
    case Slot::Left:
    case Slot::Right:
    case Slot::None: break;
    }
    return {{0, 0}, 0};
}

Placed landscapeSlotPlace(Slot s)
{
    switch (s) {
    case Slot::Head: return {{pageW() / 2, 36}, 28};
    case Slot::Foot: return {{pageW() / 2, pageH() - 36}, 28};
    case Slot::HeadLeft: return {{46, 44}, 28};
    case Slot::HeadRight: return {{pageW() - 46, 44}, 28};
    case Slot::FootLeft: return {{48, pageH() - 44}, 30};
    case Slot::FootRight: return {{pageW() - 48, pageH() - 44}, 30};
    case Slot::Left: return {{52, pageH() / 2}, 40};
    case Slot::Right: return {{pageW() - 52, pageH() / 2}, 40};
    case Slot::None: break;
    }
    return {{0, 0}, 0};
}

bool atLeft(Slot s)
{
    return s == Slot::Left || s == Slot::HeadLeft || s == Slot::FootLeft;
}

bool atRight(Slot s)
{
    return s == Slot::Right || s == Slot::HeadRight || s == Slot::FootRight;
}

bool atHead(Slot s)
{
    return s == Slot::Head || s == Slot::HeadLeft || s == Slot::HeadRight;
}

bool atFoot(Slot s)
{
    return s == Slot::Foot || s == Slot::FootLeft || s == Slot::FootRight;
}

struct Design {
    Occasion occasion;
    const char *title;
    int scheme;
    BorderStyle border;
    bool tint;
    Motif motif;
    Slot slot;
    Motif second = Motif::None;
    Slot secondSlot = Slot::None;
    const char *body = nullptr; // instead of the occasion's usual body text
};

using O = Occasion;
using B = Border;
using M = Motif;
using S = Slot;

// Never reorder: a design's number is its place here after the classic ones.
const Design kDesigns[] = {
    {O::Initiation, "Pasowanie – tarcza szkoły", 13, {B::Notched}, true, M::SchoolEmblem, S::Head},
    {O::Initiation, "Pasowanie – skrzyżowane ołówki", 1, {B::Rounded}, false, M::CrossedPencils, S::Head, M::Quill, S::FootRight},
    {O::Initiation,
     "Pasowanie – pióro i ołówki",
     11,
     {B::Dots, Band::None, 1},
     false,
     M::Quill,
     S::FootLeft,
     M::CrossedPencils,
     S::FootRight},
    {O::Initiation, "Pasowanie – perły", 3, {B::Classic, Band::Pearls}, false, M::SchoolEmblem, S::Foot},
    {O::Initiation, "Pasowanie – narożniki", 6, {B::Brackets}, true, M::CrossedPencils, S::Foot},
    {O::Initiation, "Pasowanie – szarfa", 0, {B::Sash}, false, M::SchoolEmblem, S::HeadRight, M::Quill, S::FootLeft},

    {O::Kindergarten, "Przedszkole – tęcza i słońce", 11, {B::Rainbow}, false, M::KidSun, S::Foot},
    {O::Kindergarten,
     "Przedszkole – łąka z biedronką",
     12,
     {B::Meadow},
     false,
     M::Ladybird,
     S::FootLeft,
     M::Butterfly,
     S::FootRight,
     "za wytrwałość i wielki wysiłek"},
    {O::Kindergarten, "Przedszkole – chorągiewki i kredki", 14, {B::Bunting}, false, M::Crayons, S::Foot},
    {O::Kindergarten,
     "Przedszkole – kropki i motyl",
     15,
     {B::Dots},
     false,
     M::KidSun,
     S::HeadRight,
     M::Butterfly,
     S::FootLeft,
     "za pilność i uśmiech każdego dnia"},
    {O::Kindergarten,
     "Przedszkole – konfetti z biedronką",
     11,
     {B::Confetti},
     false,
     M::Ladybird,
     S::Head,
     M::None,
     S::None,
     "za wspaniałą zabawę i wielki wysiłek"},
    {O::Kindergarten, "Przedszkole – kredki i słońce", 12, {B::Rounded}, true, M::Crayons, S::FootRight, M::KidSun, S::HeadLeft},

    {O::Art, "Konkurs plastyczny – fala i paleta", 15, {B::Swoosh}, false, M::Paints, S::Foot},
    {O::Art, "Konkurs plastyczny – tęcza i kredki", 11, {B::Rainbow}, false, M::Paints, S::HeadRight, M::Crayons, S::FootLeft},
    {O::Art, "Konkurs plastyczny – fale", 10, {B::Classic, Band::Waves}, false, M::Paints, S::Head},
    {O::Art, "Konkurs plastyczny – kredki", 12, {B::Brackets}, false, M::Crayons, S::Foot},
    {O::Art,
     "Konkurs plastyczny – kropki",
     13,
     {B::Dots},
     true,
     M::Paints,
     S::FootRight,
     M::Crayons,
     S::HeadLeft,
     "za udział w szkolnym konkursie plastycznym"},
    {O::Art,
     "Konkurs plastyczny – wyróżnienie",
     10,
     {B::Notched},
     false,
     M::Paints,
     S::FootLeft,
     M::CrossedPencils,
     S::FootRight,
     "wyróżnienie w szkolnym konkursie plastycznym"},

    {O::Sport, "Sport – medal w paski", 8, {B::Classic, Band::Stripes}, false, M::MedalLaurel, S::Head},
    {O::Sport, "Sport – meander i puchar", 0, {B::Classic, Band::Meander}, true, M::Cup, S::Foot},
    {O::Sport, "Sport – podium", 12, {B::Brackets}, true, M::Podium, S::Foot},
    {O::Sport, "Sport – szarfa z medalem", 11, {B::Sash}, false, M::MedalLaurel, S::HeadRight, M::Cup, S::FootLeft},
    {O::Sport, "Sport – puchar", 11, {B::Rounded}, false, M::Cup, S::Head},
    {O::Sport, "Sport – jodełka", 14, {B::Classic, Band::Chevrons}, false, M::MedalLaurel, S::FootLeft, M::Cup, S::FootRight},

    {O::Reading, "Czytelnik Roku – winorośl", 2, {B::Classic, Band::Vine}, false, M::OpenBook, S::Head},
    {O::Reading, "Czytelnik Roku – sowa", 7, {B::Rounded}, true, M::Owl, S::Foot},
    {O::Reading, "Czytelnik Roku – stos książek", 13, {B::Notched}, false, M::BookStack, S::FootRight, M::Owl, S::HeadLeft},
    {O::Reading, "Czytelnik Roku – giloszowa rama", 11, {B::Classic, Band::Guilloche}, true, M::OpenBook, S::Foot},
    {O::Reading, "Czytelnik Roku – narożniki", 1, {B::Brackets}, false, M::BookStack, S::Head},
    {O::Reading,
     "Czytelnik Roku – łąka z sową",
     12,
     {B::Meadow, Band::None, 1},
     false,
     M::Owl,
     S::FootLeft,
     M::BookStack,
     S::FootRight},

    {O::Contest, "Konkurs – atom", 3, {B::Classic, Band::Lattice}, false, M::Atom, S::Head},
    {O::Contest, "Konkurs – mikroskop i kolba", 4, {B::Brackets}, false, M::Microscope, S::FootRight, M::Flask, S::FootLeft},
    {O::Contest, "Konkurs – globus", 13, {B::Swoosh}, false, M::Globe, S::Foot},
    {O::Contest, "Konkurs – szarfa z atomem", 10, {B::Sash}, false, M::Atom, S::Head, M::Globe, S::FootLeft},
    {O::Contest, "Konkurs – kolba", 0, {B::Notched}, true, M::Flask, S::Foot},
    {O::Contest, "Konkurs – mikroskop", 15, {B::Rounded}, false, M::Microscope, S::Head},

    {O::Music, "Muzyka – klawiatura i nuty", 13, {B::Keys}, false, M::Notes, S::Head},
    {O::Music, "Muzyka – lira na falach", 6, {B::Classic, Band::Waves}, false, M::Lyre, S::Foot},
    {O::Music, "Muzyka – gwiazdki i nuty", 14, {B::Confetti, Band::None, 1}, false, M::Notes, S::Foot},
    {O::Music, "Muzyka – lira", 5, {B::Notched}, false, M::Lyre, S::Head},
    {O::Music, "Muzyka – klawiatura i lira", 11, {B::Keys}, true, M::Lyre, S::HeadLeft, M::Notes, S::HeadRight},
    {O::Music, "Muzyka – szarfa", 1, {B::Sash}, false, M::Notes, S::FootLeft, M::Lyre, S::HeadRight},

    {O::YearEnd, "Koniec roku – biret", 0, {B::Classic, Band::Dentil}, false, M::Mortarboard, S::Head},
    {O::YearEnd, "Koniec roku – chorągiewki", 11, {B::Bunting, Band::None, 1}, false, M::Mortarboard, S::Foot},
    {O::YearEnd, "Koniec roku – szachownica i sowa", 12, {B::Classic, Band::Checker}, false, M::OwlCap, S::Foot},
    {O::YearEnd, "Koniec roku – fala i słońce", 2, {B::Swoosh}, false, M::OwlCap, S::FootRight, M::KidSun, S::HeadRight},
    {O::YearEnd,
     "Koniec roku – kropki i książki",
     15,
     {B::Dots, Band::None, 2},
     false,
     M::Mortarboard,
     S::FootLeft,
     M::BookStack,
     S::FootRight},
    {O::YearEnd,
     "Koniec roku – wakacje",
     9,
     {B::Rounded},
     true,
     M::KidSun,
     S::HeadLeft,
     M::Mortarboard,
     S::FootRight,
     "za udział w życiu klasy i udanych wakacji"},

    {O::Thanks, "Podziękowanie – tulipany", 13, {B::Rounded}, false, M::Tulips, S::Foot},
    {O::Thanks,
     "Podziękowanie – Rada Rodziców",
     1,
     {B::Classic, Band::Guilloche},
     false,
     M::Tulips,
     S::Head,
     M::None,
     S::None,
     "za ogromną pomoc i wsparcie Rady Rodziców w życiu szkoły"},
    {O::Thanks,
     "Podziękowanie – dla rodziców",
     8,
     {B::Swoosh},
     false,
     M::Heart,
     S::Foot,
     M::None,
     S::None,
     "za zaangażowanie i serce okazane naszej klasie"},
    {O::Thanks,
     "Dzień Edukacji Narodowej – jabłko",
     2,
     {B::Notched},
     false,
     M::Apple,
     S::FootRight,
     M::Daisy,
     S::HeadLeft,
     "z okazji Dnia Edukacji Narodowej"},
    {O::Thanks, "Podziękowanie – girlanda", 13, {B::Garland}, true, M::Daisy, S::FootLeft, M::Heart, S::FootRight},
    {O::Thanks,
     "Dzień Edukacji Narodowej – pióro",
     7,
     {B::Classic, Band::Rope},
     false,
     M::Tulips,
     S::FootLeft,
     M::Quill,
     S::FootRight,
     "z okazji Dnia Edukacji Narodowej"},
    {O::Thanks, "Podziękowanie – stokrotka", 6, {B::Brackets, Band::None, 1}, false, M::Daisy, S::Head},

    {O::Sport, "Sport – konfetti i podium", 8, {B::Confetti, Band::None, 2}, false, M::Podium, S::Foot},
    {O::Kindergarten,
     "Przedszkole – chorągiewki i biedronka",
     12,
     {B::Bunting, Band::None, 1},
     false,
     M::Ladybird,
     S::FootRight,
     M::Daisy,
     S::FootLeft,
     "za wytrwałość i wielki wysiłek"},
    {O::Music, "Muzyka – narożniki i nuty", 0, {B::Brackets, Band::None, 1}, true, M::Notes, S::Foot},
    {O::Contest, "Konkurs – globus i kolba", 4, {B::Rounded}, true, M::Globe, S::Head, M::Flask, S::FootRight},
    {O::Initiation, "Pasowanie – girlanda", 0, {B::Garland}, false, M::SchoolEmblem, S::Foot},
    {O::YearEnd, "Koniec roku – szarfa i biret", 3, {B::Sash}, false, M::Mortarboard, S::Foot, M::OwlCap, S::HeadRight},
    {O::Thanks,
     "Dzień Edukacji Narodowej – krata",
     14,
     {B::Classic, Band::Lattice},
     false,
     M::Apple,
     S::FootLeft,
     M::Daisy,
     S::FootRight,
     "z okazji Dnia Edukacji Narodowej"},
};

constexpr int kCount = int(sizeof kDesigns / sizeof kDesigns[0]);

// The landscape designs, numbered after the portrait ones; never reorder.
const Design kLandscape[] = {
    {O::Sport,
     "Sport – poziomy, meander z medalem",
     0,
     {B::Classic, Band::Meander},
     false,
     M::MedalLaurel,
     S::Left,
     M::Cup,
     S::Right},
    {O::Art, "Konkurs plastyczny – poziomy z tęczą", 11, {B::Rainbow}, false, M::Paints, S::Left, M::Crayons, S::Right},
    {O::Reading, "Czytelnik Roku – poziomy z winoroślą", 2, {B::Classic, Band::Vine}, true, M::OpenBook, S::Left, M::Owl, S::Right},
    {O::Kindergarten,
     "Przedszkole – poziomy, łąka ze słońcem",
     12,
     {B::Meadow},
     false,
     M::KidSun,
     S::HeadLeft,
     M::Butterfly,
     S::HeadRight,
     "za ukończenie przedszkola i wspaniałą zabawę"},
    {O::Thanks, "Podziękowanie – poziome z girlandą", 13, {B::Garland}, false, M::Tulips, S::Left, M::Heart, S::Right},
    {O::YearEnd, "Koniec roku – poziomy z chorągiewkami", 15, {B::Bunting}, false, M::Mortarboard, S::Left, M::BookStack, S::Right},
    {O::Contest,
     "Konkurs – poziomy z atomem i mikroskopem",
     4,
     {B::Brackets, Band::None, 1},
     false,
     M::Atom,
     S::Left,
     M::Microscope,
     S::Right},
    {O::Music, "Muzyka – pozioma klawiatura z lirą", 6, {B::Keys}, true, M::Lyre, S::Left, M::Notes, S::Right},
    {O::Initiation, "Pasowanie – poziome z tarczą", 3, {B::Notched}, false, M::SchoolEmblem, S::Left, M::Quill, S::Right},
    {O::Sport, "Sport – poziomy z podium i szarfą", 8, {B::Sash}, false, M::Podium, S::FootLeft, M::MedalLaurel, S::Right},
};

constexpr int kLandscapeCount = int(sizeof kLandscape / sizeof kLandscape[0]);

bool isLandscape(int i)
{
    return i > kCount;
}

const Design &design(int i)
{
    return isLandscape(i) ? kLandscape[(i - kCount - 1) % kLandscapeCount] : kDesigns[(i - 1) % kCount];
}

QRectF landscapeFreeArea(const Design &d)
{
    const double in = borderInset(d.border) + 6;
    double top = in + 4, bottom = pageH() - in - 4;
    double left = std::max(in, 30.0), right = pageW() - std::max(in, 30.0);
    if (d.border.border == Border::Bunting)
        top = std::max(top, 36.0);
    if (d.border.border == Border::Keys)
        bottom = std::min(bottom, pageH() - 36);
    if (d.border.border == Border::Meadow)
        bottom = std::min(bottom, pageH() - 40);
    for (const Slot slot : {d.slot, d.secondSlot}) {
        if (atLeft(slot))
            left = std::max(left, 78.0);
        if (atRight(slot))
            right = std::min(right, pageW() - 78);
        if (slot == Slot::Head)
            top = std::max(top, 54.0);
        if (slot == Slot::Foot)
            bottom = std::min(bottom, pageH() - 54);
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace

int occasionDesignCount()
{
    return kCount + kLandscapeCount;
}

QByteArray occasionTemplate(int i)
{
    const Design &d = design(i);
    const Scheme &s = kSchemes[d.scheme];
    std::optional<LandscapeSheet> landscape;
    if (isLandscape(i))
        landscape.emplace();
    Art a;
    if (d.tint) {
        const double in = borderInset(d.border);
        a.noPen();
        a.brush(s.tint);
        a.rect(in, in, pageW() - in, pageH() - in);
    }
    drawBorder(a, s, d.border);
    for (const auto &[motif, slot] : {std::pair(d.motif, d.slot), std::pair(d.second, d.secondSlot)})
        if (motif != Motif::None && slot != Slot::None) {
            const Placed p = isLandscape(i) ? landscapeSlotPlace(slot) : slotPlace(slot);
            drawMotif(a, s, motif, p.centre, p.size);
        }
    return a.finish();
}

DesignInfo occasionDesignInfo(int i)
{
    const Design &d = design(i);
    const Scheme &s = kSchemes[d.scheme];
    if (isLandscape(i)) {
        const LandscapeSheet landscape;
        DesignInfo info = suggestedLayout(d.occasion, QString::fromUtf8(d.title), landscapeFreeArea(d), s,
                                          d.body ? QString::fromUtf8(d.body) : QString());
        info.landscape = true;
        return info;
    }
    const double in = borderInset(d.border) + 6;
    double top = in + 4, bottom = pageH() - in - 4;
    if (d.border.border == Border::Bunting)
        top = std::max(top, 36.0);
    if (d.border.border == Border::Keys)
        bottom = std::min(bottom, pageH() - 36);
    if (d.border.border == Border::Meadow)
        bottom = std::min(bottom, pageH() - 38);
    if (atHead(d.slot) || atHead(d.secondSlot))
        top = std::max(top, 60.0);
    if (atFoot(d.slot) || atFoot(d.secondSlot))
        bottom = std::min(bottom, 230.0);
    const QRectF free(QPointF(std::max(in, 30.0), top), QPointF(pageW() - std::max(in, 30.0), bottom));
    return suggestedLayout(d.occasion, QString::fromUtf8(d.title), free, s,
                           d.body ? QString::fromUtf8(d.body) : QString());
}

} // namespace templateart
