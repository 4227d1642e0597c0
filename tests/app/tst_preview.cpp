#include "AppFixture.h"
#include "platform/SpinEdit.h"

#include <QFrame>
#include <QLineEdit>
#include <QtTest>

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void defaultPositions()
    {
        AppFixture app;
        TForm1 &form = app.form();
        for (QLineEdit *e : form.Edit)
            e->setText(QStringLiteral("x"));
        app.tick(2);
        QCOMPARE(form.Label4->pos(), QPoint(80, 60));
        QCOMPARE(form.Label18->pos(), QPoint(50, 100));
        const QList<QLabel *> body{form.Label8, form.Label9, form.Label10, form.Label11, form.Label12, form.Label13};
        const QList<int> tops{120, 135, 150, 165, 180, 195};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(body[k]->pos(), QPoint(50, tops[k]));
    }

    void lineStepFollowsBodySize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("step");
        QTest::newRow("8") << 8 << 5;
        QTest::newRow("12") << 12 << 7;
        QTest::newRow("18") << 18 << 11;
        QTest::newRow("24") << 24 << 14;
        QTest::newRow("36") << 36 << 21;
        QTest::newRow("48") << 48 << 28;
        QTest::newRow("72") << 72 << 42;
    }
    void lineStepFollowsBodySize()
    {
        QFETCH(int, size);
        QFETCH(int, step);
        AppFixture app;
        TForm1 &form = app.form();
        form.document().body.size = size;
        app.tick();
        QCOMPARE(form.Label13->y(), 120 + 5 * step);
        QCOMPARE(form.Label10->y(), 120 + 2 * step);
        QCOMPARE(form.Label13->x(), 50);
    }

    void placeholders()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.Edit[1]->setText(QStringLiteral("druga"));
        app.tick();
        QCOMPARE(form.Label4->text(), QStringLiteral("nagłówek"));
        QCOMPARE(form.Label18->text(), QStringLiteral("Dla"));
        QCOMPARE(form.Label8->text(), QStringLiteral("treść")); // even with line 2 filled
        form.naglowek->setText(QStringLiteral("Dyplom"));
        form.dla->setText(QStringLiteral("Ala"));
        form.Edit[0]->setText(QStringLiteral("pierwsza"));
        app.tick();
        QCOMPARE(form.Label4->text(), QStringLiteral("Dyplom"));
        QCOMPARE(form.Label18->text(), QStringLiteral("Ala"));
        QCOMPARE(form.Label8->text(), QStringLiteral("pierwsza"));
        form.naglowek->clear();
        app.tick();
        QCOMPARE(form.Label4->text(), QStringLiteral("nagłówek"));
    }

    void visibilityLagsOneTickAndGapsStay()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.Edit[3]->setText(QStringLiteral("czwarta"));
        app.tick();
        QCOMPARE(form.Label11->text(), QStringLiteral("czwarta"));
        QVERIFY(!form.Label11->isVisibleTo(form.Panel1)); // shown from the next tick on
        app.tick();
        QVERIFY(form.Label11->isVisibleTo(form.Panel1));
        QVERIFY(!form.Label10->isVisibleTo(form.Panel1));
        QCOMPARE(form.Label11->y(), 120 + 3 * 15);
        form.Edit[3]->clear();
        app.tick();
        QVERIFY(form.Label11->isVisibleTo(form.Panel1)); // hidden one tick later
        app.tick();
        QVERIFY(!form.Label11->isVisibleTo(form.Panel1));
    }

    void nonIntegerMarginReadsAsZero()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.mal->setText(QStringLiteral("-"));
        app.tick();
        QCOMPARE(form.document().recipient.left, 0);
        QCOMPARE(form.Label18->x(), 0);
        QCOMPARE(form.Label18->y(), 100);
        form.mal->setText(QStringLiteral("-20"));
        form.mg->setValue(-500);
        app.tick();
        QCOMPARE(form.Label18->x(), -20);
        QCOMPARE(form.Label8->y(), -500);
        QCOMPARE(form.document().body.top, -500);
    }

    void headingFontNeverMovesOtherLabels()
    {
        AppFixture app;
        TForm1 &form = app.form();
        app.tick();
        const QPoint recipient = form.Label18->pos();
        const QPoint line6 = form.Label13->pos();
        form.document().heading.size = 100;
        form.document().recipient.size = 100;
        app.tick();
        QCOMPARE(form.Label18->pos(), recipient);
        QCOMPARE(form.Label13->pos(), line6);
    }

    // Every preview label is as wide as its one-line caption, also when the
    // start-up stopped before the fonts were set, and after stepping on.
    void labelsFitTheirCaptions_data()
    {
        QTest::addColumn<QString>("firstTemplate");
        QTest::newRow("template 1 missing") << QStringLiteral("missing");
        QTest::newRow("template 1 damaged") << QStringLiteral("damaged");
        QTest::newRow("normal start") << QStringLiteral("sound");
    }
    void labelsFitTheirCaptions()
    {
        QFETCH(QString, firstTemplate);
        const bool sound = firstTemplate == QLatin1String("sound");
        AppFixture app(sound ? QList<int>{1, 2, 3} : QList<int>{2, 3});
        if (firstTemplate == QLatin1String("damaged"))
            writeFile(app.dir.file(QStringLiteral("Wzory/BDR_0001.wmf")), "this is not a metafile");
        TForm1 &form = app.form();
        QCOMPARE(app.platform.errors().isEmpty(), sound);
        form.Edit[1]->setText(QStringLiteral("druga linia"));
        app.tick(2);

        auto fits = [&](const char *when) {
            for (QLabel *label : {static_cast<QLabel *>(form.Label4), static_cast<QLabel *>(form.Label8),
                                  static_cast<QLabel *>(form.Label9), static_cast<QLabel *>(form.Label18)}) {
                const int wanted = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(label->width() >= wanted && label->height() >= label->fontMetrics().height(),
                         qPrintable(QStringLiteral("%1 %2 \"%3\": %4 < %5")
                                        .arg(QLatin1String(when), label->objectName(), label->text())
                                        .arg(label->width())
                                        .arg(wanted)));
            }
        };
        QCOMPARE(form.Label18->text(), QStringLiteral("Dla"));
        fits("after start-up");
        form.SpeedButton2Click();
        form.SpeedButton2Click();
        app.tick();
        fits("after stepping");

        // A larger font widens the label that keeps its caption.
        const int before = form.Label18->width();
        QFont bigger = form.Label18->font();
        bigger.setPointSize(40);
        form.Label18->setFont(bigger);
        QVERIFY(form.Label18->width() > before);
        fits("after a font change");
    }

    void idleTicksDoNotRepaint()
    {
        AppFixture app;
        TForm1 &form = app.form();
        form.naglowek->setText(QStringLiteral("Dyplom"));
        form.Edit[2]->setText(QStringLiteral("trzecia"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        app.tick(3);
        QTest::qWait(50);

        PaintCounter preview, clock;
        form.Panel1->installEventFilter(&preview);
        for (QWidget *child : form.Panel1->findChildren<QWidget *>())
            child->installEventFilter(&preview);
        form.Panel9->installEventFilter(&clock);
        for (int i = 0; i < 100; ++i) {
            app.platform.clock = app.platform.clock.addMSecs(10);
            form.Timer1Timer();
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        QCOMPARE(preview.paints, 0);
        QVERIFY2(clock.paints <= 2, qPrintable(QString::number(clock.paints)));

        // A real change does repaint.
        form.Edit[2]->setText(QStringLiteral("inna"));
        form.Timer1Timer();
        QTest::qWait(30);
        QVERIFY(preview.paints > 0);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
