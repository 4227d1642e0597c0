#include "AppFixture.h"
#include "HelpText.h"
#include "editor/TemplateView.h"
#include "platform/SpinEdit.h"

#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void defaultsAfterOneTick()
    {
        AppFixture app;
        TForm1 &form = app.form();
        app.tick();
        const editor::DiplomaDocument &doc = form.document();
        QCOMPARE(doc.heading.left, 80);
        QCOMPARE(doc.heading.top, 60);
        QCOMPARE(doc.body.left, 50);
        QCOMPARE(doc.body.top, 120);
        QCOMPARE(doc.recipient.left, 50);
        QCOMPARE(doc.recipient.top, 100);
        QCOMPARE(doc.templateNumber, 1);
        QCOMPARE(doc.templateNumberText, QStringLiteral("1"));
        for (const editor::TextBlockStyle *s : {&doc.heading, &doc.body, &doc.recipient}) {
            QCOMPARE(s->fontName, QStringLiteral("Times New Roman"));
            QCOMPARE(s->colour, 0u);
            QCOMPARE(int(s->style), 0);
        }
        QCOMPARE(doc.heading.size, 48);
        QCOMPARE(doc.body.size, 26);
        QCOMPARE(doc.recipient.size, 26);
        QCOMPARE(form.Label4->font().pointSize(), 16);
        QCOMPARE(form.Label8->font().pointSize(), 9);
        QCOMPARE(form.Label13->font().pointSize(), 9);
        QCOMPARE(form.Label18->font().pointSize(), 9);
        QCOMPARE(form.Label4->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(form.Panel3->text(), QStringLiteral("0001"));
        QVERIFY(!form.Image1->picture().isEmpty());
        QCOMPARE(form.margin_wz_l->value(), 0);
        QCOMPARE(form.margin_wz_g->value(), 0);
        // The dialogs learn name and size only.
        QCOMPARE(form.fontDialog(1).face, QStringLiteral("Times New Roman"));
        QCOMPARE(form.fontDialog(1).size, 48);
        QCOMPARE(form.fontDialog(2).size, 26);
        QCOMPARE(form.fontDialog(3).colour, editor::WindowTextColour);
        QCOMPARE(form.programDir(), app.dir.path());
        QVERIFY(app.platform.errors().isEmpty());
    }

    void missingFirstTemplateSkipsTheRest()
    {
        AppFixture app({2});
        TForm1 &form = app.form();
        QCOMPARE(app.platform.errors(), QStringList{QStringLiteral("File not found")});
        const editor::DiplomaDocument &doc = form.document();
        QCOMPARE(doc.heading.size, 18);
        QCOMPARE(doc.body.size, 18);
        QCOMPARE(doc.recipient.size, 0);
        QVERIFY(doc.heading.fontName.isEmpty() && doc.body.fontName.isEmpty() && doc.recipient.fontName.isEmpty());
        QCOMPARE(form.Label4->font().family(), form.centralWidget()->font().family());
        QCOMPARE(form.mal->value(), 50);
        QCOMPARE(form.mg->value(), 120);
        QCOMPARE(doc.templateNumber, 1);
        QVERIFY(form.Image1->picture().isEmpty());
        QVERIFY(form.fontDialog(1).face.isEmpty());
    }

    void damagedFirstTemplateIsReported()
    {
        AppFixture app(QList<int>{});
        writeFile(app.dir.file(QStringLiteral("Wzory/BDR_0001.wmf")), "this is not a metafile");
        app.form();
        QCOMPARE(app.platform.errors().size(), 1);
        QCOMPARE(app.form().document().body.size, 18);
    }

    void firstTemplateFoundInAnyCase()
    {
        AppFixture app(QList<int>{});
        writeFile(app.dir.file(QStringLiteral("Wzory/bdr_0001.WMF")), templateBytes(Qt::red));
        app.form();
        QVERIFY(app.platform.errors().isEmpty());
        QVERIFY(!app.form().Image1->picture().isEmpty());
    }

    void exitQuestionAnsweredNo()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.show();
        form.SpeedButton6Click();
        form.Koniecpracy1Click();
        QVERIFY(!form.close()); // the close request is refused
        QCOMPARE(app.platform.texts(QStringLiteral("ask")).size(), 3);
        QCOMPARE(app.platform.messages.first().text, QStringLiteral("Koniec pracy ?"));
        QCOMPARE(app.platform.messages.first().caption, QStringLiteral("Pytanie..."));
        QVERIFY(app.platform.exitCodes.isEmpty());
        QVERIFY(app.platform.opacities.isEmpty());
        QVERIFY(form.isVisible());
    }

    void exitButtonFadesThenEnds()
    {
        AppFixture app;
        app.platform.answers = {true};
        app.form().SpeedButton6Click();
        QList<int> expected;
        for (int alpha = 255; alpha >= 10; alpha -= 5)
            expected.append(alpha);
        QCOMPARE(expected.size(), 50);
        QCOMPARE(app.platform.opacities, expected);
        QCOMPARE(app.platform.exitCodes, QList<int>{0});
    }

    void closeRequestAnsweredYesFadesThenEnds()
    {
        AppFixture app;
        app.platform.answers = {true};
        QVERIFY(app.form().FormCloseQuery());
        QCOMPARE(app.platform.opacities.size(), 50);
        QCOMPARE(app.platform.exitCodes, QList<int>{0});
    }

    void quickExitNeitherFadesNorWrites()
    {
        AppFixture app;
        app.platform.answers = {true};
        app.form().Koniecpracy1Click();
        QVERIFY(app.platform.opacities.isEmpty());
        QCOMPARE(app.platform.exitCodes, QList<int>{0});
    }

    void helpPanel()
    {
        AppFixture app;
        TForm1 &form = app.form();
        QVERIFY(!form.Panel6->isVisibleTo(&form));
        form.SpeedButton5Click();
        QVERIFY(form.Panel6->isVisibleTo(&form));
        QCOMPARE(form.Panel6->geometry(), QRect(3, 16, 734, 473));
        form.SpeedButton10Click();
        QVERIFY(!form.Panel6->isVisibleTo(&form));
        QCOMPARE(form.Panel6->geometry(), QRect(3, 16, 734, 473));
        form.SpeedButton5Click();
        QVERIFY(form.Panel6->isVisibleTo(&form));

        const QStringList lines = form.Memo1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines, helpTextLines());
        QCOMPARE(lines.size(), 23);
        QCOMPARE(lines.at(0), QStringLiteral("Kilka informacji na temat \" Jak przygotować dyplom\""));
        QVERIFY(lines.at(18).endsWith(QLatin1Char(' ')));
        QVERIFY(lines.at(22).contains(QStringLiteral(".example")));
    }

    void newDiplomaClearsTextsOnly()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.SpeedButton2Click();
        form.naglowek->setText(QStringLiteral("Dyplom"));
        form.dla->setText(QStringLiteral("Jan"));
        for (QLineEdit *e : form.Edit)
            e->setText(QStringLiteral("linia"));
        form.ml->setValue(7);
        form.margin_wz_l->setValue(3);
        app.tick();
        const editor::DiplomaDocument before = form.document();
        form.SpeedButton3Click();
        app.tick();
        QCOMPARE(form.texts(), editor::DiplomaTexts());
        QCOMPARE(form.document().body, before.body);
        QCOMPARE(form.document().heading, before.heading);
        QCOMPARE(form.document().templateNumber, 2);
        QCOMPARE(form.margin_wz_l->value(), 3);
        QCOMPARE(form.Label4->text(), QStringLiteral("nagłówek"));
    }

    void missingAdminiFolderSkipsEverythingAfter()
    {
        AppFixture app({1}, {QStringLiteral("Wzory")});
        TForm1 &form = app.form();
        app.tick();
        QCOMPARE(app.platform.errors(), QStringList{QStringLiteral("Invalid filename")});
        const editor::DiplomaDocument &doc = form.document();
        QCOMPARE(doc.templateNumber, 0);
        QCOMPARE(doc.heading.size, 0);
        QCOMPARE(doc.heading.left, 0);
        QCOMPARE(doc.recipient.top, 0);
        QCOMPARE(doc.body.top, 0);
        QVERIFY(doc.heading.fontName.isEmpty());
        QVERIFY(form.Image1->picture().isEmpty());
        QCOMPARE(form.Label18->text(), QStringLiteral("Dla")); // from the tick, not the start-up
        // The archiver configuration was written before the failing step.
        QVERIFY(QFile::exists(app.dir.file(QStringLiteral("archiwizator_config.dat"))));
    }

    void versionFileCreatedOnlyWhenMissing()
    {
        {
            AppFixture app;
            app.form();
            QFile file(app.dir.file(QStringLiteral("Admini/wer.dat")));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("\x05"
                                                "20306\0\0\0\0\0",
                                                11));
        }
        AppFixture app;
        writeFile(app.dir.file(QStringLiteral("Admini/wer.dat")), QByteArray("\x05"
                                                                             "10101abcde",
                                                                             11));
        app.form();
        QFile file(app.dir.file(QStringLiteral("Admini/wer.dat")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x05"
                                            "10101abcde",
                                            11));
    }

    void runHistoryAcrossExitPaths()
    {
        AppFixture app;
        app.form();
        const QString history = app.dir.file(QStringLiteral("Admini/historia.dat"));
        QFile created(history);
        QVERIFY(created.open(QIODevice::ReadOnly));
        QCOMPARE(created.readAll(), QByteArray(79, '\0'));
        created.close();

        // The quick path leaves the file as it was.
        app.platform.answers = {true};
        app.form().Koniecpracy1Click();
        QVERIFY(created.open(QIODevice::ReadOnly));
        QCOMPARE(created.readAll(), QByteArray(79, '\0'));
        created.close();

        // The button stores this run as number 1.
        app.platform.answers = {true};
        app.form().SpeedButton6Click();
        QVERIFY(created.open(QIODevice::ReadOnly));
        const QByteArray stored = created.readAll();
        QCOMPARE(stored.size(), 79);
        QCOMPARE(stored.mid(32, 2), QByteArray("\x01"
                                               "1"));
        QCOMPARE(int(stored.at(0)), 10); // dd/mm/yyyy
    }

    void failedHistoryWriteKeepsTheWindowUsable()
    {
        AppFixture app;
        app.form();
        // A folder where the history file should be makes the write fail.
        QFile::remove(app.dir.file(QStringLiteral("Admini/historia.dat")));
        QDir(app.dir.path()).mkpath(QStringLiteral("Admini/historia.dat"));
        app.platform.answers = {true};
        app.form().SpeedButton6Click();
        QCOMPARE(app.platform.errors(), QStringList{QStringLiteral("File access denied")});
        QVERIFY(app.platform.exitCodes.isEmpty());
        QCOMPARE(app.platform.opacities.size(), 51);
        QCOMPARE(app.platform.opacities.last(), 255);
        // The question can be asked again.
        app.platform.answers = {false};
        app.form().SpeedButton6Click();
        QVERIFY(app.platform.exitCodes.isEmpty());
    }

    void layoutAndFocus()
    {
        AppFixture app;
        TForm1 &form = app.form();
        QCOMPARE(form.centralWidget()->size(), QSize(744, 490));
        QCOMPARE(form.minimumSize(), form.maximumSize()); // not resizable
        QCOMPARE(form.Panel1->geometry(), QRect(512, 24, 225, 313));
        QCOMPARE(form.Image1->geometry(), QRect(16, 16, 189, 281));
        QCOMPARE(form.SpeedButton8->text(), QStringLiteral("Czcionka \"Dla\""));
        QCOMPARE(form.SpeedButton9->text(), QStringLiteral("Czcinka treści"));
        QCOMPARE(form.Edit[5]->geometry(), QRect(8, 104, 481, 17));
        QCOMPARE(form.windowTitle(), QString());
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(form.mal->typing(), platform::SpinEdit::Typing::Allowed);
        QCOMPARE(form.marginesl->typing(), platform::SpinEdit::Typing::Disabled);
        QCOMPARE(form.SpeedButton1->focusPolicy(), Qt::NoFocus);
        // Tab order, over the controls that take focus.
        auto nextTabStop = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy());
            return w;
        };
        const QList<QWidget *> order{form.naglowek, form.marginesl, form.marginesg,   form.Edit[0],
                                     form.Edit[1],  form.Edit[2],   form.Edit[3],     form.Edit[4],
                                     form.Edit[5],  form.ml,        form.mg,          form.dla,
                                     form.mal,      form.mag,       form.margin_wz_l, form.margin_wz_g};
        for (int i = 0; i + 1 < order.size(); ++i) {
            QWidget *next = nextTabStop(order[i]);
            if (next->parentWidget() == order[i]) // a spin edit's own line edit
                next = nextTabStop(next);
            QCOMPARE(next, order[i + 1]);
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
