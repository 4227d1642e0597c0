// A new diploma from a design's suggested layout: its blocks, its file name,
// and that it never writes over a diploma.
#include "FileBytes.h"
#include "TempProgramDir.h"

#include "klasa/DesignDiploma.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QtTest>

using namespace klasa;

namespace {

uklady::SuggestedText text(const QString &role, const QString &value, const QStringList &fonts, double size,
                           const QRectF &box)
{
    uklady::SuggestedText t;
    t.role = role;
    t.text = value;
    t.fonts = fonts;
    t.sizePt = size;
    t.colour = QColor(0x12, 0x34, 0x56);
    t.boxMm = box;
    return t;
}

double leftMm(std::int32_t units)
{
    return units * PageWidthMm / 200;
}

double topMm(std::int32_t units)
{
    return units * PageHeightMm / 280;
}

} // namespace

class TestKlasaDesignDiploma : public QObject {
    Q_OBJECT
private slots:
    // Each block in its box, centred; the body wrapped to the box's width;
    // a missing font gives way to the list's next; the lead stays out.
    void blocksFollowTheDesign()
    {
        uklady::DesignInfo d;
        d.texts.push_back(text(QStringLiteral("heading"), QStringLiteral("Dyplom"),
                               {QStringLiteral("Czcionka Której Nie Ma"), QStringLiteral("DejaVu Serif")}, 54,
                               QRectF(40, 63, 130, 34)));
        d.texts.push_back(text(QStringLiteral("lead"), QStringLiteral("dla"), {QStringLiteral("DejaVu Serif")}, 18,
                               QRectF(40, 104, 130, 13)));
        d.texts.push_back(text(QStringLiteral("name"), QStringLiteral("Imię i Nazwisko"),
                               {QStringLiteral("DejaVu Sans")}, 34, QRectF(40, 121, 130, 27)));
        const QString body = QStringLiteral("za bardzo dobre wyniki w nauce i wzorowe zachowanie w roku szkolnym "
                                            "oraz udział w konkursach");
        d.texts.push_back(
            text(QStringLiteral("body"), body, {QStringLiteral("DejaVu Serif")}, 15, QRectF(40, 155, 130, 44)));
        const diplomafile::DiplomaContent c = diplomaFromDesign(77, d);
        QCOMPARE(c.templateNumber, 77);
        QCOMPARE(c.heading.fontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(c.heading.size, 54);
        QCOMPARE(c.heading.colour, editor::ColourValue(0x563412));
        QCOMPARE(c.texts.heading, QStringLiteral("Dyplom"));
        QCOMPARE(c.recipient.fontName, QStringLiteral("DejaVu Sans"));
        QCOMPARE(c.texts.recipient, QStringLiteral("Imię i Nazwisko"));
        for (const QString &line : c.texts.body)
            QVERIFY(line != QStringLiteral("dla"));

        QStringList lines;
        for (const QString &line : c.texts.body)
            if (!line.isEmpty())
                lines << line;
        QVERIFY2(lines.size() >= 2, qPrintable(lines.join('|')));
        QCOMPARE(lines.join(QLatin1Char(' ')), body);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(1000);
        const double mmPerPixel = 15 * 25.4 / 72 / 1000;
        for (const QString &line : lines) {
            const double width = QFontMetricsF(font).horizontalAdvance(line) * mmPerPixel;
            QVERIFY2(width <= 130, qPrintable(line));
            QVERIFY2(leftMm(c.body.left) >= 40 - 1 && leftMm(c.body.left) + width <= 170 + 1, qPrintable(line));
        }
        // Centred: as much room left as right of the heading, within a unit.
        font.setFamily(QStringLiteral("DejaVu Serif"));
        const double headingWidth = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Dyplom")) * 54 * 25.4 / 72
                                    / 1000;
        QVERIFY(qAbs((leftMm(c.heading.left) - 40) - (170 - leftMm(c.heading.left) - headingWidth)) < 2.2);
        QVERIFY(topMm(c.heading.top) >= 63 - 1 && topMm(c.heading.top) < 63 + 34);
        QVERIFY(topMm(c.body.top) >= 155 - 1 && topMm(c.body.top) < 155 + 44);
        QVERIFY(topMm(c.recipient.top) >= 121 - 1 && topMm(c.recipient.top) < 121 + 27);
        // What a diploma's record holds comes back the same.
        QCOMPARE(diplomafile::parseDiplomaRecord(diplomafile::buildDiplomaRecord(c)), c);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("Sport – medal w paski") << QStringLiteral("Sport – medal w paski.dyp");
        QTest::newRow("taken twice") << QStringLiteral("Zajęty") << QStringLiteral("Zajęty (3).dyp");
        QTest::newRow("slashes and colons") << QStringLiteral("a/b\\c: d?") << QStringLiteral("abc d.dyp");
        QTest::newRow("hidden") << QStringLiteral("..ukryty") << QStringLiteral("ukryty.dyp");
        QTest::newRow("nothing left") << QStringLiteral(" / ") << QStringLiteral("Dyplom.dyp");
    }
    void fileNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        TempProgramDir dir;
        const QString folder = dir.file(QStringLiteral("Dyplomy"));
        writeBytes(folder + QStringLiteral("/Zajęty.dyp"), "x");
        writeBytes(folder + QStringLiteral("/Zajęty (2).dyp"), "x");
        QCOMPARE(QFileInfo(freeDiplomaPath(folder, title)).fileName(), expected);
    }

    // A second diploma of a design is a second file; the first stays as it
    // was; a folder that cannot be made is said.
    void neverWritesOver()
    {
        TempProgramDir dir;
        const QString folder = dir.file(QStringLiteral("Dyplomy/nowy"));
        diplomafile::DiplomaContent c;
        c.texts.heading = QStringLiteral("Pierwszy");
        const QString first = writeNewDiploma(folder, QStringLiteral("Sport"), c);
        c.texts.heading = QStringLiteral("Drugi");
        const QString second = writeNewDiploma(folder, QStringLiteral("Sport"), c);
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("Sport (2).dyp"));
        QCOMPARE(diplomafile::parseDiplomaRecord(readBytes(first)).texts.heading, QStringLiteral("Pierwszy"));
        QCOMPARE(diplomafile::parseDiplomaRecord(readBytes(second)).texts.heading, QStringLiteral("Drugi"));
        writeBytes(dir.file(QStringLiteral("plik")), "x");
        try {
            writeNewDiploma(dir.file(QStringLiteral("plik/Dyplomy")), QStringLiteral("Sport"), c);
            QFAIL("no error");
        } catch (const std::runtime_error &e) {
            QVERIFY2(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Nie można utworzyć folderu")), e.what());
        }
    }
};

QTEST_MAIN(TestKlasaDesignDiploma)
#include "tst_klasa_design_diploma.moc"
