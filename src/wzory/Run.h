#pragma once
#include "Options.h"

#include <QStringList>
#include <QTextStream>

namespace wzory {

// One run of dyplom-wzory in the current directory: 0 ok, 1 failure, 2 bad usage.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// Where a design is converted: in a forked child with CPU and memory limits,
// or in this process. A program that already runs threads of its own (the
// class window) converts in process: a forked copy of it can hang on a lock
// one of those threads held.
enum class Containment { Child, InProcess };

// What dodaj does: the design o.design imported and stored in folder as
// number o.number (0: the next free one). Returns the number and sets
// *stored to the template's path, *bytes to its size and *warnings to what
// the conversion left out, when given. Throws ImportError.
int addDesign(const Options &o, const QString &folder, QString *stored = nullptr, qint64 *bytes = nullptr,
              QByteArray *metafile = nullptr, QStringList *warnings = nullptr,
              Containment containment = Containment::Child);

} // namespace wzory
