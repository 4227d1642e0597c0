#pragma once
#include "editor/DiplomaDocument.h"
#include "editor/TextBlockStyle.h"
#include "printing/PrinterDevice.h"
#include "wmf/Metafile.h"

#include <cstdint>
#include <optional>

namespace printing {

// Everything the print command reads from the editor.
struct PrintInput {
    editor::DiplomaTexts texts;
    editor::TextBlockStyle heading;
    editor::TextBlockStyle body;
    editor::TextBlockStyle recipient;
    wmf::Metafile picture;         // the template shown in the preview
    std::int32_t templateLeft = 0; // spin edit margin_wz_l
    std::int32_t templateTop = 0;  // spin edit margin_wz_g
    // A left margin of its own for a body line (preview units, as
    // TextBlockStyle::left), e.g. a class list's centred lines; unset: body.left.
    std::optional<std::int32_t> bodyLeft[6];
    // Texts on a white cell that hides the template beneath (the print
    // look); false draws them transparent, as the editor's preview does.
    bool textBackground = true;
};

// Prints one diploma as one job of one page on device: the template
// stretched to the largest A4-shaped rectangle of the printable area, then
// heading, six body lines and recipient (in that order).
//
// Failures: before the job (a printer below 13 dpi, a job that does not
// start) nothing is printed; a failing template still gets the texts printed
// and the job ended, and is then rethrown; a failure while writing texts
// drops the job and propagates.
void printDiploma(PrinterDevice &device, const PrintInput &input);

} // namespace printing
