#pragma once
#include "SheetLayout.h"

#include <QString>

class QIODevice;

namespace batch {

// Every page of the PDF in (one diploma each, drawn on drawingGeometry's
// shape) laid onto the sheets of layout, stretched to the diploma's size and
// turned as its position asks, with thin cut marks between the positions;
// the first diploma at position start (from 1) of the first sheet, the
// positions before it left blank. The file asks viewers not to scale it.
// Throws PdfComposeError.
void writeImposedPdf(const QString &in, const SheetLayout &layout, int start, QIODevice &output);

} // namespace batch
