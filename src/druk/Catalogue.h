#pragma once
#include <QList>
#include <QString>
#include <functional>

namespace druk {

struct TemplateFile {
    int number = 0;
    QString path;
};

// The templates BDR_NNNN.wmf of a folder (letter case ignored), by number.
QList<TemplateFile> templateFiles(const QString &folder);

// A PDF of all templates of folder, nine to an A4 page, each with its
// number below it. A damaged template gets a crossed frame and a warning.
// Returns the number of templates; throws Failure.
int writeCatalogue(const QString &folder, const QString &path, const std::function<void(const QString &)> &warn);

} // namespace druk
