// The history window: what it shows, the location rule, the clock, opening
// from the menu and leaving.
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
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace modul_hist;

namespace {

int rightEdge(const QLabel *label)
{
    return label->x() + label->width();
}

} // namespace

class TestHistoWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { state() = RunHistoryState{}; }

    void controlsCarryTheirNames()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f window;
        QCOMPARE(window.objectName(), QStringLiteral("histo_f"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Historia"));
        QVERIFY(window.windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
        for (const char *name : {"Panel1", "Panel2", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6",
                                 "Label7", "Label8", "Label13", "SpeedButton1", "Timer1"})
            QVERIFY2(window.findChild<QObject *>(QLatin1String(name)), name);
        QCOMPARE(window.Label3->text(), QStringLiteral("Licznik uruchomień"));
        QCOMPARE(window.SpeedButton1->text(), QStringLiteral("Powrót"));
        QCOMPARE(window.Label13->text(), QStringLiteral("00:00:00"));
        QVERIFY(!window.isVisible());
    }

    void zeroRecordShowsEmptyLabels()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f::PobierzDane(); // before any window
        Thisto_f window;
        window.FormCreate();
        QCOMPARE(window.Label4->text(), QString());
        QCOMPARE(window.Label5->text(), QString());
        QCOMPARE(window.Label6->text(), QString());
    }

    void showsTheStoredRunNotTheCurrentOne()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        writeBytes(dir.file("Admini/historia.dat"), runHistoryBytes("01.02.2020", "10:11:12", "41"));
        Thisto_f::PobierzDane();
        Thisto_f window;
        for (int opening = 0; opening < 2; ++opening) {
            QVERIFY(window.openFromMenu());
            QCOMPARE(window.Label4->text(), QStringLiteral("01.02.2020"));
            QCOMPARE(window.Label5->text(), QStringLiteral("10:11:12"));
            QCOMPARE(window.Label6->text(), QStringLiteral("41"));
            for (QLabel *label : {window.Label4, window.Label5, window.Label6, window.Label8})
                QCOMPARE(rightEdge(label), 303);
            window.SpeedButton1Click();
        }
        QCOMPARE(state().currentNumber, 42);
        QVERIFY(seam.errors().isEmpty());
    }

    void locationRule_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("30") << 30;
        QTest::newRow("31") << 31;
        QTest::newRow("40") << 40;
    }
    void locationRule()
    {
        QFETCH(int, length);
        ScriptedPlatform seam;
        QTemporaryDir base(QStringLiteral("/tmp/hXXXXXX"));
        const QString basePath = QDir(base.path()).canonicalPath();
        const int nameLength = length - basePath.size() - 1;
        if (nameLength < 1)
            QSKIP("temporary folder too long for this length");
        const QString location = basePath + QLatin1Char('/') + QString(nameLength, QLatin1Char('d'));
        QVERIFY(QDir().mkpath(location + QStringLiteral("/Admini")));
        QCOMPARE(location.size(), length);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(location);

        Thisto_f window;
        window.FormCreate();
        QDir::setCurrent(previous);

        QCOMPARE(window.Label8->toolTip(), location);
        QCOMPARE(window.Label8->text(), location.right(30));
        if (length == 30)
            QCOMPARE(window.Label8->text(), location);
        if (length == 31)
            QCOMPARE(window.Label8->text(), location.mid(1));
        QCOMPARE(rightEdge(window.Label8), 303);
    }

    void failedOpeningLeavesTheWindowUnshown()
    {
        ScriptedPlatform seam;
        TempProgramDir dir{QStringList{}};
        Thisto_f window; // the error at creation is reported, the window exists
        QCOMPARE(seam.errors(), QStringList{QStringLiteral("Invalid filename")});
        QVERIFY(!window.openFromMenu());
        QVERIFY(!window.isVisible());
        QCOMPARE(seam.errors().size(), 2);
    }

    void creationAndOpeningCreateAMissingFile()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f window;
        QCOMPARE(QFileInfo(dir.file("Admini/historia.dat")).size(), 79);
        QFile::remove(dir.file("Admini/historia.dat"));
        QVERIFY(window.openFromMenu());
        QVERIFY(window.isVisible());
        QCOMPARE(QFileInfo(dir.file("Admini/historia.dat")).size(), 79);
    }

    void returnDisablesHidesAndReopens()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f window;
        QVERIFY(window.openFromMenu());
        QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isEnabled());
        QVERIFY(window.openFromMenu());
        QVERIFY(window.isVisible());
        QVERIFY(window.isEnabled());
    }

    void clockRunsFromCreationHiddenOrNot()
    {
        ScriptedPlatform seam;
        TempProgramDir dir;
        Thisto_f window;
        QVERIFY(window.Timer1->isActive());
        QCOMPARE(window.Timer1->interval(), 100);
        QTRY_COMPARE_WITH_TIMEOUT(window.Label13->text(), platform::longTimeText(seam.clock.time()), 1000);
        seam.clock = seam.clock.addSecs(61);
        QTRY_COMPARE_WITH_TIMEOUT(window.Label13->text(), platform::longTimeText(seam.clock.time()), 1000);
    }
};

QTEST_MAIN(TestHistoWindow)
#include "tst_histo_window.moc"
