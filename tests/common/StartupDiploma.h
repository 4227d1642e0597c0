#pragma once
#include "editor/TextBlockStyle.h"

#include <QString>

// The text blocks of the diploma the editor starts with: Times New Roman 48
// at (80, 60) for the heading, 26 at (50, 120) for the body and 26 at
// (50, 100) for the recipient. Header-only, so that tests and benchmarks of
// any area can use it whatever they link.
namespace startupdiploma {

inline editor::TextBlockStyle block(int size, int left, int top)
{
    editor::TextBlockStyle s;
    s.fontName = QStringLiteral("Times New Roman");
    s.size = size;
    s.left = left;
    s.top = top;
    return s;
}

// Sets the three blocks of a diplomafile::DiplomaContent, a printing::PrintInput
// or anything else with heading, body and recipient styles.
template <typename Diploma>
void setStyles(Diploma &d)
{
    d.heading = block(48, 80, 60);
    d.body = block(26, 50, 120);
    d.recipient = block(26, 50, 100);
}

} // namespace startupdiploma
