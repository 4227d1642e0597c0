#include "WidgetFactory.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace widgets {

SelfSizingLabel::SelfSizingLabel(QWidget *parent) : QLabel(parent)
{
    setWordWrap(false);
    adjustSize();
}

void SelfSizingLabel::setText(const QString &text)
{
    QLabel::setText(text);
    adjustSize();
}

void SelfSizingLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustSize();
}

QFont arialPixels(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

QFont pixelFont(const QString &family, int pixels)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(pixels);
    return font;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    setWindowColour(widget, colour);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void setWindowColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &caption, const QFont &font,
              const QColor &colour)
{
    QLabel *l = label(parent, name, left, top, caption);
    l->setFont(font);
    setTextColour(l, colour);
    l->adjustSize();
    return l;
}

QLabel *fittingLabel(QWidget *parent, const char *name, const QRect &box, const QString &caption, const QFont &font,
                     const QColor &colour)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(box);
    l->setFont(font);
    setTextColour(l, colour);
    widenToFit(l);
    return l;
}

void widenToFit(QLabel *label)
{
    const int wanted = label->sizeHint().width();
    if (wanted > label->width())
        label->resize(wanted, label->height());
}

SelfSizingLabel *selfSizingLabel(QWidget *parent, const char *name, int left, int top)
{
    auto *l = new SelfSizingLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    return l;
}

QFrame *loweredPanel(QWidget *parent, const char *name, const QRect &geometry, const QColor &colour)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(geometry);
    setBackground(panel, colour);
    return panel;
}

QLabel *captionPanel(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *panel = new QLabel(caption, parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setGeometry(geometry);
    setBackground(panel, Qt::white);
    return panel;
}

QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(geometry);
    return button;
}

QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption,
                        const QIcon &icon, const QFont &font, const QColor &colour)
{
    QToolButton *button = flatButton(parent, name, geometry, caption);
    button->setIcon(icon);
    button->setFont(font);
    setTextColour(button, colour);
    return button;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    QPalette palette = e->palette();
    palette.setColor(QPalette::Base, QColor(240, 240, 240));
    e->setPalette(palette);
    return e;
}

platform::SpinEdit *spinEdit(QWidget *parent, const char *name, const QRect &geometry, platform::SpinEdit::Typing typing)
{
    auto *spin = new platform::SpinEdit(typing, parent);
    spin->setObjectName(QLatin1String(name));
    spin->setGeometry(geometry);
    spin->setFont(arialPixels(12));
    setTextColour(spin, Navy);
    return spin;
}

Qt::WindowFlags windowWithoutSystemMenu()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

} // namespace widgets
