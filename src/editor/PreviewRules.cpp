#include "PreviewRules.h"
#include "Colours.h"
#include "platform/Rounding.h"

#include <QLabel>

namespace editor {

std::int32_t previewFontSize(std::int32_t size)
{
    return platform::Round(static_cast<long double>(size) / 3);
}

std::int32_t bodyLineStep(std::int32_t bodySize)
{
    return platform::Round(static_cast<long double>(bodySize) / 1.7L);
}

void applyPreviewFont(QLabel *label, const TextBlockStyle &style)
{
    QFont font = label->font();
    font.setFamily(style.fontName);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(style.colour, palette));
    font.setBold(style.style & FontStyle::Bold);
    font.setItalic(style.style & FontStyle::Italic);
    font.setUnderline(style.style & FontStyle::Underline);
    font.setStrikeOut(style.style & FontStyle::StrikeOut);
    // A size of 0 has no meaning for the toolkit; a negative one is a pixel height.
    const std::int32_t size = previewFontSize(style.size);
    if (size > 0)
        font.setPointSize(size);
    else if (size < 0)
        font.setPixelSize(-size);
    label->setPalette(palette);
    label->setFont(font);
    label->adjustSize();
}

} // namespace editor
