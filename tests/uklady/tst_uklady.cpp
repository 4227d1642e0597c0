// The table of occasions and suggested layouts shipped beside the templates:
// regenerated, complete, its texts fit their designs and its fonts carry
// the Polish letters.
#include "FileBytes.h"
#include "LayoutTable.h"
#include "SuggestedLayout.h"
#include "TemplateArt.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>
#include <QSet>
#include <QtTest>

using namespace templateart;

namespace {

QString dataDir()
{
    return qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data");
}

QString tablePath()
{
    return dataDir() + QLatin1Char('/') + QLatin1String(LayoutTableName);
}

QMap<int, DesignInfo> shippedTable()
{
    QString error;
    const QMap<int, DesignInfo> table = readLayoutTable(readBytes(tablePath()), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    return table;
}

constexpr double kPtPerMm = 72 / 25.4;

} // namespace

class TestUklady : public QObject {
    Q_OBJECT
private slots:
    void tableIsRegeneratedAndNotATemplate()
    {
        QVERIFY2(readBytes(tablePath()) == layoutTable(), "data/wzory-uklady.json is stale: run wzory-gen");
        // The template listers take BDR_nnnn.wmf files of Wzory.
        QVERIFY(!QFile::exists(dataDir() + QStringLiteral("/Wzory/") + QLatin1String(LayoutTableName)));
        QVERIFY(!QString::fromLatin1(LayoutTableName).startsWith(QStringLiteral("BDR_"), Qt::CaseInsensitive));
    }

    void everyDesignHasAnEntryAndEveryOccasionFive()
    {
        const QMap<int, DesignInfo> table = shippedTable();
        const QStringList files =
            QDir(dataDir() + QStringLiteral("/Wzory")).entryList({QStringLiteral("BDR_*.wmf")}, QDir::Files);
        QCOMPARE(table.size(), files.size());
        QMap<int, int> perOccasion;
        QSet<QString> titles;
        for (int n = 1; n <= int(files.size()); ++n) {
            QVERIFY2(table.contains(n), qPrintable(QStringLiteral("no entry for %1").arg(n)));
            const DesignInfo &d = table[n];
            QVERIFY2(!d.title.isEmpty() && !titles.contains(d.title), qPrintable(d.title));
            titles.insert(d.title);
            QStringList roles;
            for (const SuggestedText &t : d.texts)
                roles << t.role;
            QCOMPARE(roles, QStringList({"heading", "lead", "name", "body"}));
            ++perOccasion[int(d.occasion)];
        }
        for (int o = int(Occasion::Initiation); o <= int(Occasion::Thanks); ++o)
            QVERIFY2(perOccasion.value(o) >= 5, qPrintable(occasionName(Occasion(o)).title));
    }

    // Measured at 72 dpi, where a pixel is a point.
    void suggestedTextsFitTheFreeArea()
    {
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(2835);
        device.setDotsPerMeterY(2835);
        const QMap<int, DesignInfo> table = shippedTable();
        QVERIFY(!table.isEmpty());
        for (auto it = table.cbegin(); it != table.cend(); ++it) {
            const DesignInfo &d = it.value();
            QCOMPARE(d.landscape, designInfo(it.key()).landscape);
            const QRectF page = d.landscape ? QRectF(0, 0, 297, 210) : QRectF(0, 0, 210, 297);
            QVERIFY2(page.contains(d.freeMm) && d.freeMm.width() > 100 && d.freeMm.height() > 120, qPrintable(d.title));
            for (const SuggestedText &t : d.texts) {
                const QString where = QStringLiteral("%1 (%2): %3").arg(d.title, t.role, t.text);
                QVERIFY2(d.freeMm.adjusted(-0.05, -0.05, 0.05, 0.05).contains(t.boxMm), qPrintable(where));
                QFont font(firstInstalledFont(t.fonts));
                font.setPointSizeF(t.sizePt);
                const QFontMetricsF fm(font, &device);
                const QRectF box(0, 0, t.boxMm.width() * kPtPerMm, t.boxMm.height() * kPtPerMm);
                const QRectF need = t.role == QLatin1String("body")
                                        ? fm.boundingRect(box, Qt::TextWordWrap | Qt::AlignHCenter, t.text)
                                        : QRectF(0, 0, fm.horizontalAdvance(t.text), fm.height());
                QVERIFY2(need.width() <= box.width() && need.height() <= box.height(),
                         qPrintable(where
                                    + QStringLiteral(": needs %1 x %2 pt of %3 x %4")
                                          .arg(need.width())
                                          .arg(need.height())
                                          .arg(box.width())
                                          .arg(box.height())));
            }
        }
    }

    // Each font suggested is really there (fontconfig matched that family,
    // not a substitute) and has every Polish letter.
    void suggestedFontsCarryPolishLetters()
    {
        QSet<QString> families;
        for (const DesignInfo &d : shippedTable())
            for (const SuggestedText &t : d.texts)
                for (const QString &f : t.fonts)
                    families.insert(f);
        QVERIFY(families.size() >= 4);
        const QString pangram = QStringLiteral("Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
        for (const QString &family : families) {
            const QFont font(family);
            QVERIFY2(QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0,
                     qPrintable(family + QStringLiteral(" is not installed (scripts/setup installs it)")));
            const QRawFont raw = QRawFont::fromFont(font);
            QVERIFY2(raw.isValid(), qPrintable(family));
            for (const QChar c : pangram)
                QVERIFY2(raw.supportsCharacter(c),
                         qPrintable(QStringLiteral("%1 has no glyph for %2").arg(family, QString(c))));
        }
    }

    void suggestionsFallBackWhenAFontIsAbsent()
    {
        QCOMPARE(firstInstalledFont({QStringLiteral("Czcionka Której Nie Ma"), QStringLiteral("DejaVu Serif")}),
                 QStringLiteral("DejaVu Serif"));
        QCOMPARE(firstInstalledFont({QStringLiteral("dejavu sans"), QStringLiteral("DejaVu Serif")}),
                 QStringLiteral("dejavu sans"));
        // Nothing installed: the last, for the system to substitute.
        QCOMPARE(firstInstalledFont({QStringLiteral("Nie Ma"), QStringLiteral("Też Nie Ma")}),
                 QStringLiteral("Też Nie Ma"));
        QCOMPARE(firstInstalledFont({}), QString());
        // Every list ends in a face of fonts-dejavu-core, which every
        // installation has.
        for (const DesignInfo &d : shippedTable())
            for (const SuggestedText &t : d.texts)
                QVERIFY2(t.fonts.size() >= 2 && t.fonts.last().startsWith(QStringLiteral("DejaVu ")),
                         qPrintable(d.title));
    }

    void orientationIsRead_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("error");
        QTest::newRow("portrait") << QByteArray(", \"orientation\": \"pionowa\"") << false << QString();
        QTest::newRow("landscape") << QByteArray(", \"orientation\": \"pozioma\"") << true << QString();
        QTest::newRow("left out: portrait") << QByteArray() << false << QString();
        QTest::newRow("unknown") << QByteArray(", \"orientation\": \"landscape\"") << false
                                 << QStringLiteral("wzór 7 ma nieznaną orientację „landscape”");
        QTest::newRow("not a word") << QByteArray(", \"orientation\": 1") << false
                                    << QStringLiteral("wzór 7 ma nieznaną orientację");
    }

    void orientationIsRead()
    {
        QFETCH(QByteArray, field);
        QFETCH(bool, landscape);
        QFETCH(QString, error);
        const QByteArray json = "{\"format\": 1, \"designs\": [{\"number\": 3}, {\"number\": 7" + field + "}]}";
        QString problem;
        const QMap<int, DesignInfo> table = readLayoutTable(json, &problem);
        if (!error.isEmpty()) {
            QVERIFY(table.isEmpty());
            QVERIFY2(problem.contains(error), qPrintable(problem));
            return;
        }
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(table.size(), 2);
        QVERIFY(!table[3].landscape);
        QCOMPARE(table[7].landscape, landscape);
        // The shipped table has both, and what the generator drew.
        int shippedLandscape = 0;
        for (const DesignInfo &d : shippedTable())
            shippedLandscape += d.landscape;
        QVERIFY(shippedLandscape >= 8);
    }

    void damagedTableIsReportedInPolish()
    {
        for (const QByteArray &bad :
             {QByteArray(), QByteArray("nie json"), QByteArray("{\"format\": 2, \"designs\": []}"), QByteArray("[]")}) {
            QString error;
            QVERIFY(readLayoutTable(bad, &error).isEmpty());
            QVERIFY2(error.contains(QStringLiteral("Tabela układów")), qPrintable(error));
        }
    }
};

QTEST_MAIN(TestUklady)
#include "tst_uklady.moc"
