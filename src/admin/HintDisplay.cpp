#include "HintDisplay.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

bool HintDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->toolTip().contains(QChar(13))) {
            QString shown = widget->toolTip();
            shown.replace(QChar(13), QChar(10));
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), shown, widget);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
