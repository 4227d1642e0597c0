#pragma once
#include "SpinEdit.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// The few kinds of control the system's windows are made of, placed at
// fixed positions as in the window descriptions.
namespace widgets {

inline const QColor Navy(0, 0, 128);
inline const QColor Maroon(128, 0, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor Silver(192, 192, 192);

QFont arialPixels(int pixels);

void setBackground(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption);
QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption, const QFont &font,
              const QColor &colour);
// A panel with a lowered inner bevel.
QFrame *loweredPanel(QWidget *parent, const char *name, const QRect &geometry, const QColor &colour);
// A lowered panel that shows a centred caption.
QLabel *captionPanel(QWidget *parent, const char *name, const QRect &geometry, const QString &caption);
QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption,
                        const QIcon &icon, const QFont &font, const QColor &colour);
QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry);
platform::SpinEdit *spinEdit(QWidget *parent, const char *name, const QRect &geometry,
                             platform::SpinEdit::Typing typing);

// Removes the system menu and every title-bar button.
Qt::WindowFlags windowWithoutSystemMenu();

} // namespace widgets
