#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// The system's ANSI code page. A character without a mapping becomes "?".
QByteArray toCp1250(const QString &text);
QString fromCp1250(const QByteArray &bytes);

} // namespace platform
