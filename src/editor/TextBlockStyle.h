#pragma once
#include <QString>
#include <cstdint>

namespace editor {

// Style bits of a text block's font.
namespace FontStyle {
constexpr std::uint8_t Bold = 1;
constexpr std::uint8_t Italic = 2;
constexpr std::uint8_t Underline = 4;
constexpr std::uint8_t StrikeOut = 8;
constexpr std::uint8_t Mask = 0x0F;
} // namespace FontStyle

// 0x00BBGGRR, or 0xFF0000nn for the platform's system colour nn.
using ColourValue = std::uint32_t;
constexpr ColourValue WindowTextColour = 0xFF000008u;

// Font and position of one text block.
struct TextBlockStyle {
    QString fontName;
    std::int32_t size = 0;
    ColourValue colour = 0;
    std::uint8_t style = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;

    bool operator==(const TextBlockStyle &o) const
    {
        return fontName == o.fontName && size == o.size && colour == o.colour && style == o.style && left == o.left
               && top == o.top;
    }
    bool operator!=(const TextBlockStyle &o) const { return !(*this == o); }
};

} // namespace editor
