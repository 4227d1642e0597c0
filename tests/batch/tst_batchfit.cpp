// The free area of a template, found from its drawing, and the texts of a
// record checked, shrunk and centred against it.
#include "batch/fit/FreeArea.h"
#include "batch/fit/MissingGlyphs.h"
#include "batch/fit/SizeLimits.h"
#include "batch/fit/TextFit.h"

#include "StartupDiploma.h"
#include "editor/uklady/DesignTable.h"
#include "wmf/MetafilePaintDevice.h"

#include <QDir>
#include <QPainter>
#include <QRandomGenerator>

#include <QtTest>

namespace {

// A template drawn with a painter on an A4 sheet in millimetres.
wmf::Metafile drawTemplate(const std::function<void(QPainter &)> &draw)
{
    wmf::MetafilePaintDevice device;
    {
        QPainter p(&device);
        const qreal dotsPerMm = device.logicalDpiX() / 25.4;
        p.scale(dotsPerMm, dotsPerMm);
        draw(p);
    }
    return wmf::Metafile::fromBytes(device.finish());
}

// A frame 20 mm from the edges, with a 3 mm pen, on a given paper colour.
wmf::Metafile framed(const QColor &paper)
{
    return drawTemplate([&](QPainter &p) {
        p.fillRect(QRectF(0, 0, 210, 297), paper);
        p.setPen(QPen(QColor(120, 20, 20), 3));
        p.drawRect(QRectF(20, 20, 170, 257));
    });
}

printing::PrintInput diploma(const wmf::Metafile &picture, const QString &recipient)
{
    printing::PrintInput in;
    startupdiploma::setStyles(in);
    in.picture = picture;
    in.texts.heading = QStringLiteral("Dyplom");
    in.texts.body[0] = QStringLiteral("za wybitne osiągnięcia");
    in.texts.recipient = recipient;
    return in;
}

batch::PlacedText placed(batch::TextLayout &layout, const printing::PrintInput &in, int index)
{
    for (const batch::PlacedText &p : layout.place(in))
        if (p.index == index)
            return p;
    return {};
}

const std::array<bool, 8> recipientFilled{false, false, false, false, false, false, false, true};

} // namespace

class TestBatchFit : public QObject {
    Q_OBJECT
private slots:
    void freeAreaOfDrawnTemplates_data();
    void freeAreaOfDrawnTemplates();
    void freeAreaIsComputedOncePerKey();
    void shippedTemplatesLeaveRoomForTheName();
    void longNameCrossingTheFrameIsReportedAndShrunk();
    void shrinkingStopsAtTheFloor();
    void sizesTheSheetCannotHold_data();
    void sizesTheSheetCannotHold();
    void centredTextsSitOnTheMiddleOfTheFreeArea();
    void missingGlyphs();
};

void TestBatchFit::freeAreaOfDrawnTemplates_data()
{
    QTest::addColumn<wmf::Metafile>("picture");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QRectF>("mm"); // expected, to a cell of 3 mm and a dot either way

    const QRectF insideFrame(22, 22, 166, 253);
    QTest::newRow("frame on white") << framed(Qt::white) << true << insideFrame;
    QTest::newRow("frame on cream paper") << framed(QColor(245, 235, 210)) << true << insideFrame;
    QTest::newRow("faint watermark is no ink") << drawTemplate([](QPainter &p) {
        p.setPen(QPen(QColor(20, 20, 20), 3));
        p.drawRect(QRectF(20, 20, 170, 257));
        p.fillRect(QRectF(60, 120, 90, 60), QColor(240, 240, 240));
    }) << true << insideFrame;
    QTest::newRow("emblem above the middle limits the top") << drawTemplate([](QPainter &p) {
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(QRectF(20, 20, 170, 257));
        p.setBrush(Qt::darkBlue);
        p.drawEllipse(QRectF(80, 40, 50, 50));
    }) << true << QRectF(22, 92, 166, 183);
    QTest::newRow("full-sheet photo") << drawTemplate([](QPainter &p) {
        QImage photo(105, 148, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
        p.drawImage(QRectF(0, 0, 210, 297), photo);
    }) << false << QRectF();
    QTest::newRow("no template") << wmf::Metafile() << true << QRectF(0, 0, 210, 297);
}

void TestBatchFit::freeAreaOfDrawnTemplates()
{
    QFETCH(wmf::Metafile, picture);
    QFETCH(bool, found);
    QFETCH(QRectF, mm);
    const batch::FreeArea area = batch::findFreeArea(picture);
    QCOMPARE(area.found, found);
    if (!found)
        return;
    const QRectF got(area.rect.left() * 210, area.rect.top() * 297, area.rect.width() * 210, area.rect.height() * 297);
    const auto near = [](qreal a, qreal b) { return std::abs(a - b) <= 4; };
    QVERIFY2(near(got.left(), mm.left()) && near(got.top(), mm.top()) && near(got.right(), mm.right())
                 && near(got.bottom(), mm.bottom()),
             qPrintable(
                 QStringLiteral("%1,%2 – %3,%4 mm").arg(got.left()).arg(got.top()).arg(got.right()).arg(got.bottom())));
}

void TestBatchFit::freeAreaIsComputedOncePerKey()
{
    const batch::FreeArea first = batch::cachedFreeArea(QStringLiteral("wzór A|1|2"), framed(Qt::white));
    // The same key does not draw again: the empty picture would give the whole sheet.
    const batch::FreeArea again = batch::cachedFreeArea(QStringLiteral("wzór A|1|2"), wmf::Metafile());
    QCOMPARE(again.rect, first.rect);
    QVERIFY(batch::cachedFreeArea(QStringLiteral("wzór A|1|3"), wmf::Metafile()).rect != first.rect);
}

void TestBatchFit::shippedTemplatesLeaveRoomForTheName()
{
    // The recipient of a new diploma starts 52 mm from the left, 104 mm down:
    // every catalogue design must have a free area there, wide enough for
    // an ordinary name.
    const QDir wzory(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"));
    const QStringList files = wzory.entryList({QStringLiteral("BDR_*.wmf")});
    if (files.isEmpty())
        QSKIP("data/Wzory holds no templates");
    // A landscape design prints on landscape paper; its texts come from its layout.
    const QMap<int, uklady::DesignInfo> layouts = uklady::layoutTableFor(wzory.path(), nullptr);
    for (const QString &name : files) {
        if (layouts.value(name.mid(4, 4).toInt()).landscape)
            continue;
        QFile f(wzory.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const batch::FreeArea area = batch::findFreeArea(wmf::Metafile::fromBytes(f.readAll()));
        const QRectF mm(area.rect.left() * 210, area.rect.top() * 297, area.rect.width() * 210, area.rect.height() * 297);
        QVERIFY2(area.found && mm.left() <= 52 && mm.right() >= 160 && mm.top() <= 100 && mm.bottom() >= 130,
                 qPrintable(QStringLiteral("%1: %2 … %3 × %4 … %5 mm")
                                .arg(name)
                                .arg(mm.left())
                                .arg(mm.right())
                                .arg(mm.top())
                                .arg(mm.bottom())));
    }
}

void TestBatchFit::longNameCrossingTheFrameIsReportedAndShrunk()
{
    const wmf::Metafile frame = framed(Qt::white);
    const batch::FreeArea area = batch::findFreeArea(frame);
    batch::TextLayout layout(printing::SheetGeometry::a4(600));
    const qreal right = area.rect.right() * layout.templateRect(diploma(frame, {})).width();

    // 37 characters: a double-barrelled surname in the recipient's 26 points.
    const QString longName = QStringLiteral("Aleksandra Wierzchowska-Brzęczyszczyk");
    printing::PrintInput in = diploma(frame, longName);
    QVERIFY(placed(layout, in, 7).cell.right() > right);
    batch::FitOutcome plain = batch::fitRecord(in, recipientFilled, area, {}, layout);
    QCOMPARE(plain.overBorder.size(), 1);
    QCOMPARE(plain.overBorder[0].text, longName);
    QVERIFY(plain.shrunk.isEmpty());
    QCOMPARE(in.recipient.size, 26);

    batch::FitSettings shrink;
    shrink.shrink = true;
    const batch::FitOutcome fitted = batch::fitRecord(in, recipientFilled, area, shrink, layout);
    QVERIFY(fitted.overBorder.isEmpty());
    QCOMPARE(fitted.shrunk.size(), 1);
    QCOMPARE(fitted.shrunk[0].block, 2);
    QCOMPARE(fitted.shrunk[0].from, 26);
    QCOMPARE(fitted.shrunk[0].to, in.recipient.size);
    QVERIFY(in.recipient.size >= 16 && in.recipient.size < 26);
    QVERIFY(placed(layout, in, 7).cell.right() <= right + 0.5);
    // The largest size that fits: one point more crosses again.
    printing::PrintInput bigger = in;
    ++bigger.recipient.size;
    QVERIFY(placed(layout, bigger, 7).cell.right() > right);
    // The other blocks keep their size.
    QCOMPARE(in.body.size, 26);
    QCOMPARE(in.heading.size, 48);

    // A short name is left alone.
    printing::PrintInput shortName = diploma(frame, QStringLiteral("Jan Nowak"));
    const batch::FitOutcome untouched = batch::fitRecord(shortName, recipientFilled, area, shrink, layout);
    QVERIFY(untouched.shrunk.isEmpty() && untouched.overBorder.isEmpty());
    QCOMPARE(shortName.recipient.size, 26);
}

void TestBatchFit::shrinkingStopsAtTheFloor()
{
    const wmf::Metafile frame = framed(Qt::white);
    const batch::FreeArea area = batch::findFreeArea(frame);
    batch::TextLayout layout(printing::SheetGeometry::a4(300));
    printing::PrintInput in = diploma(frame, QString(80, QLatin1Char('W')));
    batch::FitSettings shrink;
    shrink.shrink = true;
    const batch::FitOutcome out = batch::fitRecord(in, recipientFilled, area, shrink, layout);
    QCOMPARE(in.recipient.size, 16); // 60 % of 26, rounded up
    QCOMPARE(out.shrunk.value(0).to, 16);
    QCOMPARE(out.overBorder.size() + out.offSheet.size(), 1);

    // Without a free area the sheet's edges bound the texts.
    printing::PrintInput noArea = diploma(frame, QString(80, QLatin1Char('W')));
    const batch::FitOutcome edges = batch::fitRecord(noArea, recipientFilled, batch::FreeArea{}, {}, layout);
    QCOMPARE(edges.offSheet.size(), 1);
    QVERIFY(edges.overBorder.isEmpty());
}

void TestBatchFit::sizesTheSheetCannotHold_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("held");
    QTest::newRow("one point") << 1 << true;
    QTest::newRow("the sheet's height") << 841 << true;
    QTest::newRow("a point more") << 842 << false;
    QTest::newRow("100 000") << 100000 << false;
    QTest::newRow("damaged: huge") << 557668343 << false;
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("negative") << -12 << false;
}

void TestBatchFit::sizesTheSheetCannotHold()
{
    QFETCH(int, size);
    QFETCH(bool, held);
    const printing::SheetGeometry a4 = printing::SheetGeometry::a4(600);
    QCOMPARE(batch::largestSize(a4), 841);
    printing::PrintInput in = diploma(framed(Qt::white), QStringLiteral("Jan Nowak"));
    in.body.size = size;
    const QStringList problems = batch::sizeProblems(in, a4);
    QCOMPARE(problems.isEmpty(), held);
    if (!held)
        QCOMPARE(
            problems,
            QStringList{QStringLiteral("treść: rozmiar %1 pt nie mieści się na arkuszu (najwyżej 841 pt)").arg(size)});

    // Fitting a huge heading takes a bounded number of layouts and ends at
    // the largest size that fits, as stepping a point at a time would.
    if (size < 5000)
        return;
    const wmf::Metafile frame = framed(Qt::white);
    const batch::FreeArea area = batch::findFreeArea(frame);
    batch::TextLayout layout(a4);
    in.body.size = 26;
    in.heading.size = size;
    batch::FitSettings shrink;
    shrink.shrink = true;
    shrink.floor = 0.0;
    const std::array<bool, 8> none{};
    const batch::FitOutcome out = batch::fitRecord(in, none, area, shrink, layout);
    QVERIFY(out.offSheet.isEmpty() && out.overBorder.isEmpty());
    QVERIFY2(in.heading.size > 26 && in.heading.size < 841, qPrintable(QString::number(in.heading.size)));
    printing::PrintInput bigger = in;
    ++bigger.heading.size;
    const batch::FitOutcome crossing = batch::fitRecord(bigger, none, area, {}, layout);
    QVERIFY(crossing.overBorder.size() + crossing.offSheet.size() > 0);
}

void TestBatchFit::centredTextsSitOnTheMiddleOfTheFreeArea()
{
    // A frame off the sheet's middle: centring goes by the free area.
    const wmf::Metafile frame = drawTemplate([](QPainter &p) {
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(QRectF(40, 20, 150, 257));
    });
    const batch::FreeArea area = batch::findFreeArea(frame);
    QVERIFY(area.found);
    batch::TextLayout layout(printing::SheetGeometry::a4(600));
    const QRectF t = layout.templateRect(diploma(frame, {}));
    const qreal middle = t.left() + area.rect.center().x() * t.width();
    const qreal dotsPerMm = 24;

    printing::PrintInput in = diploma(frame, QStringLiteral("Jan Nowak"));
    in.texts.body[2] = QStringLiteral("klasa 3a");
    std::array<bool, 8> filled = recipientFilled;
    filled[3] = true;
    batch::FitSettings centre;
    centre.centre = true;
    batch::fitRecord(in, filled, area, centre, layout);
    for (const int index : {7, 3}) {
        const batch::PlacedText p = placed(layout, in, index);
        QVERIFY2(std::abs(p.cell.center().x() - middle) <= 1.1 * dotsPerMm,
                 qPrintable(QStringLiteral("text %1 at %2, middle %3").arg(index).arg(p.cell.center().x()).arg(middle)));
    }
    // Texts not from the list, and the vertical places, stay.
    const printing::PrintInput before = diploma(frame, QStringLiteral("Jan Nowak"));
    QCOMPARE(placed(layout, in, 1).cell, placed(layout, before, 1).cell);
    QCOMPARE(placed(layout, in, 7).cell.top(), placed(layout, before, 7).cell.top());
}

void TestBatchFit::missingGlyphs()
{
    editor::TextBlockStyle style = startupdiploma::block(26, 50, 100);
    batch::MissingGlyphs glyphs;
    const QString hieroglyph = QString::fromUcs4(U"\U00013000");
    QCOMPARE(glyphs.in(QStringLiteral("Zażółć Олександр Nguyễn Văn A محمد"), style), QStringList());
    QCOMPARE(glyphs.in(QStringLiteral("Ra ") + hieroglyph + hieroglyph + QStringLiteral(" x"), style),
             QStringList{hieroglyph});
    // Combining marks (Vietnamese written decomposed) have no glyph of their own to miss.
    QCOMPARE(glyphs.in(QStringLiteral("Nguye\u0302\u0303n"), style), QStringList());
}

QTEST_MAIN(TestBatchFit)
#include "tst_batchfit.moc"
