#include "Motifs.h"

namespace templateart {

void drawMotif(Art &a, const Scheme &s, Motif m, QPointF c, double size)
{
    const Placement placed(a, c, size / 40.0);
    switch (m) {
    case Motif::None: break;
    case Motif::MedalLaurel: drawMedalLaurel(a, s); break;
    case Motif::Cup: drawCup(a, s); break;
    case Motif::Podium: drawPodium(a, s); break;
    case Motif::OpenBook: drawOpenBook(a, s); break;
    case Motif::BookStack: drawBookStack(a, s); break;
    case Motif::Owl: drawOwl(a, s, false); break;
    case Motif::OwlCap: drawOwl(a, s, true); break;
    case Motif::Mortarboard: drawMortarboard(a, s); break;
    case Motif::Paints: drawPaints(a, s); break;
    case Motif::Crayons: drawCrayons(a, s); break;
    case Motif::KidSun: drawKidSun(a, s); break;
    case Motif::Ladybird: drawLadybird(a, s); break;
    case Motif::Butterfly: drawButterfly(a, s); break;
    case Motif::Quill: drawQuill(a, s); break;
    case Motif::SchoolEmblem: drawSchoolEmblem(a, s); break;
    case Motif::CrossedPencils: drawCrossedPencils(a, s); break;
    case Motif::Tulips: drawTulips(a, s); break;
    case Motif::Daisy: drawDaisy(a, s); break;
    case Motif::Heart: drawHeart(a, s); break;
    case Motif::Apple: drawApple(a, s); break;
    case Motif::Notes: drawNotes(a, s); break;
    case Motif::Lyre: drawLyre(a, s); break;
    case Motif::Atom: drawAtom(a, s); break;
    case Motif::Microscope: drawMicroscope(a, s); break;
    case Motif::Globe: drawGlobe(a, s); break;
    case Motif::Flask: drawFlask(a, s); break;
    }
}

} // namespace templateart
