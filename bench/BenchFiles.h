#pragma once
#include <QDir>
#include <QFileInfo>
#include <QString>

// The largest metafile in folder, or an empty path when it has none.
inline QString largestMetafileIn(const QString &folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wmf"), QStringLiteral("*.WMF")},
                                                           QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.first().filePath();
}

// The largest template the program ships: the heaviest page to print.
inline QString largestShippedTemplate()
{
    return largestMetafileIn(QStringLiteral(DYPLOM_SOURCE_DIR "/data/Wzory"));
}
