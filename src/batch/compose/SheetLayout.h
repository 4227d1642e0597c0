#pragma once
#include "printing/SheetDevice.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace batch {

// The paper names offered, in the order they are offered.
const QStringList &paperNames();
// The name as it is written ("a5" → "A5"); empty when no paper has it.
QString paperName(const QString &typed);
// A paper's upright size in millimetres; empty for an unknown name.
QSizeF paperSizeMm(const QString &name);

// One diploma's place on a sheet, in millimetres from its top-left corner.
struct SheetPosition {
    QRectF areaMm;
    bool turned = false; // a quarter turn: the diploma's top to the sheet's left edge
};

// How diplomas go onto the paper: the diploma's paper and its orientation,
// and how many of them share one sheet.
struct SheetLayout {
    QString paper = QStringLiteral("A4");
    bool landscape = false;
    int perSheet = 1; // 1, 2 or 4

    // One upright A4 diploma per A4 sheet: drawn as it always was.
    bool isPlain() const { return paper == QLatin1String("A4") && !landscape && perSheet == 1; }
    QSizeF diplomaMm() const; // across first
    // The paper that goes into the printer: two A5 or four A6 on A4, two A6 on A5.
    QString sheetPaper() const;
    // One per sheet: the diploma's size; else the sheet paper upright.
    QSizeF sheetMm() const;
    // Row by row from the top left, each diploma in the middle of its part
    // of the sheet, turned when the part lies the other way.
    QList<SheetPosition> positions() const;
    // Short lines (mm) on the lines the sheet is cut along, in its margin,
    // from each edge inwards; none for one per sheet.
    QList<QLineF> cutMarks() const;
};

constexpr double CutMarkMm = 5;

// Why a layout cannot be printed (Polish); empty when it can.
QString layoutError(const SheetLayout &layout);

// The shape the print command draws a diploma of layout on before it is
// laid onto its sheet: A4, turned for a landscape diploma (the template
// then stretched across it), the whole sheet printable.
printing::SheetGeometry drawingGeometry(const SheetLayout &layout, int dpi);

// Where the diplomas go: the index-th on sheet (from 0), position (from 0),
// the first at position start (from 1) of the first sheet.
struct Placement {
    int sheet = 0;
    int position = 0;
};
QList<Placement> placements(int diplomas, int perSheet, int start);

} // namespace batch
