#pragma once
#include <QByteArray>
#include <QString>

namespace wzory {

// What a template's records draw, in a few Polish words: "wektor: 412 figur",
// "bitmapa 2480 × 3508", "wektor: 12 figur, 1 bitmapa 300 × 200", or why it
// cannot be read.
QString describeTemplate(const QByteArray &bytes);

} // namespace wzory
