#pragma once
#include <QList>
#include <QString>

namespace platform {

// A template file BDR_nnnn.wmf of a folder.
struct TemplateFile {
    int number = 0; // nnnn; 0 when the digits are too many for a number
    QString path;
    qint64 size = 0;
};

// The files BDR_nnnn.wmf of folder, the name in any letter case, as the
// editor finds them: by number, and of one number by path. Numbers are not
// checked against the editor's range: callers that need it filter.
QList<TemplateFile> templateFilesIn(const QString &folder);

} // namespace platform
