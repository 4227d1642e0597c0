#pragma once
#include "printing/PrintDiploma.h"

#include <functional>

class QWidget;

namespace printing {

// "Drukuj dyplom": the print dialog, then the diploma on the chosen printer.
// gather reads the editor's texts, styles, picture and template position; it
// runs only after the dialog has been confirmed. A cancelled dialog prints
// and shows nothing; every failure goes to the default error report.
void SpeedButton4Click(QWidget *parent, const std::function<PrintInput()> &gather);

} // namespace printing
