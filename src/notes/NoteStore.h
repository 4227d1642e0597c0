#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

namespace notes {

// What a note file was when read, to tell whether someone else wrote it since.
struct NoteStamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    QByteArray sha256;
    bool operator==(const NoteStamp &o) const
    {
        return size == o.size && modifiedNs == o.modifiedNs && sha256 == o.sha256;
    }
    bool operator!=(const NoteStamp &o) const { return !(*this == o); }
};

// One note: a text file in the Notatki folder.
struct Note {
    QString fileName; // "notatka-20261208-093000.txt"
    QString title;    // first line with text, cut to 60 characters
    QDateTime modified;
    QString text;
    // A file that is not UTF-8 (another program's, an old encoding) is shown
    // as Windows-1250 and never written back: `problem` says why.
    // A file without write permission (or in a folder without it) is
    // read-only too.
    bool writable = true;
    QString problem;
    // Written back as found: "\r\n" or "\n" line ends, a UTF-8 BOM or none.
    QByteArray lineEnd = "\n";
    bool bom = false;
    NoteStamp stamp;
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
    // Writes `text` with the note's line ends and BOM; returns the new stamp.
    NoteStamp save(const Note &note, const QString &text);
    // True when the file is no longer what `note` was read from.
    bool changedSince(const Note &note) const;
    void remove(const QString &fileName);

private:
    QString pathOf(const QString &fileName) const;
    QString folder_;
};

} // namespace notes
