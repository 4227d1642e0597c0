#include "TaskStore.h"
#include "IcsDocument.h"

#include "platform/IoError.h"
#include "platform/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <QUuid>

#include <algorithm>
#include <stdexcept>

namespace tasks {
namespace {

QString stamp(const QDateTime &now)
{
    return now.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw platform::IoError(platform::IoCode::FileNotFound);
    return f.readAll();
}

IcsDocument::Block blockOf(const IcsDocument &doc, const Task &task)
{
    const QList<IcsDocument::Block> blocks = doc.todos();
    for (const IcsDocument::Block &b : blocks) {
        if (!task.uid.isEmpty() && doc.value(b, QStringLiteral("UID")) == task.uid)
            return b;
    }
    if (task.uid.isEmpty() && task.index < blocks.size())
        return blocks[task.index];
    throw std::runtime_error("zadanie zniknęło z pliku " + task.file.toStdString());
}

bool isDateOnly(const QString &parameters)
{
    const QStringList list = parameters.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return std::any_of(list.cbegin(), list.cend(), [](const QString &p) {
        return p.compare(QLatin1String("VALUE=DATE"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

bool parseDue(const QString &parameters, const QString &value, QDate &date, QTime &time)
{
    const QString v = value.trimmed();
    date = QDate();
    time = QTime();
    if (v.size() == 8 || isDateOnly(parameters)) {
        date = QDate::fromString(v.left(8), QStringLiteral("yyyyMMdd"));
        return date.isValid();
    }
    const bool utc = v.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
    QDateTime when = QDateTime::fromString(v.left(15), QStringLiteral("yyyyMMdd'T'HHmmss"));
    if (!when.isValid())
        return false;
    if (utc) {
        when.setTimeSpec(Qt::UTC);
        when = when.toLocalTime();
    }
    date = when.date();
    time = when.time();
    return true;
}

void sortTasks(QList<Task> &tasks)
{
    std::stable_sort(tasks.begin(), tasks.end(), [](const Task &a, const Task &b) {
        if (a.due.isValid() != b.due.isValid())
            return a.due.isValid();
        if (a.due != b.due)
            return a.due < b.due;
        const QTime at = a.dueTime.isValid() ? a.dueTime : QTime(23, 59, 59);
        const QTime bt = b.dueTime.isValid() ? b.dueTime : QTime(23, 59, 59);
        if (at != bt)
            return at < bt;
        return a.summary.localeAwareCompare(b.summary) < 0;
    });
}

TaskStore::TaskStore(const QString &folder) : folder_(folder)
{
    QDir().mkpath(folder_);
}

void TaskStore::load()
{
    tasks_.clear();
    problems_.clear();
    const QStringList files = QDir(folder_).entryList({QStringLiteral("*.ics"), QStringLiteral("*.ICS")}, QDir::Files,
                                                      QDir::Name);
    for (const QString &file : files) {
        QFile f(QDir(folder_).filePath(file));
        if (!f.open(QIODevice::ReadOnly)) {
            problems_ << QStringLiteral("%1: nie można odczytać pliku (%2)").arg(file, f.errorString());
            continue;
        }
        IcsDocument doc;
        QString error;
        if (!IcsDocument::parse(f.readAll(), doc, error)) {
            problems_ << QStringLiteral("%1: %2").arg(file, error);
            continue;
        }
        const QList<IcsDocument::Block> blocks = doc.todos();
        for (int i = 0; i < blocks.size(); ++i) {
            Task t;
            t.file = file;
            t.index = i;
            t.uid = doc.value(blocks[i], QStringLiteral("UID"));
            t.summary = IcsDocument::unescapeText(doc.value(blocks[i], QStringLiteral("SUMMARY")));
            const QString due = doc.value(blocks[i], QStringLiteral("DUE"));
            if (!due.isEmpty() && !parseDue(doc.parameters(blocks[i], QStringLiteral("DUE")), due, t.due, t.dueTime))
                problems_ << QStringLiteral("%1: nieczytelny termin „%2” zadania „%3”").arg(file, due, t.summary);
            t.rrule = doc.value(blocks[i], QStringLiteral("RRULE"));
            t.done = doc.value(blocks[i], QStringLiteral("STATUS"))
                             .trimmed()
                             .compare(QLatin1String("COMPLETED"), Qt::CaseInsensitive)
                         == 0
                     || !doc.value(blocks[i], QStringLiteral("COMPLETED")).isEmpty();
            tasks_ << t;
        }
    }
    sortTasks(tasks_);
}

template <typename Change>
void TaskStore::change(const Task &task, Change &&edit)
{
    const QString path = QDir(folder_).filePath(task.file);
    IcsDocument doc;
    QString error;
    if (!IcsDocument::parse(readFile(path), doc, error))
        throw std::runtime_error(QStringLiteral("%1: %2").arg(task.file, error).toStdString());
    const IcsDocument::Block block = blockOf(doc, task);
    const bool keep = edit(doc, block);
    if (keep)
        platform::writeRecordFile(path, doc.serialize());
    load();
}

Task TaskStore::add(const QString &summary, const QDate &due, const QDateTime &now)
{
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@dyplom");
    IcsDocument doc = IcsDocument::empty();
    QStringList props{QStringLiteral("UID:") + uid, QStringLiteral("DTSTAMP:") + stamp(now),
                      QStringLiteral("CREATED:") + stamp(now),
                      QStringLiteral("SUMMARY:") + IcsDocument::escapeText(summary)};
    if (due.isValid())
        props << QStringLiteral("DUE;VALUE=DATE:") + due.toString(QStringLiteral("yyyyMMdd"));
    props << QStringLiteral("STATUS:NEEDS-ACTION");
    doc.addTodo(props);
    const QString file = uid.section(QLatin1Char('@'), 0, 0) + QStringLiteral(".ics");
    platform::writeRecordFile(QDir(folder_).filePath(file), doc.serialize());
    load();
    for (const Task &t : tasks_) {
        if (t.uid == uid)
            return t;
    }
    return {};
}

void TaskStore::setDone(const Task &task, bool done, const QDateTime &now)
{
    change(task, [&](IcsDocument &doc, const IcsDocument::Block &b) {
        doc.setProperty(b, QStringLiteral("STATUS"),
                        done ? QStringLiteral(":COMPLETED") : QStringLiteral(":NEEDS-ACTION"));
        const IcsDocument::Block after = blockOf(doc, task);
        if (done) {
            doc.setProperty(after, QStringLiteral("COMPLETED"), QLatin1Char(':') + stamp(now));
        } else {
            doc.removeProperty(after, QStringLiteral("COMPLETED"));
            doc.removeProperty(blockOf(doc, task), QStringLiteral("PERCENT-COMPLETE"));
        }
        doc.setProperty(blockOf(doc, task), QStringLiteral("DTSTAMP"), QLatin1Char(':') + stamp(now));
        return true;
    });
}

void TaskStore::setSummary(const Task &task, const QString &summary, const QDateTime &now)
{
    change(task, [&](IcsDocument &doc, const IcsDocument::Block &b) {
        doc.setProperty(b, QStringLiteral("SUMMARY"), QLatin1Char(':') + IcsDocument::escapeText(summary));
        doc.setProperty(blockOf(doc, task), QStringLiteral("DTSTAMP"), QLatin1Char(':') + stamp(now));
        return true;
    });
}

void TaskStore::setDue(const Task &task, const QDate &due, const QDateTime &now)
{
    change(task, [&](IcsDocument &doc, const IcsDocument::Block &b) {
        const QString parameters = doc.parameters(b, QStringLiteral("DUE"));
        const QString old = doc.value(b, QStringLiteral("DUE")).trimmed();
        const bool timed = old.size() > 8 && old[8] == QLatin1Char('T') && !isDateOnly(parameters);
        if (due.isValid() && timed) {
            // Only the date moves; the time, its zone and form stay.
            QString value = due.toString(QStringLiteral("yyyyMMdd")) + old.mid(8);
            if (old.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive) && task.dueTime.isValid())
                value = QDateTime(due, task.dueTime).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            doc.setProperty(b, QStringLiteral("DUE"), parameters + QLatin1Char(':') + value);
        } else if (due.isValid()) {
            doc.setProperty(b, QStringLiteral("DUE"),
                            QStringLiteral(";VALUE=DATE:") + due.toString(QStringLiteral("yyyyMMdd")));
        } else {
            doc.removeProperty(b, QStringLiteral("DUE"));
        }
        doc.setProperty(blockOf(doc, task), QStringLiteral("DTSTAMP"), QLatin1Char(':') + stamp(now));
        return true;
    });
}

void TaskStore::remove(const Task &task)
{
    const QString path = QDir(folder_).filePath(task.file);
    bool removeFile = false;
    change(task, [&](IcsDocument &doc, const IcsDocument::Block &b) {
        if (doc.otherComponents(b) == 0) {
            removeFile = true;
            return false;
        }
        doc.removeTodo(b);
        return true;
    });
    if (removeFile) {
        if (!QFile::remove(path))
            throw platform::IoError(platform::IoCode::AccessDenied);
        load();
    }
}

} // namespace tasks
