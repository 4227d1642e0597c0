#include "TemplateView.h"

#include <QPainter>

namespace editor {

TemplateView::TemplateView(QWidget *parent) : QWidget(parent) {}

void TemplateView::setPicture(const wmf::Metafile &picture)
{
    picture_ = picture;
    cache_ = QPixmap();
    update();
}

void TemplateView::resizeEvent(QResizeEvent *event)
{
    cache_ = QPixmap();
    QWidget::resizeEvent(event);
}

void TemplateView::paintEvent(QPaintEvent *)
{
    if (picture_.isEmpty())
        return;
    if (cache_.isNull()) {
        const qreal ratio = devicePixelRatioF();
        cache_ = QPixmap(size() * ratio);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(Qt::transparent);
        QPainter cachePainter(&cache_);
        cachePainter.setRenderHint(QPainter::Antialiasing);
        cachePainter.setRenderHint(QPainter::SmoothPixmapTransform);
        picture_.draw(cachePainter, QRectF(QPointF(0, 0), QSizeF(size())));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, cache_);
}

} // namespace editor
