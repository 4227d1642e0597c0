#pragma once
#include "editor/TextBlockStyle.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace batch {

// Characters that no installed font can draw in a block's font, found as
// the toolkit lays the text out (with its font fallback): a character that
// still ends up as the empty glyph. Each character is asked once per font.
class MissingGlyphs {
public:
    // The characters of text (whole code points) that would print as empty boxes.
    QStringList in(const QString &text, const editor::TextBlockStyle &style);

private:
    QHash<QString, bool> known_; // font key + character → drawable
};

} // namespace batch
