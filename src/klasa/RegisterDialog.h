#pragma once
#include "batch/output/Register.h"

#include <QDialog>

class QTableWidget;

namespace klasa {

// "Rejestr dyplomów…": the lines of a register of issued diplomas in a
// table, and their export to a CSV or .ods file (by the name chosen).
// Errors go through platform::services().
class RegisterDialog : public QDialog {
    Q_OBJECT
public:
    explicit RegisterDialog(const batch::DiplomaRegister &issued, QWidget *parent = nullptr);

    // Writes every line to path, whole or not at all. Throws Failure.
    void exportTo(const QString &path) const;

public slots:
    void exportAs();

private:
    batch::DiplomaRegister register_;
    QTableWidget *table_;
};

} // namespace klasa
