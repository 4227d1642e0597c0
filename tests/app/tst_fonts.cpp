#include "AppFixture.h"

#include <QtTest>

using platform::FontChoice;

class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void cancelChangesNothing()
    {
        AppFixture app;
        TForm1 &form = app.form();
        const editor::DiplomaDocument before = form.document();
        const QFont label = form.Label4->font();
        form.SpeedButton7Click();
        form.SpeedButton8Click();
        form.SpeedButton9Click();
        QCOMPARE(form.document().heading, before.heading);
        QCOMPARE(form.document().body, before.body);
        QCOMPARE(form.document().recipient, before.recipient);
        QCOMPARE(form.Label4->font(), label);
        QCOMPARE(form.fontDialog(1).colour, editor::WindowTextColour);
        // Each dialog opened with its own font.
        QCOMPARE(app.platform.fontDialogsOpenedWith.size(), 3);
        QCOMPARE(app.platform.fontDialogsOpenedWith[0].size, 48);
        QCOMPARE(app.platform.fontDialogsOpenedWith[2].size, 26);
    }

    void headingBold30()
    {
        AppFixture app;
        TForm1 &form = app.form();
        app.platform.fontAnswers.push_back(FontChoice{QStringLiteral("Arial"), 30, 1, 0x000000FF});
        form.SpeedButton7Click();
        QCOMPARE(form.document().heading.fontName, QStringLiteral("Arial"));
        QCOMPARE(form.document().heading.size, 30);
        QCOMPARE(int(form.document().heading.style), 1);
        QCOMPARE(form.document().heading.colour, 0x000000FFu);
        QCOMPARE(form.Label4->font().pointSize(), 10);
        QVERIFY(form.Label4->font().bold());
        QCOMPARE(form.Label4->palette().color(QPalette::WindowText), QColor(Qt::red));
        // The next opening starts from this choice.
        form.SpeedButton7Click();
        QCOMPARE(app.platform.fontDialogsOpenedWith.last().size, 30);
    }

    void underlineAndStrikeOut()
    {
        AppFixture app;
        TForm1 &form = app.form();
        app.platform.fontAnswers.push_back(FontChoice{QStringLiteral("Times New Roman"), 26, 12, 0});
        form.SpeedButton8Click();
        QCOMPARE(int(form.document().recipient.style), 12);
        QVERIFY(form.Label18->font().underline() && form.Label18->font().strikeOut());
    }

    void bodyFontReachesAllSixLabelsAndTheStep()
    {
        AppFixture app;
        TForm1 &form = app.form();
        app.tick(2);
        app.platform.fontAnswers.push_back(FontChoice{QStringLiteral("Arial"), 36, 2, 0});
        form.SpeedButton9Click();
        for (QLabel *l : {form.Label8, form.Label9, form.Label10, form.Label11, form.Label12, form.Label13}) {
            QCOMPARE(l->font().pointSize(), 12);
            QVERIFY(l->font().italic());
        }
        QCOMPARE(form.Label9->y(), 135); // the step changes at the next tick
        app.tick();
        QCOMPARE(form.Label9->y(), 141);
    }

    void firstConfirmationTakesTheDialogColour()
    {
        AppFixture app;
        TForm1 &form = app.form();
        // The dialog reports the colour it was opened with when it is left untouched.
        FontChoice untouched = form.fontDialog(1);
        app.platform.fontAnswers.push_back(untouched);
        form.SpeedButton7Click();
        QCOMPARE(form.document().heading.fontName, QStringLiteral("Times New Roman"));
        QCOMPARE(form.document().heading.size, 48);
        QCOMPARE(int(form.document().heading.style), 0);
        QCOMPARE(form.document().heading.colour, editor::WindowTextColour);
        QCOMPARE(form.Label4->palette().color(QPalette::WindowText),
                 form.Label4->palette().color(QPalette::Active, QPalette::WindowText));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
