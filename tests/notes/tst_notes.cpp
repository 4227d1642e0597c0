#include "FileBytes.h"
#include "ScriptedPlatform.h"

#include "notes/NoteStore.h"
#include "notes/NotesWindow.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestNotes : public QObject {
    Q_OBJECT
private slots:
    void titlesComeFromTheFirstLineWithText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "Zakupy\nmleko"
                               << "Zakupy";
        QTest::newRow("blank lines first") << "\n   \n  Rada pedagogiczna  \n"
                                           << "Rada pedagogiczna";
        QTest::newRow("empty") << ""
                               << "(pusta notatka)";
        QTest::newRow("long") << QString(80, QChar(0x017C)) << QString(59, QChar(0x017C)) + QChar(0x2026);
    }
    void titlesComeFromTheFirstLineWithText()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QCOMPARE(notes::titleOf(text), title);
    }

    void notesSurviveARestartNewestFirst()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        QString first, second;
        {
            notes::NoteStore store(folder);
            first = store.create(QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
            second = store.create(QDateTime(QDate(2026, 12, 1), QTime(8, 0))); // same second: a free name
            QVERIFY(first != second);
            store.save(first, QStringLiteral("Świadectwa\nwydrukować do piątku"));
            QTest::qWait(20);
            store.save(second, QStringLiteral("Zamówić papier"));
        }
        notes::NoteStore again(folder);
        const QList<notes::Note> listed = again.list();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].title, QStringLiteral("Zamówić papier"));
        QCOMPARE(listed[1].text, QStringLiteral("Świadectwa\nwydrukować do piątku"));
        QCOMPARE(readBytes(folder + '/' + first), QStringLiteral("Świadectwa\nwydrukować do piątku").toUtf8());
        QCOMPARE(filesIn(folder).size(), 2); // no temporary files left
    }

    void aNoteInAnotherEncodingIsShownButNeverWritten()
    {
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        QDir().mkpath(folder);
        const QByteArray cp1250("Wycieczka do \xA3odzi\r\n", 20); // "Łodzi" in Windows-1250
        writeBytes(folder + "/stara.txt", cp1250);
        writeBytes(folder + "/obrazek.png", "\x89PNG"); // not a note: left alone
        NotesWindow window(folder);
        QCOMPARE(window.list->count(), 1);
        QVERIFY(window.list->item(0)->text().contains("nieczytelna: stara.txt"));
        QCOMPARE(window.editor->toPlainText(), QStringLiteral("Wycieczka do Łodzi\n"));
        QVERIFY(window.editor->isReadOnly());
        QVERIFY(window.problem->text().contains("stara.txt") && window.problem->text().contains("UTF-8"));
        window.editor->insertPlainText("x"); // read-only for the user; even programmatic edits are not saved
        QVERIFY(window.saveNow());
        window.close();
        QCOMPARE(readBytes(folder + "/stara.txt"), cp1250);
    }

    void typingIsSavedAutomaticallyAndOnSwitching()
    {
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        NotesWindow window(folder);
        QCOMPARE(window.list->count(), 0);
        QVERIFY(window.editor->isReadOnly());
        window.newNote();
        const QString first = window.currentFile();
        QCOMPARE(window.list->count(), 1);
        QTest::keyClicks(window.editor, "Apel 11 listopada");
        QVERIFY(window.saveTimer->isActive());
        QTRY_COMPARE(readBytes(folder + '/' + first), QByteArray("Apel 11 listopada"));
        QCOMPARE(window.list->item(0)->text().section('\n', 0, 0), QStringLiteral("Apel 11 listopada"));

        seam.clock = seam.clock.addSecs(5);
        window.newNote();
        QTest::keyClicks(window.editor, "Druga");
        window.select(first); // switching saves at once
        QCOMPARE(readBytes(folder + '/' + window.list->item(0)->data(Qt::UserRole).toString()), QByteArray("Druga"));
        QCOMPARE(window.editor->toPlainText(), QStringLiteral("Apel 11 listopada"));
    }

    void deletingAsksFirst()
    {
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        notes::NoteStore store(folder);
        const QString name = store.create(seam.clock);
        store.save(name, "Do usunięcia");
        NotesWindow window(folder);
        seam.answers = {false};
        window.deleteCurrent();
        QCOMPARE(seam.texts("ask"), QStringList{QStringLiteral("Usunąć notatkę „Do usunięcia”?")});
        QVERIFY(QFile::exists(folder + '/' + name));
        seam.answers = {true};
        window.deleteCurrent();
        QVERIFY(!QFile::exists(folder + '/' + name));
        QCOMPARE(window.list->count(), 0);
    }

    void aFailedSaveIsReportedAndKeepsTheOldNote()
    {
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        notes::NoteStore store(folder);
        const QString name = store.create(seam.clock);
        store.save(name, "stara treść");
        NotesWindow window(folder);
        // A note file without write bits is refused for root too.
        QVERIFY(QFile::setPermissions(folder + '/' + name, QFile::ReadOwner | QFile::ReadGroup));
        QTest::keyClicks(window.editor, "nowa ");
        QVERIFY(!window.saveNow());
        QCOMPARE(seam.errors().size(), 1);
        QVERIFY(seam.errors()[0].contains(name));
        QCOMPARE(readBytes(folder + '/' + name), QStringLiteral("stara treść").toUtf8());
    }
};

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
