#pragma once
#include "ClassSession.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace klasa {

// "Rodzaje dyplomów…": which column decides the kind of diploma, the table
// "wartość → dyplom", grouping by kind, the first {Nr} and the {Data}. The
// open diploma is every other value's. Files are chosen through
// platform::services().
class KindsDialog : public QDialog {
    Q_OBJECT
public:
    // folder: where the diploma files are first looked for.
    KindsDialog(const QStringList &columns, const Ceremony &ceremony, const QString &folder, QWidget *parent = nullptr);

    Ceremony ceremony() const;
    // Adds a rule (the button's work once a file is chosen).
    void addRule(const KindRule &rule);

public slots:
    void chooseDiploma();
    void removeRule();

private:
    QComboBox *column_;
    QTableWidget *rules_;
    QCheckBox *group_;
    QSpinBox *firstNumber_;
    QLineEdit *date_;
    QString folder_;
};

} // namespace klasa
