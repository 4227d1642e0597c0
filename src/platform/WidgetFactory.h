#pragma once
#include "SpinEdit.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QRect>
#include <QString>

class QFrame;
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

// A one-line label that always has the size of its text: it resizes itself
// whenever its caption or its font changes. Set the caption through this
// class (not through a QLabel pointer) so that it can follow.
class SelfSizingLabel : public QLabel {
public:
    explicit SelfSizingLabel(QWidget *parent = nullptr);
    void setText(const QString &text);

protected:
    void changeEvent(QEvent *event) override;
};

QFont arialPixels(int pixels);
// The named face where it exists, else one with close metrics (the Windows
// bitmap faces are not found on Linux).
QFont pixelFont(const QString &family, int pixels);

// Window and Base: the control and any field inside it take the colour.
void setBackground(QWidget *widget, const QColor &colour);
// Window only: fields inside keep their own colour.
void setWindowColour(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption);
QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption, const QFont &font,
              const QColor &colour);
// The box is a minimum: the label widens to the right when its text (or a
// wider substitute face) needs more room.
QLabel *fittingLabel(QWidget *parent, const char *name, const QRect &box, const QString &caption, const QFont &font,
                     const QColor &colour);
void widenToFit(QLabel *label);
SelfSizingLabel *selfSizingLabel(QWidget *parent, const char *name, int left, int top);
// A panel with a lowered inner bevel.
QFrame *loweredPanel(QWidget *parent, const char *name, const QRect &geometry, const QColor &colour);
// A lowered panel that shows a centred caption.
QLabel *captionPanel(QWidget *parent, const char *name, const QRect &geometry, const QString &caption);
// A button without a frame until the mouse is over it; the first form keeps
// the parent's font and colours.
QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption);
QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption,
                        const QIcon &icon, const QFont &font, const QColor &colour);
QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry);
platform::SpinEdit *spinEdit(QWidget *parent, const char *name, const QRect &geometry, platform::SpinEdit::Typing typing);

// Removes the system menu and every title-bar button.
Qt::WindowFlags windowWithoutSystemMenu();

} // namespace widgets
