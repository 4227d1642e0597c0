#pragma once
#include <QObject>

// Hints keep the carriage return between their lines; a tooltip would show
// it as a blank, so this filter shows such a hint with real line breaks.
class HintDisplay : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
