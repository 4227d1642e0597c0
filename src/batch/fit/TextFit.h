#pragma once
#include "FreeArea.h"

#include "printing/PrintDiploma.h"
#include "printing/SheetDevice.h"

#include <QList>
#include <QRectF>
#include <array>
#include <memory>

namespace batch {

// Where the print command puts a text on the page, in dots of the
// printable area: the cell it paints.
struct PlacedText {
    int index = 0; // 0 heading, 1 … 6 body lines, 7 recipient
    QString text;
    QRectF cell;
};

// Lays out the texts of a diploma as printDiploma does on a printer of the
// given geometry, without drawing anything.
class TextLayout {
public:
    explicit TextLayout(const printing::SheetGeometry &geometry);
    ~TextLayout();

    // The non-empty texts of input.
    QList<PlacedText> place(const printing::PrintInput &input);
    // The template's frame on the page (dots), as printDiploma stretches it.
    QRectF templateRect(const printing::PrintInput &input) const;
    // The printable area (dots): the sheet's edges for the texts.
    QRectF sheetRect() const;
    // Preview units (TextBlockStyle::left) that put a text's left edge
    // nearest to x dots.
    std::int32_t leftUnitsFor(qreal x) const;
    const printing::SheetGeometry &geometry() const { return geometry_; }

private:
    class Device;
    std::unique_ptr<Device> device_;
    printing::SheetGeometry geometry_;
};

struct FitSettings {
    bool shrink = false; // --dopasuj
    bool centre = false; // --wysrodkuj
    double floor = 0.6;  // shrinking stops at this share of the size
};

// What fitting did to one record and what is still wrong.
struct FitOutcome {
    struct Shrink {
        int block = 0; // 0 heading, 1 body, 2 recipient
        int from = 0;  // points
        int to = 0;
    };
    QList<Shrink> shrunk;
    QList<PlacedText> overBorder; // crossing the free area's side (or the sheet's edge without one)
    QList<PlacedText> offSheet;   // crossing the printable area's edge
};

// Checks, and with the settings centres and shrinks, the texts of one
// record in place. A text crosses the free area when its vertical middle
// lies within the free area and its cell reaches past the area's left or
// right side; texts above or below the free area are checked against the
// sheet only. Without a free area the sheet's edges are the bounds.
// filled: the texts that come from the list (only these are centred).
FitOutcome fitRecord(printing::PrintInput &input, const std::array<bool, 8> &filled, const FreeArea &area,
                     const FitSettings &settings, TextLayout &layout);

// The block a text belongs to (0 heading, 1 body, 2 recipient) and its name.
int blockOf(int text);
QString blockName(int block);

} // namespace batch
