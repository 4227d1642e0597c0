#include "TemplateFiles.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace platform {

QList<TemplateFile> templateFilesIn(const QString &folder)
{
    static const QRegularExpression re(QStringLiteral("^BDR_(\\d+)\\.wmf$"), QRegularExpression::CaseInsensitiveOption);
    QList<TemplateFile> out;
    if (folder.isEmpty())
        return out;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &info : entries) {
        const auto m = re.match(info.fileName());
        if (m.hasMatch())
            out.append({m.captured(1).toInt(), info.filePath(), info.size()});
    }
    std::sort(out.begin(), out.end(), [](const TemplateFile &a, const TemplateFile &b) {
        return a.number != b.number ? a.number < b.number : a.path < b.path;
    });
    return out;
}

} // namespace platform
