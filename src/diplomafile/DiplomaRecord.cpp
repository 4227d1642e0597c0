#include "DiplomaRecord.h"

#include "platform/IoError.h"
#include "platform/RecordBytes.h"

namespace diplomafile {
namespace {

namespace L = RecordLayout;
using editor::TextBlockStyle;

void putBlock(QByteArray &record, int block, const TextBlockStyle &style)
{
    platform::putShortString(record, block + L::FontName, L::FontNameCapacity, style.fontName);
    platform::putInt32(record, block + L::FontSize, style.size);
    platform::putInt32(record, block + L::Colour, static_cast<std::int32_t>(style.colour));
    record[block + L::Style] = static_cast<char>(style.style & editor::FontStyle::Mask);
    platform::putInt32(record, block + L::Left, style.left);
    platform::putInt32(record, block + L::Top, style.top);
}

TextBlockStyle getBlock(const QByteArray &record, int block)
{
    TextBlockStyle style;
    style.fontName = platform::getShortString(record, block + L::FontName, L::FontNameCapacity);
    style.size = platform::getInt32(record, block + L::FontSize);
    style.colour = static_cast<editor::ColourValue>(platform::getInt32(record, block + L::Colour));
    style.style = static_cast<std::uint8_t>(record.at(block + L::Style)) & editor::FontStyle::Mask;
    style.left = platform::getInt32(record, block + L::Left);
    style.top = platform::getInt32(record, block + L::Top);
    return style;
}

int bodyLineOffset(int line)
{
    return L::FirstBodyLine + line * L::BodyLineStride;
}

} // namespace

DiplomaContent contentOf(const editor::DiplomaDocument &document, const editor::DiplomaTexts &texts)
{
    DiplomaContent content;
    content.heading = document.heading;
    content.body = document.body;
    content.templateNumber = document.templateNumber;
    content.recipient = document.recipient;
    content.texts = texts;
    return content;
}

QByteArray buildDiplomaRecord(const DiplomaContent &content)
{
    QByteArray record(L::Size, '\0');
    putBlock(record, L::HeadingBlock, content.heading);
    putBlock(record, L::BodyBlock, content.body);
    platform::putInt32(record, L::TemplateNumber, content.templateNumber);
    putBlock(record, L::RecipientBlock, content.recipient);
    platform::putShortString(record, L::HeadingText, L::HeadingCapacity, content.texts.heading);
    platform::putShortString(record, L::RecipientText, L::RecipientCapacity, content.texts.recipient);
    for (int line = 0; line < 6; ++line)
        platform::putShortString(record, bodyLineOffset(line), L::BodyLineCapacity, content.texts.body[line]);
    return record;
}

DiplomaContent parseDiplomaRecord(const QByteArray &bytes)
{
    if (bytes.size() < L::Size)
        throw platform::IoError(platform::IoCode::ReadBeyondEnd);
    const QByteArray record = bytes.left(L::Size);
    DiplomaContent content;
    content.heading = getBlock(record, L::HeadingBlock);
    content.body = getBlock(record, L::BodyBlock);
    content.templateNumber = platform::getInt32(record, L::TemplateNumber);
    content.recipient = getBlock(record, L::RecipientBlock);
    content.texts.heading = platform::getShortString(record, L::HeadingText, L::HeadingCapacity);
    content.texts.recipient = platform::getShortString(record, L::RecipientText, L::RecipientCapacity);
    for (int line = 0; line < 6; ++line)
        content.texts.body[line] = platform::getShortString(record, bodyLineOffset(line), L::BodyLineCapacity);
    return content;
}

} // namespace diplomafile
