#include "TasksWindow.h"

#include "Recurrence.h"

#include "platform/Platform.h"
#include "platform/WidgetFactory.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Terminarz");
enum Column { DoneColumn, DueColumn, SummaryColumn };
} // namespace

TasksWindow::TasksWindow(const QString &folder, const QString &listTitle, QWidget *parent)
    : QWidget(parent), store_(folder)
{
    setObjectName(QStringLiteral("terminy"));
    const QString name = listTitle.isEmpty() ? Caption : listTitle;
    setWindowTitle(listTitle.isEmpty() ? Caption : QStringLiteral("%1 – %2").arg(Caption, listTitle));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    widgets::setWindowColour(this, QColor(0xF4, 0xF4, 0xF4));

    auto *main = new QVBoxLayout(this);
    title = widgets::label(this, "title", 0, 0, name, widgets::arialPixels(15), widgets::Navy);
    main->addWidget(title);
    problems = new QLabel(this);
    problems->setObjectName(QStringLiteral("problems"));
    problems->setWordWrap(true);
    widgets::setTextColour(problems, widgets::Maroon);
    problems->hide();
    main->addWidget(problems);

    list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("list"));
    list->setHeaderLabels({QStringLiteral("Zrobione"), QStringLiteral("Termin"), QStringLiteral("Zadanie")});
    list->setRootIsDecorated(false);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(DoneColumn, 70);
    list->setColumnWidth(DueColumn, 160);
    main->addWidget(list, 1);

    auto *adding = new QHBoxLayout;
    summaryEdit = new QLineEdit(this);
    summaryEdit->setObjectName(QStringLiteral("summaryEdit"));
    summaryEdit->setPlaceholderText(QStringLiteral("Nowe zadanie"));
    withDue = new QCheckBox(QStringLiteral("termin"), this);
    withDue->setChecked(true);
    dueEdit = new QDateEdit(platform::services().now().date(), this);
    dueEdit->setObjectName(QStringLiteral("dueEdit"));
    dueEdit->setCalendarPopup(true);
    dueEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    addButton = widgets::flatButton(this, "addButton", QRect(0, 0, 90, 22), QStringLiteral("Dodaj"));
    dueButton = widgets::flatButton(this, "dueButton", QRect(0, 0, 110, 22), QStringLiteral("Zmień termin"));
    removeButton = widgets::flatButton(this, "removeButton", QRect(0, 0, 90, 22), QStringLiteral("Usuń"));
    adding->addWidget(summaryEdit, 1);
    adding->addWidget(withDue);
    adding->addWidget(dueEdit);
    adding->addWidget(addButton);
    adding->addWidget(dueButton);
    adding->addWidget(removeButton);
    main->addLayout(adding);

    connect(withDue, &QCheckBox::toggled, dueEdit, &QDateEdit::setEnabled);
    connect(addButton, &QToolButton::clicked, this, [this] {
        if (addTask(summaryEdit->text(), withDue->isChecked() ? dueEdit->date() : QDate()))
            summaryEdit->clear();
    });
    connect(summaryEdit, &QLineEdit::returnPressed, addButton, &QToolButton::click);
    connect(dueButton, &QToolButton::clicked, this, [this] {
        if (QTreeWidgetItem *item = list->currentItem())
            changeDue(list->indexOfTopLevelItem(item), withDue->isChecked() ? dueEdit->date() : QDate());
    });
    connect(removeButton, &QToolButton::clicked, this, [this] {
        if (QTreeWidgetItem *item = list->currentItem())
            removeTask(list->indexOfTopLevelItem(item));
    });
    connect(list, &QTreeWidget::itemChanged, this, &TasksWindow::itemChanged);

    resize(640, 420);
    reload();
}

template <typename Action>
bool TasksWindow::guarded(Action &&action)
{
    try {
        action();
        reload();
        return true;
    } catch (const std::exception &error) {
        platform::services().reportError(
            this, QStringLiteral("Zadania nie zapisano: %1").arg(QString::fromUtf8(error.what())));
        reload();
        return false;
    }
}

void TasksWindow::reload()
{
    store_.load();
    filling_ = true;
    list->clear();
    const QDate today = platform::services().now().date();
    for (const tasks::Task &t : store_.tasks()) {
        auto *item = new QTreeWidgetItem(list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        item->setCheckState(DoneColumn, t.done ? Qt::Checked : Qt::Unchecked);
        QString due = t.due.isValid() ? t.due.toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("—");
        if (t.dueTime.isValid())
            due += t.dueTime.toString(QStringLiteral(" HH:mm"));
        if (t.overdue(today))
            due += QStringLiteral("  po terminie!");
        item->setText(DueColumn, due);
        item->setText(SummaryColumn, t.summary);
        const QColor colour = t.done ? widgets::Grey : t.overdue(today) ? QColor(Qt::red) : widgets::Navy;
        for (int c = DueColumn; c <= SummaryColumn; ++c)
            item->setForeground(c, colour);
        if (t.overdue(today)) {
            QFont bold = item->font(DueColumn);
            bold.setBold(true);
            item->setFont(DueColumn, bold);
        }
    }
    filling_ = false;
    problems->setText(store_.problems().isEmpty()
                          ? QString()
                          : QStringLiteral("Pominięte pliki (nie zostały zmienione):\n") + store_.problems().join('\n'));
    problems->setVisible(!store_.problems().isEmpty());
}

bool TasksWindow::addTask(const QString &summary, const QDate &due)
{
    if (summary.trimmed().isEmpty()) {
        platform::services().inform(this, QStringLiteral("Wpisz treść zadania."), Caption);
        return false;
    }
    return guarded([&] { store_.add(summary.trimmed(), due, platform::services().now()); });
}

void TasksWindow::setDone(int row, bool done)
{
    if (row < 0 || row >= store_.tasks().size())
        return;
    const tasks::Task task = store_.tasks()[row];
    if (done && !task.rrule.isEmpty()) {
        // A repeating task: this occurrence is done, the next one is due.
        const tasks::NextOccurrence next = tasks::nextOccurrence(task.rrule, task.due);
        if (next.kind == tasks::NextOccurrence::Next) {
            guarded([&] { store_.setDue(task, next.date, platform::services().now()); });
            return;
        }
        if (next.kind == tasks::NextOccurrence::Unknown
            && !platform::services().askDefaultNo(
                this,
                QStringLiteral("Zadanie „%1” powtarza się według reguły, której Terminarz nie umie rozwinąć.\n\n"
                               "Oznaczyć jako zrobioną całą serię? (Nie: nic się nie zmienia.)")
                    .arg(task.summary),
                Caption)) {
            reload();
            return;
        }
    }
    guarded([&] { store_.setDone(task, done, platform::services().now()); });
}

void TasksWindow::rename(int row, const QString &summary)
{
    if (row >= 0 && row < store_.tasks().size() && !summary.trimmed().isEmpty())
        guarded([&] { store_.setSummary(store_.tasks()[row], summary.trimmed(), platform::services().now()); });
    else
        reload();
}

void TasksWindow::changeDue(int row, const QDate &due)
{
    if (row >= 0 && row < store_.tasks().size())
        guarded([&] { store_.setDue(store_.tasks()[row], due, platform::services().now()); });
}

void TasksWindow::removeTask(int row)
{
    if (row < 0 || row >= store_.tasks().size())
        return;
    const tasks::Task task = store_.tasks()[row];
    if (!platform::services().ask(this, QStringLiteral("Usunąć zadanie „%1”?").arg(task.summary), Caption))
        return;
    guarded([&] { store_.remove(task); });
}

void TasksWindow::itemChanged(QTreeWidgetItem *item, int column)
{
    if (filling_)
        return;
    const int row = list->indexOfTopLevelItem(item);
    // Changes made from here rebuild the list: let Qt finish with the item first.
    if (column == DoneColumn) {
        const bool done = item->checkState(DoneColumn) == Qt::Checked;
        QMetaObject::invokeMethod(
            this, [this, row, done] { setDone(row, done); }, Qt::QueuedConnection);
    } else if (column == SummaryColumn) {
        const QString text = item->text(SummaryColumn);
        QMetaObject::invokeMethod(
            this, [this, row, text] { rename(row, text); }, Qt::QueuedConnection);
    }
}
