#include "KindsDialog.h"

#include "platform/Platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace klasa {

KindsDialog::KindsDialog(const QStringList &columns, const Ceremony &ceremony, const QString &folder, QWidget *parent)
    : QDialog(parent), column_(new QComboBox(this)), rules_(new QTableWidget(0, 2, this)),
      group_(new QCheckBox(QStringLiteral("&Grupuj według rodzaju"), this)), firstNumber_(new QSpinBox(this)),
      date_(new QLineEdit(this)), folder_(folder)
{
    setWindowTitle(QStringLiteral("Rodzaje dyplomów"));
    column_->setObjectName(QStringLiteral("kindColumn"));
    column_->addItem(QStringLiteral("(jeden dyplom dla wszystkich)"), QString());
    for (const QString &c : columns)
        if (!c.isEmpty())
            column_->addItem(c, c);
    if (!ceremony.column.isEmpty() && column_->findData(ceremony.column) < 0)
        column_->addItem(ceremony.column, ceremony.column); // a column the list no longer has
    column_->setCurrentIndex(std::max(0, column_->findData(ceremony.column)));

    rules_->setObjectName(QStringLiteral("kindRules"));
    rules_->setHorizontalHeaderLabels({QStringLiteral("wartość"), QStringLiteral("dyplom")});
    rules_->horizontalHeader()->setStretchLastSection(true);
    rules_->verticalHeader()->hide();
    for (const KindRule &rule : ceremony.rules)
        addRule(rule);

    group_->setChecked(ceremony.groupByKind);
    firstNumber_->setObjectName(QStringLiteral("firstNumber"));
    firstNumber_->setRange(0, 999999999);
    firstNumber_->setValue(ceremony.firstNumber);
    date_->setObjectName(QStringLiteral("diplomaDate"));
    date_->setPlaceholderText(QStringLiteral("dziś"));
    date_->setText(ceremony.date);

    auto *add = new QPushButton(QStringLiteral("&Dodaj dyplom…"), this);
    auto *remove = new QPushButton(QStringLiteral("&Usuń"), this);
    connect(add, &QPushButton::clicked, this, &KindsDialog::chooseDiploma);
    connect(remove, &QPushButton::clicked, this, &KindsDialog::removeRule);
    auto *ruleButtons = new QHBoxLayout;
    ruleButtons->addWidget(add);
    ruleButtons->addWidget(remove);
    ruleButtons->addStretch();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Kolumna:"), column_);
    form->addRow(rules_);
    form->addRow(ruleButtons);
    form->addRow(group_);
    form->addRow(QStringLiteral("&Pierwszy numer {Nr}:"), firstNumber_);
    form->addRow(QStringLiteral("Da&ta {Data}:"), date_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(560, 420);
}

void KindsDialog::addRule(const KindRule &rule)
{
    const int row = rules_->rowCount();
    rules_->insertRow(row);
    rules_->setItem(row, 0, new QTableWidgetItem(rule.values));
    auto *file = new QTableWidgetItem(QFileInfo(rule.diploma).fileName());
    file->setData(Qt::UserRole, rule.diploma);
    file->setToolTip(rule.diploma);
    file->setFlags(file->flags() & ~Qt::ItemIsEditable);
    rules_->setItem(row, 1, file);
}

void KindsDialog::chooseDiploma()
{
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Dyplom dla wartości");
    s.filter = QStringLiteral("Pliki dyplomów (*.dyp)");
    s.defaultExtension = QStringLiteral("*.dyp");
    s.initialFolder = folder_;
    const auto path = platform::services().openFileName(this, s);
    if (!path)
        return;
    addRule({QString(), *path});
    rules_->setCurrentCell(rules_->rowCount() - 1, 0);
    rules_->editItem(rules_->item(rules_->rowCount() - 1, 0)); // the value is typed next
}

void KindsDialog::removeRule()
{
    if (rules_->currentRow() >= 0)
        rules_->removeRow(rules_->currentRow());
}

Ceremony KindsDialog::ceremony() const
{
    Ceremony c;
    c.column = column_->currentData().toString();
    for (int r = 0; r < rules_->rowCount(); ++r)
        c.rules.append({rules_->item(r, 0)->text(), rules_->item(r, 1)->data(Qt::UserRole).toString()});
    c.groupByKind = group_->isChecked();
    c.firstNumber = firstNumber_->value();
    c.date = date_->text().trimmed();
    return c;
}

} // namespace klasa
