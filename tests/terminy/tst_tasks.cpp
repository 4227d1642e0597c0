#include "FileBytes.h"
#include "ScriptedPlatform.h"

#include "terminy/IcsDocument.h"
#include "terminy/TaskStore.h"
#include "terminy/TasksWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Written by another calendar program: properties and an alarm we do not
// know, a long folded description, a second to-do and an event.
const QByteArray Foreign = "BEGIN:VCALENDAR\r\n"
                           "VERSION:2.0\r\n"
                           "PRODID:-//Inny//Kalendarz//EN\r\n"
                           "X-WR-CALNAME:Szkoła\r\n"
                           "BEGIN:VTODO\r\n"
                           "UID:obcy-1@example\r\n"
                           "DTSTAMP:20261101T100000Z\r\n"
                           "SUMMARY;LANGUAGE=pl:Zebranie z rodzicami\\, sala 12\r\n"
                           "DESCRIPTION:Bardzo długi opis zebrania z rodzicami uczniów klas trzecich\\, k\r\n"
                           " tóry zawija się na kilka wierszy\r\n"
                           "DUE:20261120T170000Z\r\n"
                           "PRIORITY:1\r\n"
                           "X-INNY-PROGRAM;X-PARAM=\"a:b\":wartość\r\n"
                           "BEGIN:VALARM\r\n"
                           "ACTION:DISPLAY\r\n"
                           "DESCRIPTION:Przypomnienie\r\n"
                           "TRIGGER:-PT15M\r\n"
                           "END:VALARM\r\n"
                           "END:VTODO\r\n"
                           "BEGIN:VTODO\r\n"
                           "UID:obcy-2@example\r\n"
                           "DTSTAMP:20261101T100000Z\r\n"
                           "SUMMARY:Bez terminu\r\n"
                           "END:VTODO\r\n"
                           "BEGIN:VEVENT\r\n"
                           "UID:wydarzenie@example\r\n"
                           "DTSTAMP:20261101T100000Z\r\n"
                           "DTSTART:20261224T000000\r\n"
                           "SUMMARY:Wigilia\r\n"
                           "END:VEVENT\r\n"
                           "END:VCALENDAR\r\n";

QStringList oracle(const QString &folder)
{
    // Debian's interpreter, where python3-icalendar is installed.
    const QString python = QFile::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
    QProcess p;
    p.start(python, {qEnvironmentVariable("DYPLOM_SOURCE_DIR") + "/tests/terminy/read_tasks.py", folder});
    p.waitForFinished(60000);
    if (p.exitCode() != 0)
        qWarning() << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QStringList summaries(const QList<tasks::Task> &list)
{
    QStringList s;
    for (const tasks::Task &t : list)
        s << t.summary;
    return s;
}

// Lines of `before` missing from `after`.
QList<QByteArray> lost(const QByteArray &before, const QByteArray &after)
{
    QList<QByteArray> missing;
    const QList<QByteArray> kept = after.split('\n');
    for (const QByteArray &line : before.split('\n')) {
        if (!kept.contains(line))
            missing << line;
    }
    return missing;
}

} // namespace

class TestTasks : public QObject {
    Q_OBJECT
private slots:
    void dueValuesAreRead_data()
    {
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("timed");
        QTest::newRow("date") << ";VALUE=DATE"
                              << "20261210" << QDate(2026, 12, 10) << false;
        QTest::newRow("date without parameter") << ""
                                                << "20261210" << QDate(2026, 12, 10) << false;
        QTest::newRow("floating time") << ""
                                       << "20261210T235900" << QDate(2026, 12, 10) << true;
        QTest::newRow("zone id taken as local") << ";TZID=Europe/Warsaw"
                                                << "20261210T080000" << QDate(2026, 12, 10) << true;
        QTest::newRow("zone id with an explicit date-time") << ";TZID=Europe/Warsaw;VALUE=DATE-TIME"
                                                            << "20261210T080000" << QDate(2026, 12, 10) << true;
        QTest::newRow("nonsense") << ""
                                  << "jutro" << QDate() << false;
        QTest::newRow("impossible date") << ";VALUE=DATE"
                                         << "20261345" << QDate() << false;
    }
    void dueValuesAreRead()
    {
        QFETCH(QString, parameters);
        QFETCH(QString, value);
        QFETCH(QDate, date);
        QFETCH(bool, timed);
        QDate d;
        QTime t;
        QCOMPARE(tasks::parseDue(parameters, value, d, t), date.isValid());
        QCOMPARE(d, date);
        QCOMPARE(t.isValid(), timed);
    }

    void textIsEscapedAndLongLinesFolded()
    {
        const QString text = QStringLiteral("Zebranie; sala 3, piętro\\2\nkoniec");
        QCOMPARE(tasks::IcsDocument::unescapeText(tasks::IcsDocument::escapeText(text)), text);
        QTemporaryDir dir;
        tasks::TaskStore store(dir.path());
        const QString longSummary = QString(50, QChar(0x0119)) + "koniec"; // 106 octets of UTF-8
        store.add(longSummary, QDate(2026, 12, 9), QDateTime::currentDateTime());
        const QByteArray bytes = readBytes(dir.path() + '/' + QDir(dir.path()).entryList({"*.ics"})[0]);
        for (const QByteArray &line : bytes.split('\n'))
            QVERIFY2(line.size() <= 76, line.constData()); // 75 octets and the CR
        QVERIFY(QString::fromUtf8(bytes).isValidUtf16());
        tasks::TaskStore again(dir.path());
        again.load();
        QCOMPARE(again.tasks()[0].summary, longSummary);
    }

    void tasksSurviveARestartAndAnotherParserReadsThem()
    {
        QTemporaryDir dir;
        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        {
            tasks::TaskStore store(dir.path());
            store.add("Świadectwa dla klas 8", QDate(2027, 6, 20), now);
            const tasks::Task apel = store.add("Apel, sala; gimnastyczna", QDate(2026, 11, 10), now);
            store.add("Kupić toner", QDate(), now);
            store.setDone(apel, true, now);
            QCOMPARE(store.tasks()[2].summary, QStringLiteral("Kupić toner"));
            store.setDue(store.tasks()[2], QDate(2026, 12, 24), now);
        }
        tasks::TaskStore restarted(dir.path());
        restarted.load();
        QCOMPARE(summaries(restarted.tasks()),
                 (QStringList{"Apel, sala; gimnastyczna", "Kupić toner", "Świadectwa dla klas 8"}));
        QVERIFY(restarted.tasks()[0].done);
        QCOMPARE(restarted.tasks()[2].due, QDate(2027, 6, 20));
        QVERIFY(restarted.problems().isEmpty());
        QCOMPARE(oracle(dir.path()),
                 (QStringList{"Apel, sala; gimnastyczna|2026-11-10|COMPLETED", "Kupić toner|2026-12-24|NEEDS-ACTION",
                              "Świadectwa dla klas 8|2027-06-20|NEEDS-ACTION"}));
    }

    void aForeignCalendarKeepsWhatWeDoNotKnow()
    {
        QTemporaryDir dir;
        writeBytes(dir.path() + "/szkola.ics", Foreign);
        tasks::TaskStore store(dir.path());
        store.load();
        QCOMPARE(summaries(store.tasks()), (QStringList{"Zebranie z rodzicami, sala 12", "Bez terminu"}));
        const QDateTime due = QDateTime(QDate(2026, 11, 20), QTime(17, 0), Qt::UTC).toLocalTime();
        QCOMPARE(store.tasks()[0].due, due.date());
        QCOMPARE(store.tasks()[0].dueTime, due.time());

        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        store.setDone(store.tasks()[0], true, now);
        QByteArray after = readBytes(dir.path() + "/szkola.ics");
        QCOMPARE(lost(Foreign, after), QList<QByteArray>{}); // folded lines and quoted parameters too
        QVERIFY(after.contains("STATUS:COMPLETED\r\nCOMPLETED:20261207T"));
        QVERIFY(after.contains("PRIORITY:1\r\nX-INNY-PROGRAM"));

        store.setDone(store.tasks()[0], false, now);
        QCOMPARE(store.tasks()[1].summary, QStringLiteral("Bez terminu"));
        store.remove(store.tasks()[1]); // the file holds more: only its lines go
        after = readBytes(dir.path() + "/szkola.ics");
        QVERIFY(!after.contains("Bez terminu") && !after.contains("COMPLETED:"));
        QVERIFY(after.contains("BEGIN:VALARM") && after.contains("Wigilia") && after.contains("X-WR-CALNAME"));
        QCOMPARE(oracle(dir.path()), QStringList{"Zebranie z rodzicami, sala 12|2026-11-20T17:00:00+00:00|NEEDS-ACTION"});
    }

    // One task edited in a calendar another program wrote: every line the
    // edit does not touch stays byte for byte, and an independent parser finds
    // the same properties everywhere else.
    void editingOneTaskKeepsEverythingElse_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("task"); // 0: the repeating one with the zone, 1: the plain one
        QTest::addColumn<QString>("changed");
        QTest::newRow("tick the plain one") << "tick" << 1 << "STATUS,COMPLETED,DTSTAMP";
        QTest::newRow("rename the repeating one") << "rename" << 0 << "SUMMARY,DTSTAMP";
        QTest::newRow("move the repeating one") << "move" << 0 << "DUE,DTSTAMP";
    }
    void editingOneTaskKeepsEverythingElse()
    {
        QFETCH(QString, edit);
        QFETCH(int, task);
        QFETCH(QString, changed);
        const QByteArray zone = "BEGIN:VTIMEZONE\r\nTZID:Europe/Warsaw\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                                "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                                "END:STANDARD\r\nEND:VTIMEZONE\r\n";
        const QByteArray rich = QByteArray(Foreign)
                                    .replace("X-WR-CALNAME:Szkoła\r\n", "X-WR-CALNAME:Szkoła\r\n" + zone)
                                    .replace("DUE:20261120T170000Z\r\n",
                                             "DUE;TZID=Europe/Warsaw:20261120T170000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\n"
                                             "CATEGORIES:Szkoła,Rodzice\r\n");
        QTemporaryDir dir;
        const QString path = dir.path() + "/szkola.ics";
        writeBytes(path, rich);
        writeBytes(dir.path() + "/przed.txt", rich);
        tasks::TaskStore store(dir.path());
        store.load();
        const QStringList uids{"obcy-1@example", "obcy-2@example"};
        const tasks::Task target =
            store.tasks()[summaries(store.tasks()).indexOf(task ? "Bez terminu" : "Zebranie z rodzicami, sala 12")];
        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        if (edit == "tick")
            store.setDone(target, true, now);
        else if (edit == "rename")
            store.setSummary(target, "Zebranie przeniesione", now);
        else
            store.setDue(target, QDate(2026, 11, 27), now);
        const QByteArray after = readBytes(path);
        QVERIFY(after != rich);
        for (const QByteArray &line : lost(rich, after))
            QVERIFY2(changed.split(',').contains(
                         QString::fromUtf8(line).section(QLatin1Char(':'), 0, 0).section(QLatin1Char(';'), 0, 0)),
                     line.constData());

        QProcess p;
        p.start(QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3",
                {qEnvironmentVariable("DYPLOM_SOURCE_DIR") + "/tests/terminy/compare_calendars.py",
                 dir.path() + "/przed.txt", path, uids[task], changed});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0 && p.readAllStandardOutput().isEmpty(), p.readAllStandardError().constData());
    }

    void ticksAndNewDatesKeepTheCalendarsForm_data()
    {
        QTest::addColumn<QByteArray>("due");
        QTest::addColumn<QByteArray>("moved");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole day") << QByteArray("DUE;VALUE=DATE:20261120") << QByteArray("DUE;VALUE=DATE:20261127")
                                   << "2026-11-20";
        QTest::newRow("floating time") << QByteArray("DUE:20261120T170000") << QByteArray("DUE:20261127T170000")
                                       << "2026-11-20 17:00";
        QTest::newRow("time in a zone") << QByteArray("DUE;TZID=Europe/Warsaw;VALUE=DATE-TIME:20261120T170000")
                                        << QByteArray("DUE;TZID=Europe/Warsaw;VALUE=DATE-TIME:20261127T170000")
                                        << "2026-11-20 17:00";
        const QDateTime utc = QDateTime(QDate(2026, 11, 20), QTime(17, 0), Qt::UTC);
        QTest::newRow("UTC time") << QByteArray("DUE:20261120T170000Z") << QByteArray("DUE:20261127T170000Z")
                                  << utc.toLocalTime().toString("yyyy-MM-dd HH:mm");
    }
    void ticksAndNewDatesKeepTheCalendarsForm()
    {
        QFETCH(QByteArray, due);
        QFETCH(QByteArray, moved);
        QFETCH(QString, shown);
        ScriptedPlatform seam;
        QTemporaryDir dir;
        const QByteArray foreign = QByteArray(Foreign).replace("DUE:20261120T170000Z", due);
        writeBytes(dir.path() + "/szkola.ics", foreign);
        TasksWindow window(dir.path(), QString());
        QCOMPARE(window.list->topLevelItem(0)->text(1).section("  ", 0, 0), shown);

        // "Zmień termin" a week later: the time and its zone stay.
        window.withDue->setChecked(true);
        window.dueEdit->setDate(QDate(2026, 11, 27));
        window.list->setCurrentItem(window.list->topLevelItem(0));
        window.dueButton->click();
        QByteArray after = readBytes(dir.path() + "/szkola.ics");
        QVERIFY2(after.contains(moved + "\r\n"), after.constData());
        QCOMPARE(window.list->topLevelItem(0)->text(1).section("  ", 0, 0), QString(shown).replace("-11-20", "-11-27"));

        // Ticking puts the new properties before the alarm.
        window.list->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QTRY_VERIFY(window.shown()[0].done);
        after = readBytes(dir.path() + "/szkola.ics");
        const int alarm = after.indexOf("BEGIN:VALARM");
        QVERIFY(after.indexOf("STATUS:COMPLETED") < alarm && after.indexOf("COMPLETED:2026") < alarm);
        QCOMPARE(lost(QByteArray(foreign).replace(due, moved), after), QList<QByteArray>{});
    }

    void tickingARepeatingTaskCompletesOnlyThisOccurrence_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("due"); // afterwards
        QTest::addColumn<bool>("done");   // afterwards
        QTest::addColumn<bool>("asked");
        QTest::newRow("weekly") << "FREQ=WEEKLY" << false << "2026-12-17" << false << false;
        QTest::newRow("every two months") << "FREQ=MONTHLY;INTERVAL=2" << false << "2027-02-10" << false << false;
        QTest::newRow("the last one") << "FREQ=DAILY;UNTIL=20261210T235959Z" << false << "2026-12-10" << true << false;
        QTest::newRow("counted: Enter keeps it") << "FREQ=WEEKLY;COUNT=5" << false << "2026-12-10" << false << true;
        QTest::newRow("counted: the whole series") << "FREQ=WEEKLY;BYDAY=MO,TH" << true << "2026-12-10" << true << true;
    }
    void tickingARepeatingTaskCompletesOnlyThisOccurrence()
    {
        QFETCH(QString, rule);
        QFETCH(bool, answer);
        QFETCH(QString, due);
        QFETCH(bool, done);
        QFETCH(bool, asked);
        ScriptedPlatform seam;
        QTemporaryDir dir;
        writeBytes(dir.path() + "/dyzur.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Inny//EN\r\nBEGIN:VTODO\r\n"
                                              "UID:dyzur@example\r\nDTSTAMP:20261101T100000Z\r\nSUMMARY:Dyżur\r\n"
                                              "DUE;VALUE=DATE:20261210\r\nRRULE:"
                                                  + rule.toUtf8() + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
        TasksWindow window(dir.path(), QString());
        seam.answers = {answer};
        window.setDone(0, true);
        QCOMPARE(window.shown()[0].due.toString("yyyy-MM-dd"), due);
        QCOMPARE(window.shown()[0].done, done);
        QCOMPARE(seam.texts("ask").size(), int(asked));
        if (asked)
            QVERIFY(seam.messages[0].defaultNo && seam.messages[0].text.contains("Dyżur"));
        QVERIFY(readBytes(dir.path() + "/dyzur.ics").contains("RRULE:" + rule.toUtf8()));
    }

    void unreadableFilesAreNamedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a calendar") << QByteArray("lista zakupów\n") << "BEGIN:VCALENDAR";
        QTest::newRow("cut short") << Foreign.left(Foreign.indexOf("END:VTODO")) << "niepełny";
        QTest::newRow("another encoding") << QByteArray(Foreign).replace("Szkoła", "Szko\xB3"
                                                                                   "a")
                                          << "UTF-8";
        QTest::newRow("components crossed")
            << QByteArray("BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VCALENDAR\nEND:VTODO\n") << "nie zamykają";
    }
    void unreadableFilesAreNamedAndLeftAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        ScriptedPlatform seam;
        QTemporaryDir dir;
        writeBytes(dir.path() + "/zly.ics", bytes);
        TasksWindow window(dir.path(), "Moje zadania");
        QVERIFY(window.addTask("Nowe zadanie", QDate(2026, 12, 10)));
        QCOMPARE(window.list->topLevelItemCount(), 1);
        QVERIFY2(window.problems->text().contains("zly.ics: ") && window.problems->text().contains(expected),
                 qPrintable(window.problems->text()));
        QCOMPARE(readBytes(dir.path() + "/zly.ics"), bytes);
    }

    void theWindowSortsMarksAndTicks()
    {
        ScriptedPlatform seam; // today is 2026-12-07
        QTemporaryDir dir;
        TasksWindow window(dir.path(), "Moje zadania");
        QCOMPARE(window.windowTitle(), QStringLiteral("Terminarz – Moje zadania"));
        QCOMPARE(window.title->text(), QStringLiteral("Moje zadania"));
        QVERIFY(!window.addTask("   ", QDate()));
        QVERIFY(window.addTask("Później", QDate(2026, 12, 20)));
        QVERIFY(window.addTask("Zaległe", QDate(2026, 12, 1)));
        QVERIFY(window.addTask("Dziś", QDate(2026, 12, 7)));
        QStringList rows;
        for (int i = 0; i < window.list->topLevelItemCount(); ++i)
            rows << window.list->topLevelItem(i)->text(1) + " " + window.list->topLevelItem(i)->text(2);
        QCOMPARE(rows, (QStringList{"2026-12-01  po terminie! Zaległe", "2026-12-07 Dziś", "2026-12-20 Później"}));

        // Ticking through the list writes at once; a done task is overdue no more.
        window.list->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QTRY_VERIFY(window.shown()[0].done);
        QCOMPARE(window.list->topLevelItem(0)->text(1), QStringLiteral("2026-12-01"));
        window.list->topLevelItem(1)->setText(2, "Dziś: apel");
        QTRY_COMPARE(window.shown()[1].summary, QStringLiteral("Dziś: apel"));

        seam.answers = {false, true};
        window.removeTask(2);
        QCOMPARE(window.shown().size(), 3);
        window.removeTask(2);
        QCOMPARE(window.shown().size(), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

        TasksWindow restarted(dir.path(), "Moje zadania");
        QCOMPARE(restarted.list->topLevelItem(0)->checkState(0), Qt::Checked);
        QCOMPARE(restarted.list->topLevelItem(1)->text(2), QStringLiteral("Dziś: apel"));
    }
};

QTEST_MAIN(TestTasks)
#include "tst_tasks.moc"
