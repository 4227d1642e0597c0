#pragma once
#include <QList>
#include <QString>
#include <functional>

namespace batch {

class OutputFile;

// A PDF of all templates of folder, nine to an A4 page, each with its
// number below it. A damaged template gets a crossed frame and a warning.
// Written to file and finished; returns the number of templates. Throws
// Failure.
int writeCatalogue(const QString &folder, OutputFile &file, const std::function<void(const QString &)> &warn);

} // namespace batch
