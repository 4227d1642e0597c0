#pragma once
#include "TaskRunner.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>

namespace klasa {

// Template thumbnails drawn by our engine off the GUI thread, kept in
// memory and on disk (keyed by path, size and time of change), so that the
// gallery opens at once and draws each template once.
class Thumbnails : public QObject {
    Q_OBJECT
public:
    static constexpr int Width = 105;
    static constexpr int Height = 149;

    // cacheFolder empty: memory only.
    Thumbnails(TaskRunner &runner, const QString &cacheFolder, QObject *parent = nullptr)
        : QObject(parent), runner_(runner), folder_(cacheFolder)
    {}

    // The thumbnail when it is ready; else a null image, and ready(path)
    // is called on the GUI thread once it is drawn. A template that cannot
    // be drawn gets a crossed frame.
    QImage get(const QString &path);

    // Drawn now on the calling thread (what the workers do).
    static QImage draw(const QString &path);

signals:
    void ready(const QString &path);

private:
    QString keyOf(const QString &path) const;
    TaskRunner &runner_;
    QString folder_;
    QHash<QString, QImage> images_;
    QSet<QString> pending_;
};

} // namespace klasa
