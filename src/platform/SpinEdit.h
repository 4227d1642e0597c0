#pragma once
#include <QAbstractSpinBox>
#include <cstdint>

namespace platform {

// An integer spin edit without bounds, step 1. A text that is not an
// integer reads as 0. Only the arrows and the Up and Down keys step it (no
// PageUp/PageDown, no wheel); with typing disabled nothing else changes it,
// no paste of any kind.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    enum class Typing { Allowed, Disabled };

    explicit SpinEdit(Typing typing, QWidget *parent = nullptr);

    std::int32_t value() const;
    void setValue(std::int32_t value);
    QString text() const;
    void setText(const QString &text);
    Typing typing() const { return typing_; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isAllowedCharacter(QChar c) const;
    Typing typing_;
};

} // namespace platform
