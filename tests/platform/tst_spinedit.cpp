#include "platform/SpinEdit.h"

#include <QLineEdit>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>
#include <QtTest>
#include <limits>

namespace {

// A wheel turn as the window system delivers it: spontaneous, so the
// application also hands out focus by the widgets' policies.
void turnWheel(QWidget *target, int notches)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::sendEvent(target, &wheel);
}

} // namespace

using platform::SpinEdit;

class TestSpinEdit : public QObject {
    Q_OBJECT
private slots:
    void nonIntegerTextReadsAsZero()
    {
        SpinEdit edit(SpinEdit::Typing::Allowed);
        edit.setValue(50);
        QCOMPARE(edit.value(), 50);
        edit.setText(QStringLiteral("-"));
        QCOMPARE(edit.value(), 0);
        edit.setText(QStringLiteral("1,5"));
        QCOMPARE(edit.value(), 0);
        edit.setText(QStringLiteral("-12"));
        QCOMPARE(edit.value(), -12);
    }

    void typingAllowedTakesDigitsAndSignsOnly()
    {
        SpinEdit edit(SpinEdit::Typing::Allowed);
        edit.setText(QString());
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("-4x2"));
        QCOMPARE(edit.text(), QStringLiteral("-42"));
        QCOMPARE(edit.value(), -42);
    }

    void typingDisabledRefusesKeysButSteps()
    {
        SpinEdit edit(SpinEdit::Typing::Disabled);
        edit.setValue(80);
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("80"));
        QTest::keyClick(&edit, Qt::Key_Up);
        QCOMPARE(edit.value(), 81);
        QTest::keyClick(&edit, Qt::Key_Down);
        QTest::keyClick(&edit, Qt::Key_Down);
        QCOMPARE(edit.value(), 79);
    }

    // Only the arrows and Up/Down step, by 1: PageUp/PageDown and the wheel
    // change nothing, and the wheel takes no focus, whatever the typing.
    void pageKeysAndWheelDoNotStep_data()
    {
        QTest::addColumn<bool>("typingAllowed");
        QTest::newRow("typing disabled") << false;
        QTest::newRow("typing allowed") << true;
    }
    void pageKeysAndWheelDoNotStep()
    {
        QFETCH(bool, typingAllowed);
        QWidget window;
        QLineEdit other(&window);
        SpinEdit edit(typingAllowed ? SpinEdit::Typing::Allowed : SpinEdit::Typing::Disabled, &window);
        edit.move(0, 40);
        edit.setValue(60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        other.setFocus();

        turnWheel(edit.findChild<QLineEdit *>(), 3);
        turnWheel(&edit, -1);
        QCOMPARE(edit.text(), QStringLiteral("60"));
        QVERIFY(other.hasFocus());

        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_PageUp);
        QTest::keyClick(&edit, Qt::Key_PageDown);
        QTest::keyClick(&edit, Qt::Key_PageDown);
        QCOMPARE(edit.text(), QStringLiteral("60"));
        QTest::keyClick(&edit, Qt::Key_Up);
        QCOMPARE(edit.value(), 61);
    }

    void noBoundsButNoOverflow()
    {
        SpinEdit edit(SpinEdit::Typing::Disabled);
        edit.setValue(-1000000);
        edit.stepBy(-1);
        QCOMPARE(edit.value(), -1000001);
        edit.setValue(std::numeric_limits<std::int32_t>::max());
        edit.stepBy(1);
        QCOMPARE(edit.value(), std::numeric_limits<std::int32_t>::max());
    }
};

QTEST_MAIN(TestSpinEdit)
#include "tst_spinedit.moc"
