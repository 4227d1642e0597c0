#include "FileBytes.h"
#include "RunAsUser.h"
#include "ScriptedPlatform.h"

#include "notes/NoteStore.h"
#include "notes/NotesWindow.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
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
        QVERIFY(seam.errors()[0].contains(name) && seam.errors()[0].contains("brak dostępu do pliku"));
        QVERIFY(!seam.errors()[0].contains("denied"));
        QCOMPARE(readBytes(folder + '/' + name), QStringLiteral("stara treść").toUtf8());
        // Switching away keeps the typed text on screen instead of dropping it.
        const QString other = store.create(seam.clock.addSecs(60));
        window.list->addItem("inna");
        window.list->item(1)->setData(Qt::UserRole, other);
        window.select(other);
        QCOMPARE(window.currentFile(), name);
        QVERIFY(window.editor->toPlainText().contains("nowa "));
    }

    void aNoteWithoutWritePermissionIsReadOnlyFromTheStart()
    {
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        notes::NoteStore store(folder);
        const QString name = store.create(seam.clock);
        store.save(name, "tylko do czytania");
        QVERIFY(QFile::setPermissions(folder + '/' + name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        NotesWindow window(folder);
        QVERIFY(window.editor->isReadOnly());
        QVERIFY(window.problem->isVisible() || !window.problem->text().isEmpty());
        QVERIFY(window.problem->text().contains("brak prawa zapisu"));
        QVERIFY(window.list->item(0)->text().contains("tylko do odczytu"));
        QTest::keyClicks(window.editor, "x");
        window.close();
        QCOMPARE(readBytes(folder + '/' + name), QByteArray("tylko do czytania"));
        QVERIFY(seam.errors().isEmpty());
    }

    void editingKeepsLineEndsAndBom_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Windows line ends and a BOM") << QByteArray("\xEF\xBB\xBFRada\r\n\xC5\x9Broda\r\n")
                                                     << QByteArray("\xEF\xBB\xBFRada\r\n\xC5\x9Broda\r\nx");
        QTest::newRow("Unix line ends") << QByteArray("Rada\n") << QByteArray("Rada\nx");
    }
    void editingKeepsLineEndsAndBom()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        QDir().mkpath(folder);
        writeBytes(folder + "/rada.txt", before);
        NotesWindow window(folder);
        window.editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(window.editor, "x");
        QVERIFY(window.saveNow());
        QCOMPARE(readBytes(folder + "/rada.txt"), after);
    }

    void twoWindowsOnOneNoteNeverLoseAnUpdate_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("Enter: the second text becomes a new note") << false;
        QTest::newRow("replace the other version") << true;
    }
    void twoWindowsOnOneNoteNeverLoseAnUpdate()
    {
        QFETCH(bool, replace);
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Notatki";
        notes::NoteStore store(folder);
        const QString name = store.create(seam.clock);
        store.save(name, "Plan: ");
        NotesWindow first(folder);
        NotesWindow second(folder);
        first.editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(first.editor, "pierwsze");
        QVERIFY(first.saveNow());
        QVERIFY(seam.messages.isEmpty());
        second.editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(second.editor, "drugie");
        seam.answers = {replace};
        QVERIFY(second.saveNow());
        QCOMPARE(seam.messages.size(), 1);
        QVERIFY(seam.messages[0].defaultNo && seam.messages[0].text.contains(name));
        if (replace) {
            QCOMPARE(readBytes(folder + '/' + name), QByteArray("Plan: drugie"));
            QCOMPARE(filesIn(folder).size(), 1);
        } else {
            QCOMPARE(readBytes(folder + '/' + name), QByteArray("Plan: pierwsze"));
            QCOMPARE(filesIn(folder).size(), 2);
            QCOMPARE(readBytes(folder + '/' + second.currentFile()), QByteArray("Plan: drugie"));
            QCOMPARE(second.list->count(), 2);
            // Typing on goes on into the new note, without asking again.
            QTest::keyClicks(second.editor, "!");
            QVERIFY(second.saveNow());
            QCOMPARE(readBytes(folder + '/' + second.currentFile()), QByteArray("Plan: drugie!"));
            QCOMPARE(seam.messages.size(), 1);
        }
    }

    // The permission checks once more as an ordinary user, where the system
    // (not the permission bits) decides what may be written.
    void permissionsHoldForAnOrdinaryUser()
    {
        if (::geteuid() != 0)
            return; // this run is the ordinary user's already
        QTemporaryDir work;
        QVERIFY(letOthersIn(work.path(), 0777));
        const HelperRun run = runAsOrdinaryUser(QCoreApplication::applicationFilePath(),
                                                {"aNoteWithoutWritePermissionIsReadOnlyFromTheStart",
                                                 "aFailedSaveIsReportedAndKeepsTheOldNote",
                                                 "twoWindowsOnOneNoteNeverLoseAnUpdate", "editingKeepsLineEndsAndBom"},
                                                work.path());
        QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.output + run.errors));
        QVERIFY2(run.output.contains("Totals: 8 passed, 0 failed"), qPrintable(run.output));
    }
};

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
