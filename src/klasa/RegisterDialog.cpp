#include "RegisterDialog.h"

#include "batch/output/StagedOutputs.h"
#include "platform/Platform.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace klasa {

RegisterDialog::RegisterDialog(const batch::DiplomaRegister &issued, QWidget *parent)
    : QDialog(parent), register_(issued), table_(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("Rejestr dyplomów — %1").arg(QFileInfo(issued.path()).fileName()));
    const QStringList header = batch::DiplomaRegister::header();
    table_->setObjectName(QStringLiteral("registerLines"));
    table_->setColumnCount(int(header.size()));
    table_->setHorizontalHeaderLabels(header);
    table_->setRowCount(int(issued.lines().size()));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    for (int r = 0; r < issued.lines().size(); ++r) {
        const batch::IssuedDiploma &d = issued.lines()[r];
        const QStringList cells{QString::number(d.number), d.date, d.name, d.group, d.kind, d.file};
        for (int c = 0; c < cells.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *exportButton = buttons->addButton(QStringLiteral("&Eksportuj…"), QDialogButtonBox::ActionRole);
    connect(exportButton, &QPushButton::clicked, this, &RegisterDialog::exportAs);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(760, 420);
}

void RegisterDialog::exportTo(const QString &path) const
{
    batch::StagedOutputs outputs;
    outputs.protect(register_.path(), QStringLiteral("rejestr dyplomów"));
    // The save dialog asked before replacing a file.
    outputs.stage(path, batch::StagedOutputs::AnyContent).write(batch::DiplomaRegister::fileOf(path, register_.lines()));
    outputs.commitAll();
}

void RegisterDialog::exportAs()
{
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Eksportuj rejestr dyplomów");
    s.filter = QStringLiteral("Arkusz ODS (*.ods);;CSV (*.csv)");
    s.defaultExtension = QStringLiteral("*.ods");
    s.overwritePrompt = true;
    const auto path = platform::services().saveFileName(this, s);
    if (!path)
        return;
    try {
        exportTo(*path);
    } catch (const std::exception &e) {
        platform::services().reportError(this, QString::fromUtf8(e.what()));
    }
}

} // namespace klasa
