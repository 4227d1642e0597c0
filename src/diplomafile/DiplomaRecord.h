#pragma once
#include "editor/DiplomaDocument.h"

#include <QByteArray>
#include <cstdint>

namespace diplomafile {

// Everything a diploma file holds, as plain values.
struct DiplomaContent {
    editor::TextBlockStyle heading;
    editor::TextBlockStyle body;
    std::int32_t templateNumber = 0;
    editor::TextBlockStyle recipient;
    editor::DiplomaTexts texts;

    bool operator==(const DiplomaContent &o) const
    {
        return heading == o.heading && body == o.body && templateNumber == o.templateNumber && recipient == o.recipient
               && texts == o.texts;
    }
};

// Layout of the 1064-byte record.
namespace RecordLayout {
constexpr int Size = 1064;
constexpr int BlockSize = 124;
constexpr int HeadingBlock = 0;
constexpr int BodyBlock = 124;
constexpr int TemplateNumber = 248;
constexpr int RecipientBlock = 252;
// Within a block.
constexpr int FontName = 0;
constexpr int FontNameCapacity = 100;
constexpr int FontSize = 104;
constexpr int Colour = 108;
constexpr int Style = 112;
constexpr int Left = 116;
constexpr int Top = 120;
// Texts.
constexpr int HeadingText = 376;
constexpr int HeadingCapacity = 30;
constexpr int RecipientText = 407;
constexpr int RecipientCapacity = 50;
constexpr int FirstBodyLine = 458;
constexpr int BodyLineCapacity = 100;
constexpr int BodyLineStride = 101;
} // namespace RecordLayout

// The content of a document and the eight texts of the editor.
DiplomaContent contentOf(const editor::DiplomaDocument &document, const editor::DiplomaTexts &texts);

// The 1064 bytes of a diploma file. Texts are cut to their capacity after
// conversion to Windows-1250; every byte without a meaning is zero.
QByteArray buildDiplomaRecord(const DiplomaContent &content);

// Reads the first 1064 bytes only; a shorter buffer is "Read beyond end of
// file" (platform::IoError). Style bits 4 to 7 are dropped, a length byte
// above its field's capacity is cut to the capacity.
DiplomaContent parseDiplomaRecord(const QByteArray &record);

} // namespace diplomafile
