#pragma once
#include "NoteStore.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QToolButton;

// "Moje notatki": the notes listed by title and date beside the open one.
// Typing is saved a moment after it stops, on switching notes and on
// closing; a note that cannot be read as UTF-8 or written is shown
// read-only. A note another window or program wrote since it was opened is
// not overwritten without asking.
class NotesWindow : public QWidget {
    Q_OBJECT
public:
    explicit NotesWindow(const QString &folder, QWidget *parent = nullptr);

    void newNote();
    void deleteCurrent();
    void select(const QString &fileName);
    // Writes the open note when it has unsaved changes; false on failure.
    bool saveNow();
    QString currentFile() const { return current_; }

    QListWidget *list = nullptr;
    QPlainTextEdit *editor = nullptr;
    QLabel *problem = nullptr;
    QToolButton *newButton = nullptr;
    QToolButton *deleteButton = nullptr;
    QTimer *saveTimer = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void reload(const QString &select);
    void openNote(const QString &fileName);
    void textEdited();
    void addItem(const notes::Note &note);
    bool saveElsewhere(const QString &text);

    notes::NoteStore store_;
    QString current_;
    notes::Note currentNote_;
    bool dirty_ = false;
    bool loading_ = false;
};
