#include "NotesWindow.h"

#include "platform/IoError.h"
#include "platform/Platform.h"
#include "platform/SystemErrorText.h"
#include "platform/WidgetFactory.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Moje notatki");
constexpr int SaveDelayMs = 700;

QString reason(const std::exception &error)
{
    if (const auto *io = dynamic_cast<const platform::IoError *>(&error))
        return platform::ioErrorText(io->code());
    return QString::fromUtf8(error.what());
}
} // namespace

NotesWindow::NotesWindow(const QString &folder, QWidget *parent) : QWidget(parent), store_(folder)
{
    setObjectName(QStringLiteral("notes"));
    setWindowTitle(Caption);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    widgets::setWindowColour(this, QColor(0xF4, 0xF4, 0xF4));

    auto *main = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    QLabel *heading = widgets::label(this, "heading", 0, 0, Caption, widgets::arialPixels(13), widgets::Navy);
    left->addWidget(heading);
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("list"));
    list->setMinimumWidth(220);
    left->addWidget(list, 1);
    auto *buttons = new QHBoxLayout;
    newButton = widgets::flatButton(this, "newButton", QRect(0, 0, 100, 22), QStringLiteral("Nowa notatka"));
    deleteButton = widgets::flatButton(this, "deleteButton", QRect(0, 0, 100, 22), QStringLiteral("Usuń"));
    buttons->addWidget(newButton);
    buttons->addWidget(deleteButton);
    left->addLayout(buttons);
    main->addLayout(left);

    auto *right = new QVBoxLayout;
    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("problem"));
    problem->setWordWrap(true);
    widgets::setTextColour(problem, widgets::Maroon);
    problem->hide();
    right->addWidget(problem);
    editor = new QPlainTextEdit(this);
    editor->setObjectName(QStringLiteral("editor"));
    editor->setFont(widgets::arialPixels(14));
    right->addWidget(editor, 1);
    main->addLayout(right, 1);

    saveTimer = new QTimer(this);
    saveTimer->setSingleShot(true);
    saveTimer->setInterval(SaveDelayMs);
    connect(saveTimer, &QTimer::timeout, this, [this] { saveNow(); });
    connect(editor, &QPlainTextEdit::textChanged, this, &NotesWindow::textEdited);
    connect(newButton, &QToolButton::clicked, this, &NotesWindow::newNote);
    connect(deleteButton, &QToolButton::clicked, this, &NotesWindow::deleteCurrent);
    connect(list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && !loading_)
            openNote(item->data(Qt::UserRole).toString());
    });

    resize(640, 420);
    reload(QString());
}

void NotesWindow::reload(const QString &selectFile)
{
    loading_ = true;
    list->clear();
    QListWidgetItem *toSelect = nullptr;
    for (const notes::Note &note : store_.list()) {
        addItem(note);
        if (note.fileName == selectFile || (!toSelect && selectFile.isEmpty()))
            toSelect = list->item(list->count() - 1);
    }
    loading_ = false;
    if (toSelect) {
        list->setCurrentItem(toSelect);
        openNote(toSelect->data(Qt::UserRole).toString());
    } else {
        openNote(QString());
    }
}

void NotesWindow::addItem(const notes::Note &note)
{
    QString text = note.title + QStringLiteral("\n") + note.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!note.writable)
        text += QStringLiteral("  (%1: %2)")
                    .arg(note.problem.contains(QLatin1String("UTF-8")) ? QStringLiteral("nieczytelna")
                                                                       : QStringLiteral("tylko do odczytu"),
                         note.fileName);
    auto *item = new QListWidgetItem(text, list);
    item->setData(Qt::UserRole, note.fileName);
    if (!note.writable)
        item->setForeground(widgets::Maroon);
}

void NotesWindow::openNote(const QString &fileName)
{
    if (fileName == current_ && !fileName.isEmpty())
        return;
    if (!saveNow()) {
        // The typed text stays on screen rather than being dropped.
        const QSignalBlocker blocker(list);
        select(current_);
        return;
    }
    current_ = fileName;
    loading_ = true;
    if (fileName.isEmpty()) {
        editor->clear();
        editor->setReadOnly(true);
        problem->hide();
    } else {
        const notes::Note note = store_.load(fileName);
        currentNote_ = note;
        editor->setPlainText(note.text);
        editor->setReadOnly(!note.writable);
        problem->setText(note.writable ? QString() : QStringLiteral("%1: %2").arg(note.fileName, note.problem));
        problem->setVisible(!note.writable);
    }
    loading_ = false;
    dirty_ = false;
    deleteButton->setEnabled(!fileName.isEmpty());
}

void NotesWindow::select(const QString &fileName)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toString() == fileName)
            list->setCurrentRow(i);
    }
}

void NotesWindow::textEdited()
{
    if (loading_ || current_.isEmpty() || editor->isReadOnly())
        return;
    dirty_ = true;
    saveTimer->start();
}

bool NotesWindow::saveNow()
{
    saveTimer->stop();
    if (!dirty_ || current_.isEmpty())
        return true;
    const QString text = editor->toPlainText();
    try {
        if (store_.changedSince(currentNote_)
            && !platform::services().askDefaultNo(
                this,
                QStringLiteral("Notatkę „%1” (%2) zmieniono w innym oknie lub programie, odkąd ją tu otwarto.\n\n"
                               "Zastąpić tamtą wersję tekstem z tego okna? (Nie: tekst z tego okna zostanie "
                               "zapisany jako nowa notatka, a tamta wersja zostaje.)")
                    .arg(currentNote_.title, current_),
                Caption))
            return saveElsewhere(text);
        currentNote_.stamp = store_.save(currentNote_, text);
        dirty_ = false;
    } catch (const std::exception &error) {
        platform::services().reportError(this,
                                         QStringLiteral("Notatki %1 nie zapisano: %2").arg(current_, reason(error)));
        return false;
    }
    // The title in the list follows the first line.
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        if (item->data(Qt::UserRole).toString() == current_)
            item->setText(notes::titleOf(editor->toPlainText()) + QStringLiteral("\n")
                          + platform::services().now().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    }
    return true;
}

bool NotesWindow::saveElsewhere(const QString &text)
{
    try {
        const QString name = store_.create(platform::services().now());
        notes::Note note = store_.load(name);
        note.lineEnd = currentNote_.lineEnd;
        note.bom = currentNote_.bom;
        note.stamp = store_.save(note, text);
        note.title = notes::titleOf(text);
        note.modified = platform::services().now();
        current_ = name;
        currentNote_ = note;
        dirty_ = false;
        const QSignalBlocker blocker(list);
        addItem(note);
        list->setCurrentRow(list->count() - 1);
        return true;
    } catch (const std::exception &error) {
        platform::services().reportError(this, QStringLiteral("Nie można utworzyć notatki: %1").arg(reason(error)));
        return false;
    }
}

void NotesWindow::newNote()
{
    if (!saveNow())
        return;
    try {
        const QString name = store_.create(platform::services().now());
        reload(name);
        editor->setFocus();
    } catch (const std::exception &error) {
        platform::services().reportError(this, QStringLiteral("Nie można utworzyć notatki: %1").arg(reason(error)));
    }
}

void NotesWindow::deleteCurrent()
{
    if (current_.isEmpty())
        return;
    const QString title = notes::titleOf(editor->toPlainText());
    if (!platform::services().ask(this, QStringLiteral("Usunąć notatkę „%1”?").arg(title), Caption))
        return;
    saveTimer->stop();
    dirty_ = false;
    try {
        store_.remove(current_);
    } catch (const std::exception &error) {
        platform::services().reportError(this,
                                         QStringLiteral("Nie można usunąć notatki %1: %2").arg(current_, reason(error)));
        return;
    }
    current_.clear();
    reload(QString());
}

void NotesWindow::closeEvent(QCloseEvent *event)
{
    saveNow();
    QWidget::closeEvent(event);
}
