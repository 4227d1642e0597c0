#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace tasks {

// An iCalendar file kept line by line, so that whatever another program
// wrote (properties, parameters, other components) comes back unchanged:
// only the lines a change touches are made anew.
class IcsDocument {
public:
    struct Line {
        QString raw;  // as read, continuation lines included
        QString text; // unfolded
    };
    struct Block { // BEGIN:VTODO … END:VTODO, line indexes
        int begin = 0;
        int end = 0;
    };

    // False with `error` (Polish) when the bytes are not UTF-8 or not a
    // calendar whose components open and close in order.
    static bool parse(const QByteArray &bytes, IcsDocument &into, QString &error);
    // A new calendar holding no component yet.
    static IcsDocument empty();
    // CRLF line ends; new or changed lines folded at 75 octets.
    QByteArray serialize() const;

    QList<Block> todos() const;
    // Properties of the to-do itself (not of an alarm inside it).
    int findProperty(const Block &todo, const QString &name) const;
    QString value(const Block &todo, const QString &name) const;
    QString parameters(const Block &todo, const QString &name) const; // ";VALUE=DATE", or empty
    // Replaces the first such property or adds it after the to-do's own
    // properties, before any nested component (an alarm) or END:VTODO.
    void setProperty(const Block &todo, const QString &name, const QString &parametersAndValue);
    void removeProperty(const Block &todo, const QString &name);
    // Appends a to-do before END:VCALENDAR; returns its block.
    Block addTodo(const QStringList &propertyLines);
    void removeTodo(const Block &todo);
    // How many components other than this to-do the calendar holds.
    int otherComponents(const Block &todo) const;

    static QString escapeText(const QString &text);
    static QString unescapeText(const QString &value);

private:
    static QString nameOf(const QString &text);
    QList<Line> lines_;
};

} // namespace tasks
