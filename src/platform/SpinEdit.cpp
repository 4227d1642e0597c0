#include "SpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QProxyStyle>
#include <limits>

namespace platform {
namespace {

// Holding an arrow repeats first after 400 ms, then every 100 ms.
class SpinRepeatStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_SpinBox_ClickAutoRepeatThreshold)
            return 400;
        if (hint == SH_SpinBox_ClickAutoRepeatRate || hint == SH_SpinBox_KeyPressAutoRepeatRate)
            return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *repeatStyle()
{
    static SpinRepeatStyle *style = [] {
        auto *s = new SpinRepeatStyle;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

bool isEditingKey(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)
           || event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace
           || event->key() == Qt::Key_Delete || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

} // namespace

SpinEdit::SpinEdit(Typing typing, QWidget *parent) : QAbstractSpinBox(parent), typing_(typing)
{
    setStyle(repeatStyle());
    setAccelerated(false);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(QStringLiteral("0"));
    lineEdit()->installEventFilter(this);
    // The wheel does not step it, so it must not take the focus either.
    setFocusPolicy(Qt::StrongFocus);
    if (typing_ == Typing::Disabled)
        lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
}

std::int32_t SpinEdit::value() const
{
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void SpinEdit::setValue(std::int32_t value)
{
    setText(QString::number(value));
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString &text)
{
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps)
{
    const qint64 next = qint64(value()) + steps;
    const qint64 lowest = std::numeric_limits<std::int32_t>::min();
    const qint64 highest = std::numeric_limits<std::int32_t>::max();
    setValue(static_cast<std::int32_t>(qBound(lowest, next, highest)));
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < std::numeric_limits<std::int32_t>::max())
        enabled |= StepUpEnabled;
    if (value() > std::numeric_limits<std::int32_t>::min())
        enabled |= StepDownEnabled;
    return enabled;
}

bool SpinEdit::isAllowedCharacter(QChar c) const
{
    return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLocale().decimalPoint().at(0);
}

QValidator::State SpinEdit::validate(QString &input, int &) const
{
    for (QChar c : input)
        if (!isAllowedCharacter(c))
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString &) const
{
    // The text is kept as typed; value() reads a non-integer as 0.
}

void SpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool typesText = !typed.isEmpty() && typed.at(0).isPrint();
    if (typing_ == Typing::Disabled) {
        if (typesText || isEditingKey(event)) {
            if (typesText || event->key() == Qt::Key_Backspace)
                QApplication::beep();
            event->accept();
            return;
        }
    } else if (typesText) {
        for (QChar c : typed) {
            if (!isAllowedCharacter(c)) {
                QApplication::beep();
                event->accept();
                return;
            }
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void SpinEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (typing_ == Typing::Disabled) {
        event->accept();
        return;
    }
    QAbstractSpinBox::contextMenuEvent(event);
}

bool SpinEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Shortcut overrides would let cut and paste reach the line edit.
    if (typing_ == Typing::Disabled && watched == lineEdit() && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isEditingKey(key)) {
            event->accept();
            return true;
        }
    }
    // A middle click pastes the selection on X11.
    if (typing_ == Typing::Disabled && watched == lineEdit()
        && (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonPress)
        && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
        event->accept();
        return true;
    }
    return QAbstractSpinBox::eventFilter(watched, event);
}

} // namespace platform
