#pragma once
#include "TaskStore.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Terminarz": the to-dos sorted by due date, overdue ones marked, done
// ones ticked; every change is written at once.
class TasksWindow : public QWidget {
    Q_OBJECT
public:
    TasksWindow(const QString &folder, const QString &listTitle, QWidget *parent = nullptr);

    bool addTask(const QString &summary, const QDate &due);
    void setDone(int row, bool done);
    void rename(int row, const QString &summary);
    void changeDue(int row, const QDate &due);
    void removeTask(int row);
    void reload();
    const QList<tasks::Task> &shown() const { return store_.tasks(); }

    QLabel *title = nullptr;
    QTreeWidget *list = nullptr;
    QLabel *problems = nullptr;
    QLineEdit *summaryEdit = nullptr;
    QDateEdit *dueEdit = nullptr;
    QCheckBox *withDue = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *dueButton = nullptr;
    QToolButton *removeButton = nullptr;

private:
    template <typename Action>
    bool guarded(Action &&action);
    void itemChanged(QTreeWidgetItem *item, int column);

    tasks::TaskStore store_;
    bool filling_ = false;
};
