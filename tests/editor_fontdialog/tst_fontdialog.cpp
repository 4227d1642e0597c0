#include "editor/FontDialog.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QListView>
#include <QTimer>
#include <QtTest>

using editor::FontDialog;
using platform::FontChoice;

namespace {

FontChoice startup()
{
    return FontChoice{QStringLiteral("Times New Roman"), 48, 0, editor::WindowTextColour};
}

QLineEdit *sizeField(FontDialog &d)
{
    for (QLineEdit *edit : d.fontPage()->findChildren<QLineEdit *>())
        if (edit->validator() && edit->validator()->inherits("QIntValidator"))
            return edit;
    return nullptr;
}

void typeSize(FontDialog &d, const QString &size)
{
    QLineEdit *edit = sizeField(d);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, size);
}

// Runs the seam's font dialog while `drive` acts on the open dialog; a
// watchdog closes it if the keys did not.
std::optional<FontChoice> runDriven(const FontChoice &current, const std::function<void(FontDialog &)> &drive,
                                    bool *closedByWatchdog)
{
    *closedByWatchdog = false;
    QTimer::singleShot(0, [drive] {
        if (auto *d = qobject_cast<FontDialog *>(QApplication::activeModalWidget()))
            drive(*d);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [closedByWatchdog] {
        while (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            *closedByWatchdog = true;
            d->done(QDialog::Rejected);
            if (qobject_cast<FontDialog *>(d))
                break;
        }
    });
    watchdog.start(3000);
    platform::QtPlatform seam;
    return seam.chooseFont(nullptr, current);
}

QListView *pageList(FontDialog &d, int n) // 0 family, 1 style, 2 size
{
    const QList<QListView *> lists = d.fontPage()->findChildren<QListView *>();
    return n < lists.size() ? lists.at(n) : nullptr;
}

// Clicks a row of one of the page's lists, as the user would.
bool clickRow(FontDialog &d, int list, const QString &text)
{
    QListView *view = pageList(d, list);
    if (!view)
        return false;
    const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                                       Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    view->scrollTo(found.first());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(found.first()).center());
    return view->currentIndex() == found.first();
}

QColor sampleTextColour(FontDialog &d)
{
    auto *sample = d.fontPage()->findChild<QLineEdit *>(QStringLiteral("qt_fontDialog_sampleEdit"));
    return sample ? sample->palette().color(QPalette::Text) : QColor();
}

} // namespace

class TestFontDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { editor::installFontDialog(); }

    void untouchedKeepsPreviousValues()
    {
        FontDialog d;
        d.setChoice(startup());
        const FontChoice c = d.choice();
        // The face is kept as named even where the page can only approximate it.
        QCOMPARE(c.face, QStringLiteral("Times New Roman"));
        QCOMPARE(c.size, 48);
        QCOMPARE(int(c.style), 0);
        QCOMPARE(c.colour, editor::WindowTextColour);
        QVERIFY(!d.colourTouched());
        QCOMPARE(d.colourList()->currentText(), QStringLiteral("Kolor tekstu okna"));

        d.setChoice(FontChoice{QStringLiteral("DejaVu Sans"), 20, 0, 0x00808000});
        QCOMPARE(d.colourList()->currentText(), QStringLiteral("Zielonomodry"));
        QCOMPARE(d.choice().colour, 0x00808000u);
    }

    void standardColourList()
    {
        const auto &colours = editor::standardColours();
        QCOMPARE(QString::fromUtf8(colours[0].name), QStringLiteral("Czarny"));
        QCOMPARE(colours[0].value, 0u);
        QCOMPARE(QString::fromUtf8(colours[9].name), QStringLiteral("Czerwony"));
        QCOMPARE(colours[9].value, 0x000000FFu);
        QCOMPARE(QString::fromUtf8(colours[12].name), QStringLiteral("Niebieski"));
        QCOMPARE(colours[12].value, 0x00FF0000u);
        QCOMPARE(QString::fromUtf8(colours[11].name), QStringLiteral("Żółty"));
        QCOMPARE(colours[11].value, 0x0000FFFFu);
        FontDialog d;
        d.setChoice(FontChoice{QStringLiteral("Arial"), 10, 0, 0});
        QCOMPARE(d.colourList()->count(), 16);
        d.setChoice(startup());
        QCOMPARE(d.colourList()->count(), 17); // and the window-text colour it opened with
    }

    void pickingFromTheListReportsIt()
    {
        FontDialog d;
        d.setChoice(FontChoice{QStringLiteral("Arial"), 10, 0, 0});
        QTest::keyClick(d.colourList(), Qt::Key_Down);
        QVERIFY(d.colourTouched());
        QCOMPARE(d.choice().colour, 0x00000080u); // Kasztanowy
        // Reopening forgets the touch.
        d.setChoice(FontChoice{QStringLiteral("Arial"), 10, 0, editor::WindowTextColour});
        QVERIFY(!d.colourTouched());
        QCOMPARE(d.choice().colour, editor::WindowTextColour);
    }

    void customColour()
    {
        FontDialog d;
        d.setChoice(startup());
        std::optional<QColor> answer = QColor(1, 2, 3);
        d.setCustomColourPicker([&](QWidget *, const QColor &) { return answer; });
        QTest::mouseClick(d.otherColourButton(), Qt::LeftButton);
        QCOMPARE(d.choice().colour, 0x00030201u);
        QCOMPARE(d.colourList()->currentText(), QStringLiteral("Własny"));

        // A cancelled custom choice leaves the list and the colour as they were.
        d.setChoice(startup());
        answer.reset();
        const int shown = d.colourList()->currentIndex();
        QTest::mouseClick(d.otherColourButton(), Qt::LeftButton);
        QCOMPARE(d.colourList()->currentIndex(), shown);
        QVERIFY(!d.colourTouched());
        QCOMPARE(d.choice().colour, editor::WindowTextColour);

        // A custom colour read from a file is offered as it is.
        d.setChoice(FontChoice{QStringLiteral("Arial"), 10, 0, 0x00123456});
        QCOMPARE(d.colourList()->currentText(), QStringLiteral("Własny"));
        QCOMPARE(d.choice().colour, 0x00123456u);
    }

    // Opening and confirming without a change must give back what went in,
    // whatever names the face gives its styles.
    void untouchedOpeningKeepsEveryStyle_data()
    {
        QTest::addColumn<QString>("face");
        for (const char *face : {"Times New Roman", "Arial", "MS Sans Serif", "Tahoma", "DejaVu Sans", "DejaVu Serif",
                                 "Liberation Serif", "Liberation Sans", "Nimbus Roman", "Noto Sans Mono"})
            QTest::newRow(face) << QString::fromLatin1(face);
    }
    void untouchedOpeningKeepsEveryStyle()
    {
        QFETCH(QString, face);
        FontDialog d;
        for (int style = 0; style < 16; ++style) {
            d.setChoice(FontChoice{face, 26, std::uint8_t(style), 0});
            const FontChoice c = d.choice();
            QCOMPARE(c.face, face);
            QCOMPARE(c.size, 26);
            QCOMPARE(int(c.style), style);
        }
    }

    void styleFlagsAndSize()
    {
        FontDialog d;
        d.setChoice(startup());
        QFont bold(QStringLiteral("DejaVu Sans"), 30);
        bold.setBold(true);
        d.fontPage()->setCurrentFont(bold);
        FontChoice c = d.choice();
        QCOMPARE(c.face, QStringLiteral("DejaVu Sans"));
        QCOMPARE(c.size, 30);
        QCOMPARE(int(c.style), 1);

        d.setChoice(FontChoice{QStringLiteral("DejaVu Serif"), 12, 12, 0});
        QCOMPARE(int(d.choice().style), 12);

        d.setChoice(FontChoice{QStringLiteral("DejaVu Serif"), 26, 15, 0});
        QCOMPARE(int(d.choice().style), 15);
    }

    void sizesBeyondQtsList()
    {
        FontDialog d;
        d.setChoice(startup());
        typeSize(d, QStringLiteral("700"));
        QCOMPARE(d.choice().size, 700);
        d.setChoice(FontChoice{QStringLiteral("Arial"), 1000, 0, 0});
        QCOMPARE(d.choice().size, 1000);
    }

    void escapeInsideThePageCancelsTheDialog()
    {
        bool watchdog = false;
        const auto result = runDriven(
            startup(),
            [](FontDialog &d) {
                QListView *list = d.fontPage()->findChild<QListView *>();
                QVERIFY(list);
                QTest::keyClick(list, Qt::Key_Escape);
            },
            &watchdog);
        QVERIFY(!watchdog);
        QVERIFY(!result);
    }

    void returnInsideThePageConfirmsTheDialog()
    {
        bool watchdog = false;
        const auto result = runDriven(
            startup(),
            [](FontDialog &d) {
                typeSize(d, QStringLiteral("30"));
                QTest::keyClick(sizeField(d), Qt::Key_Return);
            },
            &watchdog);
        QVERIFY(!watchdog);
        QVERIFY(result);
        QCOMPARE(result->size, 30);
        QCOMPARE(result->face, QStringLiteral("Times New Roman"));
        QCOMPARE(result->colour, editor::WindowTextColour);
    }

    // Return in the page's lists used to accept only the page, which hid it.
    void returnInEveryListConfirmsTheDialog_data()
    {
        QTest::addColumn<int>("list");
        QTest::newRow("family list") << 0;
        QTest::newRow("style list") << 1;
        QTest::newRow("size list") << 2;
    }
    void returnInEveryListConfirmsTheDialog()
    {
        QFETCH(int, list);
        bool watchdog = false;
        bool pageShown = false;
        const auto result = runDriven(
            FontChoice{QStringLiteral("DejaVu Serif"), 20, 1, 0},
            [&](FontDialog &d) {
                QListView *view = pageList(d, list);
                QVERIFY(view);
                view->setFocus();
                QTest::keyClick(view, Qt::Key_Return);
                pageShown = !d.fontPage()->isHidden();
            },
            &watchdog);
        QVERIFY(!watchdog);
        QVERIFY(pageShown);
        QVERIFY(result);
        QCOMPARE(result->face, QStringLiteral("DejaVu Serif"));
        QCOMPARE(result->size, 20);
        QCOMPARE(int(result->style), 1);
    }

    // "DejaVu Sans" has no style named "Regular": picking it must not turn
    // the font oblique or bold behind the user's back.
    void pickingAFamilyKeepsBoldAndItalic_data()
    {
        QTest::addColumn<int>("style");
        for (int style : {0, 1, 2, 3, 5, 14})
            QTest::newRow(qPrintable(QStringLiteral("style %1").arg(style))) << style;
    }
    void pickingAFamilyKeepsBoldAndItalic()
    {
        QFETCH(int, style);
        FontDialog d;
        d.setChoice(FontChoice{QStringLiteral("Times New Roman"), 26, std::uint8_t(style), 0});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        for (const char *family : {"DejaVu Sans", "DejaVu Serif", "Liberation Sans"}) {
            QVERIFY2(clickRow(d, 0, QString::fromLatin1(family)), family);
            const FontChoice c = d.choice();
            QCOMPARE(c.face, QString::fromLatin1(family));
            QCOMPARE(int(c.style), style);
            QCOMPARE(d.fontPage()->currentFont().italic(), bool(style & 2));
            QCOMPARE(d.fontPage()->currentFont().weight() > QFont::Normal, bool(style & 1));
        }
    }

    void choosingAStyleAfterAFamilyCounts()
    {
        FontDialog d;
        d.setChoice(FontChoice{QStringLiteral("Times New Roman"), 26, 0, 0});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(clickRow(d, 0, QStringLiteral("DejaVu Sans")));
        QVERIFY(clickRow(d, 1, QStringLiteral("Bold Oblique")));
        QCOMPARE(int(d.choice().style), 3);
        QVERIFY(clickRow(d, 0, QStringLiteral("Liberation Serif")));
        QCOMPARE(int(d.choice().style), 3);
        QCOMPARE(d.fontPage()->currentFont().styleName(), QStringLiteral("Bold Italic"));
        QVERIFY(clickRow(d, 1, QStringLiteral("Regular")));
        QCOMPARE(int(d.choice().style), 0);
    }

    void theSampleIsDrawnInTheChosenColour()
    {
        FontDialog d;
        d.setChoice(FontChoice{QStringLiteral("Arial"), 12, 0, 0x0000FF});
        QCOMPARE(sampleTextColour(d), QColor(255, 0, 0));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.colourList()->setFocus();
        QTest::keyClick(d.colourList(), Qt::Key_Home);
        QTest::keyClick(d.colourList(), Qt::Key_Down);
        QCOMPARE(d.choice().colour, 0x000080u);
        QCOMPARE(sampleTextColour(d), QColor(128, 0, 0));

        d.setCustomColourPicker([](QWidget *, const QColor &) { return std::optional<QColor>(QColor(1, 2, 3)); });
        d.otherColourButton()->click();
        QCOMPARE(sampleTextColour(d), QColor(1, 2, 3));

        // The window-text system colour shows as the palette's text colour.
        d.setChoice(startup());
        QCOMPARE(sampleTextColour(d), d.palette().color(QPalette::WindowText));
    }

    void keysOutsideThePageStillWork()
    {
        bool watchdog = false;
        auto result = runDriven(
            FontChoice{QStringLiteral("Arial"), 12, 0, 0},
            [](FontDialog &d) {
                QTest::keyClick(d.colourList(), Qt::Key_Down);
                QTest::keyClick(d.colourList(), Qt::Key_Return);
            },
            &watchdog);
        QVERIFY(!watchdog);
        QVERIFY(result);
        QCOMPARE(result->colour, 0x00000080u);

        result = runDriven(
            startup(), [](FontDialog &d) { QTest::keyClick(d.colourList(), Qt::Key_Escape); }, &watchdog);
        QVERIFY(!watchdog);
        QVERIFY(!result);
    }
};

QTEST_MAIN(TestFontDialog)
#include "tst_fontdialog.moc"
