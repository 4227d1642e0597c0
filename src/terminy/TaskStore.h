#pragma once
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tasks {

// A to-do as the list shows it.
struct Task {
    QString file;  // name in the folder
    QString uid;   // empty when the file's to-do has none
    int index = 0; // which to-do of the file
    QString summary;
    QDate due;     // invalid: no due date
    QTime dueTime; // invalid: a whole day
    bool done = false;
    QString rrule; // a repeating to-do's rule, empty for a single one
    bool overdue(const QDate &today) const { return !done && due.isValid() && due < today; }
};

// Parses a DUE value with its parameters: a DATE, a local or UTC DATE-TIME
// (a TZID is taken as local time). False when it cannot be read.
// setDue changes the date only: a timed DUE keeps its time and TZID.
bool parseDue(const QString &parameters, const QString &value, QDate &date, QTime &time);

// Due date first (none last), then title.
void sortTasks(QList<Task> &tasks);

// The to-dos of the Terminarz folder, one calendar file each for ours; any
// .ics another program put there is read and, when changed, rewritten with
// everything we do not know kept. A file that cannot be read is named in
// problems() and never written. Writes are atomic (platform::writeRecordFile)
// and raise platform::IoError; a file changed into something unreadable
// since loading raises std::runtime_error.
class TaskStore {
public:
    explicit TaskStore(const QString &folder);

    void load();
    const QList<Task> &tasks() const { return tasks_; }
    const QStringList &problems() const { return problems_; }

    Task add(const QString &summary, const QDate &due, const QDateTime &now);
    void setDone(const Task &task, bool done, const QDateTime &now);
    void setSummary(const Task &task, const QString &summary, const QDateTime &now);
    void setDue(const Task &task, const QDate &due, const QDateTime &now);
    void remove(const Task &task);

private:
    template <typename Change>
    void change(const Task &task, Change &&edit);
    QString folder_;
    QList<Task> tasks_;
    QStringList problems_;
};

} // namespace tasks
