#pragma once
#include "Options.h"

#include <QStringList>
#include <QTextStream>

namespace wzory {

// One run of dyplom-wzory in the current directory: 0 ok, 1 failure, 2 bad usage.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// What dodaj does: the design o.design converted in a forked child under CPU
// and memory limits (so call it from a program without threads of its own:
// a forked copy can hang on a lock another thread held) and stored in folder as
// number o.number (0: the next free one). Returns the number and sets
// *stored to the template's path, *bytes to its size and *warnings to what
// the conversion left out, when given. Throws ImportError.
int addDesign(const Options &o, const QString &folder, QString *stored = nullptr, qint64 *bytes = nullptr,
              QByteArray *metafile = nullptr, QStringList *warnings = nullptr);

} // namespace wzory
