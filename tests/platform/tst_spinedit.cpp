#include "platform/SpinEdit.h"

#include <QLineEdit>
#include <QtTest>
#include <limits>

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
