#include "Colours.h"

namespace editor {
namespace {

// Windows system-colour indexes and their palette roles.
QColor systemColour(int index, const QPalette &palette)
{
    switch (index) {
    case 1: return palette.color(QPalette::Window); // desktop
    case 2:
    case 3: return palette.color(QPalette::Window);          // captions
    case 4: return palette.color(QPalette::Window);          // menu
    case 5: return palette.color(QPalette::Base);            // window
    case 6: return palette.color(QPalette::Dark);            // window frame
    case 7: return palette.color(QPalette::WindowText);      // menu text
    case 8: return palette.color(QPalette::WindowText);      // window text
    case 9: return palette.color(QPalette::HighlightedText); // caption text
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);
    case 16: return palette.color(QPalette::Mid);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);
    case 21: return palette.color(QPalette::Shadow);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::WindowText);
    }
}

} // namespace

QColor toQColor(ColourValue value, const QPalette &palette)
{
    if ((value >> 24) == 0xFF)
        return systemColour(int(value & 0xFF), palette);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColourValue fromQColor(const QColor &colour)
{
    return ColourValue(colour.red()) | (ColourValue(colour.green()) << 8) | (ColourValue(colour.blue()) << 16);
}

} // namespace editor
