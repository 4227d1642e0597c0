// What only a real window system shows: the title properties the windows
// hand to X11, and the selection paste of a middle click. Runs its own Xvfb.
#include "AppFixture.h"
#include "XvfbDisplay.h"
#include "admin/Tnarzedzia_f.h"
#include "companions/Wizyt.h"
#include "history/Thisto_f.h"
#include "platform/AppIcon.h"
#include "platform/SpinEdit.h"

#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

namespace {

// xprop's line for one property of a window, e.g. `_NET_WM_NAME(UTF8_STRING) = ""`.
QString xProperty(QWidget *window, const char *name)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QString::fromLatin1(name)});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("xprop did not finish");
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

bool showAndWait(QWidget *window)
{
    window->show();
    QCoreApplication::processEvents();
    return QTest::qWaitForWindowExposed(window);
}

} // namespace

class TestX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QProcess probe;
        probe.start(QStringLiteral("xprop"), {QStringLiteral("-version")});
        QVERIFY2(probe.waitForFinished(5000) && probe.exitCode() == 0, "xprop (x11-utils) is needed");
    }

    // Qt hands X11 the application's name for an empty title; the main
    // window and the business card must show none, also with the program's
    // icon, which every window carries in the window manager's icon property.
    void titleBarsCarryWhatTheWindowsSay()
    {
        QApplication::setWindowIcon(platform::programIcon()); // as main() does
        AppFixture app;
        TForm1 &form = app.form();
        Tform3 card;
        Thisto_f history;
        Tnarzedzia_f tools;
        for (QWidget *window : std::initializer_list<QWidget *>{&form, &card, &history, &tools})
            QVERIFY(showAndWait(window));

        const QString emptyNet = QStringLiteral("_NET_WM_NAME(UTF8_STRING) =");
        const QString emptyWm = QStringLiteral("WM_NAME(STRING) =");
        QCOMPARE(xProperty(&form, "_NET_WM_NAME"), emptyNet);
        QCOMPARE(xProperty(&form, "WM_NAME"), emptyWm);
        QCOMPARE(xProperty(&card, "_NET_WM_NAME"), emptyNet);
        QCOMPARE(xProperty(&card, "WM_NAME"), emptyWm);
        QCOMPARE(xProperty(&history, "_NET_WM_NAME"), QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"Historia\""));
        QCOMPARE(xProperty(&tools, "_NET_WM_NAME"),
                 QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"Narzędzia administratora\""));
        for (QWidget *window : std::initializer_list<QWidget *>{&form, &card, &history, &tools}) {
            const QString icon = xProperty(window, "_NET_WM_ICON");
            static const QRegularExpression size(QStringLiteral("Icon \\((\\d+) x \\d+\\)"));
            QStringList sizes;
            for (auto m = size.globalMatch(icon); m.hasNext();)
                sizes << m.next().captured(1);
            QVERIFY2(sizes.contains(QStringLiteral("16")) && sizes.contains(QStringLiteral("48")),
                     qPrintable(sizes.join(' ')));
        }

        // Closed and opened again, the card still has no title.
        card.SpeedButton3Click();
        QTRY_VERIFY(!card.isVisible());
        card.Pokaz();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QCOMPARE(xProperty(&card, "_NET_WM_NAME"), emptyNet);
        QCOMPARE(xProperty(&card, "WM_NAME"), emptyWm);
    }

    // A middle click pastes the X selection into a line edit; the spin edits
    // whose typing is disabled must not take it.
    void middleClickPastesNothingIntoLockedSpinEdits()
    {
        AppFixture app;
        TForm1 &form = app.form();
        QVERIFY(showAndWait(&form));
        QClipboard *clipboard = QGuiApplication::clipboard();
        QVERIFY(clipboard->supportsSelection());
        clipboard->setText(QStringLiteral("555"), QClipboard::Selection);
        QTRY_COMPARE(clipboard->text(QClipboard::Selection), QStringLiteral("555"));

        for (platform::SpinEdit *spin :
             {form.margin_wz_l, form.margin_wz_g, form.marginesl, form.marginesg, form.ml, form.mg}) {
            const QString before = spin->text();
            auto *line = spin->findChild<QLineEdit *>();
            QVERIFY(line);
            QTest::mouseClick(line, Qt::MiddleButton, Qt::NoModifier, QPoint(line->width() - 4, line->height() / 2));
            QCoreApplication::processEvents();
            QCOMPARE(spin->text(), before);
        }
    }
};

int main(int argc, char *argv[])
{
    XvfbDisplay xvfb;
    if (!xvfb.startForQt())
        return 1;
    QApplication app(argc, argv);
    TestX11 test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11.moc"
