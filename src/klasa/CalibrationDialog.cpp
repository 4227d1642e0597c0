#include "CalibrationDialog.h"

#include "batch/run/CalibrationPrint.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace klasa {

namespace {

QDoubleSpinBox *numberBox(const char *name, double range, int decimals, const QString &suffix)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-range, range);
    box->setDecimals(decimals);
    box->setSingleStep(decimals > 1 ? 0.05 : 0.5);
    box->setSuffix(suffix);
    return box;
}

} // namespace

CalibrationDialog::CalibrationDialog(const QStringList &queues, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalibrationDialog"));
    setWindowTitle(QStringLiteral("Kalibracja drukarki"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral(
        "Wydrukuj arkusz kalibracji na zwykłym papierze A4, zmierz, gdzie wypadł krzyżyk, i wpisz, o ile jest "
        "przesunięty (w prawo i w dół na plus). Każdy wydruk na tej drukarce zostanie przesunięty odwrotnie; "
        "pliki PDF nie są przesuwane."));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    queue_ = new QComboBox;
    queue_->setObjectName(QStringLiteral("queue"));
    queue_->addItems(queues);
    form->addRow(QStringLiteral("&Drukarka:"), queue_);
    stored_ = new QLabel;
    stored_->setObjectName(QStringLiteral("stored"));
    stored_->setWordWrap(true);
    form->addRow(QStringLiteral("Zapamiętane:"), stored_);
    auto *sheet = new QPushButton(QStringLiteral("Drukuj &arkusz kalibracji"));
    sheet->setObjectName(QStringLiteral("printSheet"));
    form->addRow(QString(), sheet);
    x_ = numberBox("x", batch::MaxShiftMm, 1, QStringLiteral(" mm"));
    y_ = numberBox("y", batch::MaxShiftMm, 1, QStringLiteral(" mm"));
    scaleX_ = numberBox("scaleX", batch::MaxScalePercent, 2, QStringLiteral(" %"));
    scaleY_ = numberBox("scaleY", batch::MaxScalePercent, 2, QStringLiteral(" %"));
    form->addRow(QStringLiteral("Przesunięcie &X (w prawo):"), x_);
    form->addRow(QStringLiteral("Przesunięcie &Y (w dół):"), y_);
    form->addRow(QStringLiteral("Błąd skali w poziomie:"), scaleX_);
    form->addRow(QStringLiteral("Błąd skali w pionie:"), scaleY_);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *saveButton = buttons->addButton(QStringLiteral("&Zapisz"), QDialogButtonBox::ApplyRole);
    saveButton->setObjectName(QStringLiteral("save"));
    QPushButton *resetButton = buttons->addButton(QStringLiteral("&Usuń kalibrację"), QDialogButtonBox::ResetRole);
    resetButton->setObjectName(QStringLiteral("reset"));
    layout->addWidget(buttons);

    connect(sheet, &QPushButton::clicked, this, &CalibrationDialog::printSheet);
    connect(saveButton, &QPushButton::clicked, this, &CalibrationDialog::save);
    connect(resetButton, &QPushButton::clicked, this, &CalibrationDialog::reset);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(queue_, &QComboBox::currentTextChanged, this, [this] { showStored(); });
    for (QWidget *w :
         {static_cast<QWidget *>(sheet), static_cast<QWidget *>(saveButton), static_cast<QWidget *>(resetButton)})
        w->setEnabled(!queues.isEmpty());
    showStored();
}

QString CalibrationDialog::queue() const
{
    return queue_->currentText();
}

batch::PrintCorrection CalibrationDialog::typed() const
{
    return {x_->value(), y_->value(), scaleX_->value(), scaleY_->value()};
}

void CalibrationDialog::showStored()
{
    if (queue().isEmpty()) {
        stored_->setText(QStringLiteral("Nie ma żadnej drukarki."));
        return;
    }
    const std::optional<batch::PrintCorrection> c = store_.find(queue());
    stored_->setText(c ? batch::describeCorrection(*c)
                       : QStringLiteral("brak (wydruki na tej drukarce nie są przesuwane)"));
    const batch::PrintCorrection shown = c.value_or(batch::PrintCorrection{});
    x_->setValue(shown.xMm);
    y_->setValue(shown.yMm);
    scaleX_->setValue(shown.scaleXPercent);
    scaleY_->setValue(shown.scaleYPercent);
}

void CalibrationDialog::printSheet()
{
    try {
        batch::printCalibrationSheet(queue(), store_.forPrint(queue(), std::nullopt), submit);
    } catch (const std::exception &e) {
        platform::services().reportError(this, QString::fromUtf8(e.what()));
    }
}

void CalibrationDialog::save()
{
    try {
        store_.store(queue(), typed());
    } catch (const std::exception &e) {
        // What was typed stays to be saved again.
        platform::services().reportError(this, QString::fromUtf8(e.what()));
        return;
    }
    showStored();
}

void CalibrationDialog::reset()
{
    try {
        store_.remove(queue());
    } catch (const std::exception &e) {
        platform::services().reportError(this, QString::fromUtf8(e.what()));
    }
    showStored();
}

} // namespace klasa
