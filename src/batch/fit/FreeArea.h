#pragma once
#include <QRectF>
#include <QString>

namespace wmf {
class Metafile;
}

namespace batch {

// The part of a template where texts can go: around the middle of the
// sheet, with no template ink.
//
// The rule: the template is drawn on white at 1 dot per millimetre of an A4
// sheet, without antialiasing, and cut into cells of 3 × 3 mm. The
// background is the colour found most often in the middle of the sheet
// (half its width, a third of its height). A cell holds ink when one of its
// dots differs from the background by more than 48 of 255 in a colour
// channel. The free area is the largest rectangle of cells without ink that
// holds the sheet's centre. When the centre has ink, or the rectangle is
// narrower than 40 % of the sheet or lower than 10 % (a full-sheet photo or
// scan), the template has no free area.
struct FreeArea {
    bool found = false;
    QRectF rect; // in fractions of the template's frame, 0 … 1 across and down
};

FreeArea findFreeArea(const wmf::Metafile &picture);

// The same, computed once per key (the template's path, size and time) for
// the life of the process; safe from any thread.
FreeArea cachedFreeArea(const QString &key, const wmf::Metafile &picture);

} // namespace batch
