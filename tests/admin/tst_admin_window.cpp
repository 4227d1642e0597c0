// The administrator window: its controls, the option reset on every
// opening, and the two clearing operations.
#include "admin/AdminState.h"
#include "admin/Tnarzedzia_f.h"
#include "history/RunHistory.h"
#include "history/Thisto_f.h"
#include "platform/IoError.h"
#include "platform/LocaleText.h"
#include "platform/RecordBytes.h"

#include "FileBytes.h"
#include "RunHistoryBytes.h"
#include "ScriptedPlatform.h"
#include "TempProgramDir.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray historyWithCount(const QString &count)
{
    return runHistoryBytes(QStringLiteral("01.02.2020"), QStringLiteral("10:11:12"), count);
}

const QString Question = QStringLiteral("Wykonać wskazaną operację ?");
const QString Done = QStringLiteral("Wybrana operacja została zakończona");

} // namespace

class TestAdminWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { modul_hist::state() = modul_hist::RunHistoryState{}; }

    void controlsNoticeAndPicture()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Tnarzedzia_f window;
        QCOMPARE(window.objectName(), QStringLiteral("narzedzia_f"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Narzędzia administratora"));
        QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(window.size(), QSize(385, 400));
        for (const char *name :
             {"Panel1", "GroupBox1", "op3", "op4", "Image1", "SpeedButton1", "SpeedButton2", "SpeedButton3", "Memo1"})
            QVERIFY2(window.findChild<QObject *>(QLatin1String(name)), name);
        QCOMPARE(window.SpeedButton3->text(), QStringLiteral("Sprawdź aktualizację"));
        QCOMPARE(window.SpeedButton2->text(), QStringLiteral("Wykonaj operację"));
        QCOMPARE(window.op4->text(), QStringLiteral("wykasowanie rejestru archiwizacji"));

        const QStringList notice = window.Memo1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(notice.size(), 4);
        QCOMPARE(notice[0], QStringLiteral("Wszystkie operacje są możliwe do wykonania przez użytkownika "));
        QCOMPARE(notice[3], QStringLiteral("ewentualnych problemów."));
        QVERIFY(!window.Memo1->isEnabled());

        QVERIFY(!window.Image1->pixmap().isNull());
        QCOMPARE(window.Image1->pixmap().size(), QSize(150, 117));
    }

    void hintsHaveACarriageReturnBetweenTheirLines()
    {
        QCOMPARE(Tnarzedzia_f::op3Hint(), QStringLiteral("Operacja wyzeruje dane dotyczące historii uruchomień programu")
                                              + QChar(13) + QStringLiteral("Poprzednie informacje ulegną skasowaniu"));
        QCOMPARE(Tnarzedzia_f::op4Hint(), QStringLiteral("Operacja wyzeruje dane dotyczące archiwizacji programu")
                                              + QChar(13) + QStringLiteral("Poprzednie informacje ulegną skasowaniu"));
    }

    void everyOpeningResetsToTheHistoryOption()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Tnarzedzia_f window;
        QVERIFY(window.op3->isChecked());
        QCOMPARE(window.SpeedButton2->toolTip(), Tnarzedzia_f::op3Hint());

        window.openFromMenu();
        QTest::mouseClick(window.op4, Qt::LeftButton);
        QVERIFY(window.op4->isChecked());
        QVERIFY(!window.op3->isChecked());
        QCOMPARE(window.SpeedButton2->toolTip(), Tnarzedzia_f::op4Hint());

        QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isEnabled());

        window.openFromMenu();
        QVERIFY(window.isVisible());
        QVERIFY(window.isEnabled());
        QVERIFY(window.op3->isChecked());
        QVERIFY(!window.op4->isChecked());
        QCOMPARE(window.SpeedButton2->toolTip(), Tnarzedzia_f::op3Hint());
    }

    void openingReadsTheWorkingDirectory()
    {
        ScriptedPlatform seam;
        TempProgramDir first;
        Tnarzedzia_f window;
        QCOMPARE(narzedzia_admini::workingDirectory(), first.path());
        TempProgramDir second;
        QCOMPARE(narzedzia_admini::workingDirectory(), first.path());
        window.openFromMenu();
        QCOMPARE(narzedzia_admini::workingDirectory(), second.path());
    }

    void answeringNoChangesNothing()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), historyWithCount("41"));
        writeBytes(dir.file("Admini/data_ar.dat"), "register");
        Tnarzedzia_f window;
        seam.answers = {false, false};
        window.SpeedButton2Click();
        window.op4->click();
        window.SpeedButton2Click();
        QCOMPARE(seam.messages.size(), 2);
        QCOMPARE(seam.texts("ask"), (QStringList{Question, Question}));
        QCOMPARE(seam.messages[0].caption, QStringLiteral("Pytanie"));
        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")), historyWithCount("41"));
        QCOMPARE(readBytesOrMissing(dir.file("Admini/data_ar.dat")), QByteArray("register"));
    }

    void clearingTheHistory_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("with a history file") << true;
        QTest::newRow("without one") << false;
    }
    void clearingTheHistory()
    {
        QFETCH(bool, fileExists);
        ScriptedPlatform seam;
        TempProgramDir dir;
        if (fileExists)
            writeBytes(dir.file("Admini/historia.dat"), historyWithCount("41"));
        writeBytes(dir.file("Admini/data_ar.dat"), "register");
        Thisto_f::PobierzDane();
        QCOMPARE(modul_hist::state().currentNumber, fileExists ? 42 : 1);

        Tnarzedzia_f window;
        seam.clock = seam.clock.addSecs(3600);
        seam.answers = {true};
        window.SpeedButton2Click();

        QCOMPARE(readBytesOrMissing(dir.file("Admini/historia.dat")), QByteArray(79, '\0'));
        QCOMPARE(modul_hist::state().currentNumber, 1);
        QCOMPARE(modul_hist::state().currentTime, platform::longTimeText(seam.clock.time()));
        QCOMPARE(readBytesOrMissing(dir.file("Admini/data_ar.dat")), QByteArray("register"));
        QCOMPARE(seam.texts("inform"), QStringList{Done});
        QCOMPARE(seam.messages.last().caption, QStringLiteral("Informacja"));
    }

    void clearingTheHistoryLeavesAnOpenHistoryWindowAsItWas()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), historyWithCount("41"));
        Thisto_f history;
        QVERIFY(history.openFromMenu());
        Tnarzedzia_f window;
        seam.answers = {true};
        window.SpeedButton2Click();
        QCOMPARE(history.Label6->text(), QStringLiteral("41"));
        QVERIFY(history.openFromMenu());
        QCOMPARE(history.Label6->text(), QString());
        QCOMPARE(history.Label4->text(), QString());
    }

    void historyThatCannotBeLoadedStopsBeforeTheClosingMessage()
    {
        ScriptedPlatform seam;
        TempProgramDir dir{QStringList{}};
        Tnarzedzia_f window;
        seam.answers = {true};
        QVERIFY_THROWS_EXCEPTION(platform::IoError, window.SpeedButton2Click());
        QVERIFY(seam.texts("inform").isEmpty());
    }

    void clearingAPartialArchiveRegister()
    {
        ScriptedPlatform seam;
        TempProgramDir dir{QStringList{QStringLiteral("admini")}};
        writeBytes(dir.file("admini/historia.dat"), historyWithCount("7"));
        writeBytes(dir.file("admini/DATA_AR.DAT"), "a");
        writeBytes(dir.file("admini/data_or.dat"), "o");
        writeBytes(dir.file("admini/data_or.bak"), "keep");
        QVERIFY(QDir(dir.path()).mkpath("admini/data_odr.dat")); // a folder is not deleted
        Tnarzedzia_f window;
        window.op4->click();
        seam.answers = {true};
        window.SpeedButton2Click();
        QCOMPARE(QDir(dir.file("admini")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{QStringLiteral("data_odr.dat"), QStringLiteral("data_or.bak"),
                              QStringLiteral("historia.dat")}));
        QCOMPARE(readBytesOrMissing(dir.file("admini/historia.dat")), historyWithCount("7"));
        QCOMPARE(seam.texts("inform"), QStringList{Done});

        // Nothing left to delete: still completed.
        seam.answers = {true};
        window.SpeedButton2Click();
        QCOMPARE(seam.texts("inform"), (QStringList{Done, Done}));
    }
};

QTEST_MAIN(TestAdminWindow)
#include "tst_admin_window.moc"
