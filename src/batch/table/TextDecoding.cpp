#include "TextDecoding.h"

#include "Table.h"

#include "platform/Cp1250.h"

#include <QStringDecoder>

namespace batch {

namespace {

const QString Utf8 = QStringLiteral("UTF-8");
const QString Utf16LE = QStringLiteral("UTF-16LE");
const QString Utf16BE = QStringLiteral("UTF-16BE");
const QString Cp1250 = QStringLiteral("Windows-1250");
const QString Cp1251 = QStringLiteral("Windows-1251");

// Lines of bytes of an ASCII-compatible encoding.
QList<QByteArray> byteLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size()) // a final line break opens no line
        lines.append(bytes.mid(start));
    return lines;
}

QStringList textLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

// Strict: a sequence cut off at the end is an error too, so a Windows-1250
// line ending in "ę" (0xEA) is not taken for UTF-8 and its letter dropped.
bool isUtf8(const QByteArray &bytes)
{
    return bytes.isValidUtf8();
}

bool hasHighBytes(const QByteArray &bytes)
{
    for (const char c : bytes)
        if (uchar(c) >= 0x80)
            return true;
    return false;
}

bool looksCyrillic(const QByteArray &bytes)
{
    int cyrillic = 0;
    int latin = 0;
    int length = 0;
    bool ascii = false;
    const auto endWord = [&] {
        if (length > 0) {
            if (ascii)
                ++latin;
            else if (length >= 2)
                ++cyrillic;
        }
        length = 0;
        ascii = false;
    };
    for (const char ch : bytes) {
        const uchar c = uchar(ch);
        const bool asciiLetter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (asciiLetter || c >= 0x80) {
            ++length;
            ascii = ascii || asciiLetter;
        } else {
            endWord();
        }
    }
    endWord();
    return cyrillic > latin;
}

QString decodeUtf16(const QByteArray &bytes, bool littleEndian)
{
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return decoder(bytes);
}

} // namespace

QString fromCp1251(const QByteArray &bytes)
{
    static const char16_t high[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
        0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
        0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
        0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
        0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const uchar c = uchar(ch);
        if (c < 0x80)
            text += QChar(c);
        else if (c < 0xC0)
            text += QChar(high[c - 0x80]);
        else
            text += QChar(char16_t(0x0410 + (c - 0xC0)));
    }
    return text;
}

QString encodingName(const QString &typed)
{
    QString key = typed.trimmed().toLower();
    key.remove(QLatin1Char('-')).remove(QLatin1Char('_')).remove(QLatin1Char(' '));
    if (key == QLatin1String("utf8"))
        return Utf8;
    if (key == QLatin1String("utf16") || key == QLatin1String("utf16le") || key == QLatin1String("unicode"))
        return Utf16LE;
    if (key == QLatin1String("utf16be"))
        return Utf16BE;
    if (key == QLatin1String("windows1250") || key == QLatin1String("cp1250") || key == QLatin1String("win1250"))
        return Cp1250;
    if (key == QLatin1String("windows1251") || key == QLatin1String("cp1251") || key == QLatin1String("win1251"))
        return Cp1251;
    return {};
}

QString knownEncodings()
{
    return QStringLiteral("utf-8, utf-16le, utf-16be, windows-1250, windows-1251");
}

DecodedLines decodeLines(const QByteArray &bytes, const QString &forced, const QString &fileName)
{
    DecodedLines out;
    QString encoding;
    if (!forced.isEmpty()) {
        encoding = encodingName(forced);
        if (encoding.isEmpty())
            throw TableError(
                QStringLiteral("%1: nieznane kodowanie „%2” (znane: %3)").arg(fileName, forced, knownEncodings()));
    }

    // UTF-16: a byte order mark, or the encoding named.
    const bool bomLE = bytes.startsWith("\xFF\xFE");
    const bool bomBE = bytes.startsWith("\xFE\xFF");
    if ((encoding.isEmpty() && (bomLE || bomBE)) || encoding == Utf16LE || encoding == Utf16BE) {
        const bool littleEndian = encoding.isEmpty() ? bomLE : (bomLE || (!bomBE && encoding == Utf16LE));
        out.encoding = littleEndian ? Utf16LE : Utf16BE;
        out.lines = textLines(decodeUtf16(bomLE || bomBE ? bytes.mid(2) : bytes, littleEndian));
        return out;
    }

    const QByteArray data = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const QList<QByteArray> lines = byteLines(data);
    if (encoding.isEmpty()) {
        if (bytes.startsWith("\xEF\xBB\xBF") || isUtf8(data)) {
            encoding = Utf8;
        } else {
            int valid = 0;
            int invalid = 0;
            for (const QByteArray &line : lines)
                if (hasHighBytes(line))
                    ++(isUtf8(line) ? valid : invalid);
            encoding = valid >= invalid ? Utf8 : (looksCyrillic(data) ? Cp1251 : Cp1250);
        }
    }
    out.encoding = encoding;
    out.lines.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (encoding == Cp1250) {
            out.lines.append(platform::fromCp1250(line));
        } else if (encoding == Cp1251) {
            out.lines.append(fromCp1251(line));
        } else if (!hasHighBytes(line)) {
            out.lines.append(QString::fromLatin1(line));
        } else if (isUtf8(line)) {
            out.lines.append(QString::fromUtf8(line));
        } else {
            out.lines.append(platform::fromCp1250(line));
            out.fallbackLines.append(i + 1);
        }
    }
    return out;
}

} // namespace batch
