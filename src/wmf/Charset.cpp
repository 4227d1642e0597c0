#include "wmf/Charset.h"

#include <QStringDecoder>

namespace wmf {

const char *codePageForCharset(int charset)
{
    switch (charset) {
    case 77: return "macintosh";
    case 128: return "Shift_JIS";
    case 129: return "windows-949";
    case 134: return "GBK";
    case 136: return "Big5";
    case 161: return "windows-1253";
    case 162: return "windows-1254";
    case 163: return "windows-1258";
    case 177: return "windows-1255";
    case 178: return "windows-1256";
    case 186: return "windows-1257";
    case 204: return "windows-1251";
    case 222: return "windows-874";
    case 238: return "windows-1250";
    case 255: return "IBM437";
    default: return "windows-1252";
    }
}

bool isMultiByteCharset(int charset)
{
    return charset == 128 || charset == 129 || charset == 130 || charset == 134 || charset == 136;
}

QString decodeText(const QByteArray &bytes, int charset)
{
    if (charset == 2) // SYMBOL: the glyph is the byte itself
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(codePageForCharset(charset));
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder.decode(bytes);
    return text;
}

} // namespace wmf
