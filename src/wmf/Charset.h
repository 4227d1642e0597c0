#pragma once
#include <QByteArray>
#include <QString>

namespace wmf {

// The code page a font's character set stands for ("windows-1250" for
// EASTEUROPE); windows-1252 for ANSI, DEFAULT and anything unknown.
const char *codePageForCharset(int charset);

// Multi-byte code pages: one spacing entry per byte, not per character.
bool isMultiByteCharset(int charset);

QString decodeText(const QByteArray &bytes, int charset);

} // namespace wmf
