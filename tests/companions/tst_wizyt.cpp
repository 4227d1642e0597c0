#include "companions/MakerContact.h"
#include "companions/Wizyt.h"
#include "platform/LocaleText.h"

#include "ScriptedPlatform.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestWizyt : public QObject {
    Q_OBJECT
private slots:
    void windowFrame()
    {
        ScriptedPlatform seam;
        Tform3 w;
        QCOMPARE(w.objectName(), QStringLiteral("form3"));
        QVERIFY(w.isWindow());
        QVERIFY(!w.isVisible());
        const Qt::WindowFlags f = w.windowFlags();
        QVERIFY(f.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(f.testFlag(Qt::WindowTitleHint));
        QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.minimumSize(), QSize(317, 175));
        QCOMPARE(w.maximumSize(), QSize(317, 175));
        QVERIFY(w.windowTitle().isEmpty());
        QCOMPARE(w.palette().color(QPalette::Window), QColor(0xF5, 0xF5, 0xF5));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("Panel2") << "Panel2"
                                << "form3" << QRect(12, 8, 297, 113) << QString();
        QTest::newRow("Label1") << "Label1"
                                << "Panel2" << QRect(52, 4, 98, 16) << maker::FullName;
        QTest::newRow("Label2") << "Label2"
                                << "Panel2" << QRect(20, 20, 157, 16) << maker::Street;
        QTest::newRow("Label3") << "Label3"
                                << "Panel2" << QRect(52, 36, 85, 16) << maker::PostalCodeAndCity;
        QTest::newRow("Label6") << "Label6"
                                << "Panel2" << QRect(48, 56, 96, 16) << maker::Telephone;
        QTest::newRow("Label4") << "Label4"
                                << "Panel2" << QRect(52, 76, 80, 13) << maker::WebSite;
        QTest::newRow("Label5") << "Label5"
                                << "Panel2" << QRect(52, 92, 81, 13) << maker::Mail;
        QTest::newRow("Bevel1") << "Bevel1"
                                << "Panel2" << QRect(196, 4, 93, 101) << QString();
        QTest::newRow("Image1") << "Image1"
                                << "Panel2" << QRect(200, 8, 85, 93) << QString();
        QTest::newRow("SpeedButton1") << "SpeedButton1"
                                      << "form3" << QRect(12, 128, 177, 22)
                                      << QStringLiteral("Odwiedź witrynę www autora");
        QTest::newRow("SpeedButton2") << "SpeedButton2"
                                      << "form3" << QRect(12, 148, 177, 22) << QStringLiteral("Wyślij pocztę");
        QTest::newRow("SpeedButton3") << "SpeedButton3"
                                      << "form3" << QRect(200, 148, 109, 22) << QStringLiteral("Zamknij okno");
        QTest::newRow("Label7") << "Label7"
                                << "form3" << QRect(256, 128, 48, 16) << QStringLiteral("00:00:00");
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QRect, box);
        QFETCH(QString, text);
        ScriptedPlatform seam;
        Tform3 w;
        auto *c = w.findChild<QWidget *>(name);
        QVERIFY(c);
        QCOMPARE(c->parentWidget()->objectName(), parentName);
        auto *label = qobject_cast<QLabel *>(c);
        if (label && !text.isEmpty()) {
            QCOMPARE(label->text(), text);
            // Text labels grow to the right to show their whole text, and
            // the card's texts stay clear of the picture's frame.
            QCOMPARE(c->pos(), box.topLeft());
            QCOMPARE(c->height(), box.height());
            QVERIFY(c->width() >= box.width());
            QVERIFY(c->width() >= label->sizeHint().width());
            if (parentName == QLatin1String("Panel2"))
                QVERIFY(c->geometry().right() < 196);
            else
                QVERIFY(c->geometry().right() < 317);
        } else {
            QCOMPARE(c->geometry(), box);
        }
        if (auto *button = qobject_cast<QToolButton *>(c)) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->iconSize(), QSize(17, 17));
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(button->font().pixelSize(), 11);
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(128, 128, 128));
        }
    }

    void contactTextsMatchTheButtons()
    {
        // The label shows the site the button opens, without the scheme.
        QVERIFY(maker::WebAddress.endsWith(QStringLiteral("://") + maker::WebSite));
        QVERIFY(maker::WebSite.endsWith(QStringLiteral(".example")));
        QVERIFY(maker::Mail.endsWith(QStringLiteral(".example")));
        QVERIFY(maker::Telephone.startsWith(QStringLiteral("tel "))
                || maker::Telephone.startsWith(QStringLiteral("tel. ")));
    }

    void pictureIsAColourBaselineJpeg()
    {
        ScriptedPlatform seam;
        Tform3 w; // registers the resources
        QFile f(QStringLiteral(":/companions/wizytowka.jpg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray jpeg = f.readAll();
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        QVERIFY(jpeg.contains("\xFF\xC0"));  // baseline frame
        QVERIFY(!jpeg.contains("\xFF\xC2")); // not progressive
        const QImage img = QImage::fromData(jpeg, "JPEG");
        QCOMPARE(img.size(), QSize(220, 245));
        QVERIFY(!img.allGray());

        QVERIFY(w.Image1->hasScaledContents());
        QCOMPARE(w.Image1->pixmap().size(), QSize(220, 245));
    }

    void buttonPicturesHaveSixteenColours_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::newRow("www") << ":/companions/www.png";
        QTest::newRow("poczta") << ":/companions/poczta.png";
        QTest::newRow("zamknij") << ":/companions/zamknij.png";
    }
    void buttonPicturesHaveSixteenColours()
    {
        QFETCH(QString, resource);
        ScriptedPlatform seam;
        Tform3 w;
        const QImage img(resource);
        QCOMPARE(img.size(), QSize(17, 17));
        QCOMPARE(img.format(), QImage::Format_Indexed8);
        QVERIFY(img.colorCount() <= 16);
    }

    void clockRunsWhileHidden()
    {
        ScriptedPlatform seam;
        Tform3 w;
        QCOMPARE(w.Label7->text(), QStringLiteral("00:00:00"));
        QVERIFY(w.Timer1->isActive());
        QCOMPARE(w.Timer1->interval(), 100);

        w.Pokaz();
        QVERIFY(w.isVisible());
        QTRY_COMPARE(w.Label7->text(), platform::longTimeText(seam.clock.time()));
        w.SpeedButton3->click();
        QVERIFY(!w.isVisible());

        // Hidden, the clock goes on; the second opening shows the time at once.
        seam.clock = QDateTime(QDate(2026, 12, 7), QTime(17, 45, 12));
        const QString later = platform::longTimeText(seam.clock.time());
        QTRY_COMPARE(w.Label7->text(), later);
        w.Pokaz();
        QVERIFY(w.isVisible());
        QCOMPARE(w.Label7->text(), later);
        QVERIFY(w.Label7->text() != QStringLiteral("00:00:00"));
    }

    void menuEnablesAndShowsAgain()
    {
        ScriptedPlatform seam;
        Tform3 w;
        w.setEnabled(false);
        w.Pokaz();
        QVERIFY(w.isEnabled());
        QVERIFY(w.isVisible());
        w.Pokaz(); // already shown: stays shown
        QVERIFY(w.isVisible());
        w.SpeedButton3->click();
        QVERIFY(!w.isVisible());
        w.Pokaz();
        QVERIFY(w.isVisible());
    }

    void webAndMailGoToTheShell()
    {
        ScriptedPlatform seam;
        Tform3 w;
        w.Pokaz();
        w.SpeedButton1->click();
        QCOMPARE(seam.opened, QStringList{maker::WebAddress});
        seam.opened.clear();
        w.SpeedButton2->click();
        w.SpeedButton2->click();
        const QString mailto = QStringLiteral("mailto:") + maker::Mail;
        QCOMPARE(seam.opened, (QStringList{mailto, mailto}));
        QVERIFY(w.isVisible());
        QVERIFY(seam.messages.isEmpty());
    }
};

QTEST_MAIN(TestWizyt)
#include "tst_wizyt.moc"
