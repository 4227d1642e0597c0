#pragma once
#include <QStringList>
#include <QTextStream>

namespace wzory {

// One run of dyplom-wzory in the current directory: 0 ok, 1 failure, 2 bad usage.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace wzory
