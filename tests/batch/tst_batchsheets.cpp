// Diplomas on a sheet: where each lies, which are turned, where the cut
// marks go and which layouts are refused.
#include "batch/compose/SheetLayout.h"

#include <QtTest>

using batch::SheetLayout;

class TestBatchSheets : public QObject {
    Q_OBJECT
private slots:
    void positionsFillTheSheet_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("perSheet");
        QTest::addColumn<QString>("sheetPaper");
        QTest::addColumn<QSizeF>("sheet");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QRectF>("last"); // the last position
        QTest::newRow("A4") << "A4" << false << 1 << "A4" << QSizeF(210, 297) << false << QRectF(0, 0, 210, 297);
        QTest::newRow("A5 across") << "A5" << true << 1 << "A5" << QSizeF(210, 148) << false << QRectF(0, 0, 210, 148);
        QTest::newRow("Letter") << "Letter" << false << 1 << "Letter" << QSizeF(215.9, 279.4) << false
                                << QRectF(0, 0, 215.9, 279.4);
        QTest::newRow("2 A5 on A4") << "A5" << false << 2 << "A4" << QSizeF(210, 297) << true
                                    << QRectF(0, 148.75, 210, 148);
        QTest::newRow("2 A5 across on A4")
            << "A5" << true << 2 << "A4" << QSizeF(210, 297) << false << QRectF(0, 148.75, 210, 148);
        QTest::newRow("4 A6 on A4") << "A6" << false << 4 << "A4" << QSizeF(210, 297) << false
                                    << QRectF(105, 148.75, 105, 148);
        QTest::newRow("4 A6 across on A4")
            << "A6" << true << 4 << "A4" << QSizeF(210, 297) << true << QRectF(105, 148.75, 105, 148);
        QTest::newRow("2 A6 on A5") << "A6" << false << 2 << "A5" << QSizeF(148, 210) << true << QRectF(0, 105, 148, 105);
    }
    void positionsFillTheSheet()
    {
        QFETCH(QString, paper);
        QFETCH(bool, landscape);
        QFETCH(int, perSheet);
        QFETCH(QString, sheetPaper);
        QFETCH(QSizeF, sheet);
        QFETCH(bool, turned);
        QFETCH(QRectF, last);
        const SheetLayout layout{paper, landscape, perSheet};
        QVERIFY(batch::layoutError(layout).isEmpty());
        QCOMPARE(layout.sheetPaper(), sheetPaper);
        QCOMPARE(layout.sheetMm(), sheet);
        const QList<batch::SheetPosition> at = layout.positions();
        QCOMPARE(at.size(), perSheet);
        QCOMPARE(at.last().turned, turned);
        QCOMPARE(at.last().areaMm, last);
        const QRectF whole(QPointF(0, 0), sheet);
        for (int i = 0; i < at.size(); ++i) {
            // The diploma's own size, turned or not, on the sheet, apart
            // from the others, row by row.
            const QSizeF size = at[i].turned ? at[i].areaMm.size().transposed() : at[i].areaMm.size();
            QCOMPARE(size, layout.diplomaMm());
            QVERIFY(whole.contains(at[i].areaMm));
            for (int j = 0; j < i; ++j) {
                QVERIFY(!at[i].areaMm.intersects(at[j].areaMm.adjusted(0.01, 0.01, -0.01, -0.01)));
                QVERIFY(at[j].areaMm.top() < at[i].areaMm.top() || at[j].areaMm.left() < at[i].areaMm.left());
            }
        }
        // Cut marks only in the margin, between diplomas, never across one.
        const QList<QLineF> marks = layout.cutMarks();
        QCOMPARE(marks.size(), perSheet == 1 ? 0 : perSheet == 2 ? 2 : 4);
        for (const QLineF &m : marks) {
            QVERIFY(std::abs(m.length() - batch::CutMarkMm) < 1e-9);
            const QRectF box = QRectF(m.p1(), m.p2()).normalized();
            const QRectF onSheet = whole.adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
            QVERIFY(onSheet.contains(m.p1()) && onSheet.contains(m.p2()));
            QVERIFY(box.left() < 1e-9 || box.top() < 1e-9 || box.right() > sheet.width() - 1e-9
                    || box.bottom() > sheet.height() - 1e-9);
            for (const batch::SheetPosition &p : at) {
                const QRectF inner = p.areaMm.adjusted(0.01, 0.01, -0.01, -0.01);
                QVERIFY(!inner.contains(m.p1()) && !inner.contains(m.p2()) && !inner.contains(m.center()));
            }
        }
    }

    void layoutsRefused_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("perSheet");
        QTest::addColumn<QString>("reason"); // empty: printable
        QTest::newRow("A3") << "A3" << 1 << "nieznany papier „A3” (znane: A4, A5, A6, Letter)";
        QTest::newRow("three") << "A6" << 3 << "po 3 na arkuszu";
        QTest::newRow("two A4") << "A4" << 2 << "dyplomy A4 nie mieszczą się po 2";
        QTest::newRow("four A5") << "A5" << 4 << "dyplomy A5 nie mieszczą się po 4";
        QTest::newRow("two Letter") << "Letter" << 2 << "dyplomy Letter";
        QTest::newRow("lower case") << "a6" << 4 << "";
    }
    void layoutsRefused()
    {
        QFETCH(QString, paper);
        QFETCH(int, perSheet);
        QFETCH(QString, reason);
        const QString error = batch::layoutError(SheetLayout{paper, false, perSheet});
        QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.startsWith(reason), qPrintable(error));
    }

    // A partly used sheet: the first diplomas fill its free positions, the
    // rest go on new sheets from their first position.
    void placementsStartOnAPartlyUsedSheet()
    {
        const auto shown = [](const QList<batch::Placement> &places) {
            QStringList s;
            for (const batch::Placement &p : places)
                s.append(QStringLiteral("%1.%2").arg(p.sheet).arg(p.position));
            return s.join(QLatin1Char(' '));
        };
        QCOMPARE(shown(batch::placements(5, 4, 3)), QStringLiteral("0.2 0.3 1.0 1.1 1.2"));
        QCOMPARE(shown(batch::placements(3, 2, 1)), QStringLiteral("0.0 0.1 1.0"));
        QCOMPARE(shown(batch::placements(2, 1, 1)), QStringLiteral("0.0 1.0"));
    }

    // A landscape diploma is drawn across an A4 turned on its side.
    void drawingGeometryFollowsTheOrientation()
    {
        const printing::SheetGeometry upright = batch::drawingGeometry(SheetLayout{"A6", false, 4}, 300);
        const printing::SheetGeometry across = batch::drawingGeometry(SheetLayout{"A5", true, 1}, 300);
        QCOMPARE(upright.sheet, printing::SheetGeometry::a4(300).sheet);
        QCOMPARE(across.sheet, upright.sheet.transposed());
        QCOMPARE(across.printable, QRect(QPoint(0, 0), across.sheet));
    }
};

QTEST_GUILESS_MAIN(TestBatchSheets)
#include "tst_batchsheets.moc"
