#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

// Writes seeds as dir/stem_1, stem_2, …; false when a file cannot be written.
inline bool writeSeedFolder(const QString &dir, const char *stem, const std::vector<QByteArray> &seeds)
{
    QDir().mkpath(dir);
    int n = 0;
    for (const QByteArray &b : seeds) {
        QFile f(dir + QStringLiteral("/%1_%2").arg(QLatin1String(stem)).arg(++n));
        if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size())
            return false;
    }
    return true;
}
