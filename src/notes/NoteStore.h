#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

namespace notes {

// One note: a text file in the Notatki folder.
struct Note {
    QString fileName; // "notatka-20261208-093000.txt"
    QString title;    // first line with text, cut to 60 characters
    QDateTime modified;
    QString text;
    // A file that is not UTF-8 (another program's, an old encoding) is shown
    // as Windows-1250 and never written back: `problem` says why.
    bool writable = true;
    QString problem;
};

QString titleOf(const QString &text);

// The notes of one folder. Writes are atomic (temporary file and rename,
// through platform::writeRecordFile): a failed save leaves the old note
// whole. Failures raise platform::IoError.
class NoteStore {
public:
    explicit NoteStore(const QString &folder);

    QString folder() const { return folder_; }
    // Newest first. Only "*.txt" files count; others in the folder are left alone.
    QList<Note> list() const;
    Note load(const QString &fileName) const;
    // A new empty note named after `when` (a free name); returns its file name.
    QString create(const QDateTime &when);
    void save(const QString &fileName, const QString &text);
    void remove(const QString &fileName);

private:
    QString pathOf(const QString &fileName) const;
    QString folder_;
};

} // namespace notes
