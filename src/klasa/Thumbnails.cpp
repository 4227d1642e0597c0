#include "Thumbnails.h"

#include "editor/TemplateCatalogue.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace klasa {

QString Thumbnails::keyOf(const QString &path) const
{
    const QFileInfo info(path);
    return QStringLiteral("%1|%2|%3")
        .arg(info.absoluteFilePath())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

QImage Thumbnails::draw(const QString &path)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    try {
        editor::loadTemplatePicture(path).draw(painter, QRectF(0, 0, Width, Height));
    } catch (const std::exception &) {
        painter.setPen(QPen(Qt::red, 2));
        painter.drawRect(1, 1, Width - 2, Height - 2);
        painter.drawLine(0, 0, Width, Height);
        painter.drawLine(Width, 0, 0, Height);
    }
    return image;
}

QImage Thumbnails::get(const QString &path)
{
    const QString key = keyOf(path);
    const auto found = images_.constFind(key);
    if (found != images_.constEnd())
        return *found;
    const QString file = folder_.isEmpty()
                             ? QString()
                             : QDir(folder_).filePath(
                                 QString::fromLatin1(
                                     QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex())
                                 + QStringLiteral(".png"));
    if (!file.isEmpty()) {
        QImage stored(file);
        if (!stored.isNull() && stored.size() == QSize(Width, Height)) {
            images_.insert(key, stored);
            return stored;
        }
    }
    if (pending_.contains(key))
        return {};
    pending_.insert(key);
    auto image = std::make_shared<QImage>();
    runner_.run(
        [path, file, image] {
            *image = draw(path);
            if (!file.isEmpty() && QDir().mkpath(QFileInfo(file).path())) {
                // A cache: a failed write only costs a drawing later.
                QSaveFile out(file);
                if (out.open(QIODevice::WriteOnly) && image->save(&out, "PNG"))
                    out.commit();
            }
        },
        [this, key, path, image] {
            pending_.remove(key);
            images_.insert(key, *image);
            emit ready(path);
        });
    return {};
}

} // namespace klasa
