#pragma once
#include "batch/output/CalibrationStore.h"
#include "batch/run/BatchRun.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace klasa {

// "Kalibracja drukarki…": a queue, its calibration sheet, and the shift
// measured on it, stored per queue for every later print there. Errors go
// through platform::services().
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // queues: the print queues to choose from.
    explicit CalibrationDialog(const QStringList &queues, QWidget *parent = nullptr);

    // Sends the sheet; sendToPrinter unless replaced (tests).
    batch::PrintSubmit submit;

    QString queue() const;
    // The values typed in.
    batch::PrintCorrection typed() const;

public slots:
    void printSheet();
    void save();
    void reset();

private:
    void showStored();

    batch::CalibrationStore store_;
    QComboBox *queue_;
    QDoubleSpinBox *x_, *y_, *scaleX_, *scaleY_;
    QLabel *stored_;
};

} // namespace klasa
