#pragma once
#include "batch/Page.h"
#include "batch/compose/SheetLayout.h"

#include <QList>
#include <QString>

class QPrinter;

namespace klasa {

// The pages the print dialog's choices ask for, as one job: the range (or
// the page shown), then every copy of them in turn when collated, else each
// page as many times as there are copies.
QList<batch::Page> pagesToPrint(const QPrinter &printer, const QList<batch::Page> &pages, int currentPage);

// Why a choice made in the print dialog cannot be honoured (paper other
// than the sheet's, A4 portrait unless layout says otherwise, a
// selection); empty when all of them can.
QString unsupportedPrintChoice(const QPrinter &printer, const batch::SheetLayout &layout = {});

} // namespace klasa
