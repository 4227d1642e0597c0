#include "Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QByteArray toCp1250(const QString &text)
{
    // Encoding one character at a time keeps ICU's sticky error flag from
    // hiding where the unmappable ones are; the substitution 0x1A it writes
    // is replaced by the platform's default character.
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString piece = text.mid(i, len);
        i += len - 1;
        QStringEncoder encoder("windows-1250", QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(piece);
        if (encoder.hasError() || bytes.size() != 1 || (bytes.at(0) == 0x1A && piece != QStringLiteral("\x1A")))
            out.append('?');
        else
            out.append(bytes);
    }
    return out;
}

QString fromCp1250(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace platform
