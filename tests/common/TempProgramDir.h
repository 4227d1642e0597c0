#pragma once
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A throw-away ProgramDir that is also the current directory while alive.
class TempProgramDir {
public:
    explicit TempProgramDir(const QStringList &folders = {QStringLiteral("Admini"), QStringLiteral("Wzory"),
                                                          QStringLiteral("Dyplomy")})
        : previous_(QDir::currentPath())
    {
        for (const QString &f : folders)
            QDir(dir_.path()).mkpath(f);
        QDir::setCurrent(dir_.path());
    }
    ~TempProgramDir() { QDir::setCurrent(previous_); }
    QString path() const { return QDir(dir_.path()).canonicalPath(); }
    QString file(const QString &relative) const { return path() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir_;
    QString previous_;
};
