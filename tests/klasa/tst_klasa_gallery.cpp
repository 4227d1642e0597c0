// The gallery's sections by occasion, its filter and its search, without a window.
#include "klasa/GallerySections.h"

#include <QtTest>

using namespace klasa;

namespace {

uklady::DesignInfo design(uklady::Occasion o, const QString &title)
{
    uklady::DesignInfo d;
    d.occasion = o;
    d.title = title;
    return d;
}

QList<platform::TemplateFile> files(const QList<int> &numbers)
{
    QList<platform::TemplateFile> out;
    for (int n : numbers)
        out.append({n, QStringLiteral("/w/BDR_%1.wmf").arg(n)});
    return out;
}

// "title: 1 2; title: 3" for comparing.
QString shape(const QList<GallerySection> &sections)
{
    QStringList parts;
    for (const GallerySection &s : sections) {
        QStringList numbers;
        for (const GalleryEntry &e : s.entries)
            numbers << QString::number(e.number);
        parts << s.title + QStringLiteral(": ") + numbers.join(QLatin1Char(' '));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace

class TestKlasaGallery : public QObject {
    Q_OBJECT
private slots:
    void sections_data()
    {
        QTest::addColumn<QString>("occasion");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("expected");
        // The table's order (a later design of an earlier occasion joins it),
        // the designs the table lacks last.
        QTest::newRow("all") << QString() << QString()
                             << QStringLiteral("Sport: 1 4; Przedszkole: 2; Zakończenie roku szkolnego: 3; Inne wzory: 7");
        QTest::newRow("one occasion") << QStringLiteral("sport") << QString() << QStringLiteral("Sport: 1 4");
        QTest::newRow("the others") << OtherKey << QString() << QStringLiteral("Inne wzory: 7");
        QTest::newRow("no such occasion") << QStringLiteral("muzyka") << QString() << QString();
        // Letter case and the Polish letters do not matter, either way round.
        QTest::newRow("plain letters") << QString() << QStringLiteral("ZAKONCZENIE")
                                       << QStringLiteral("Zakończenie roku szkolnego: 3");
        QTest::newRow("Polish letters") << QString() << QStringLiteral("  żółw ") << QStringLiteral("Sport: 4");
        QTest::newRow("ł") << QString() << QStringLiteral("lawka") << QStringLiteral("Przedszkole: 2");
        QTest::newRow("number") << QString() << QStringLiteral("7") << QStringLiteral("Inne wzory: 7");
        QTest::newRow("search within a filter") << QStringLiteral("sport") << QStringLiteral("tęcza") << QString();
    }
    void sections()
    {
        QFETCH(QString, occasion);
        QFETCH(QString, search);
        QFETCH(QString, expected);
        QMap<int, uklady::DesignInfo> table;
        table.insert(1, design(uklady::Occasion::Sport, QStringLiteral("Sport – medal")));
        table.insert(2, design(uklady::Occasion::Kindergarten, QStringLiteral("Przedszkole – ławka i tęcza")));
        table.insert(3, design(uklady::Occasion::YearEnd, QStringLiteral("Zakończenie roku – biret")));
        table.insert(4, design(uklady::Occasion::Sport, QStringLiteral("Sport – zolw")));
        table.insert(9, design(uklady::Occasion::Music, QStringLiteral("Muzyka bez pliku")));
        QCOMPARE(shape(gallerySections(files({1, 2, 3, 4, 7}), table, occasion, search)), expected);
    }

    // Without a table: one untitled section of every design, and no
    // occasions to filter by.
    void withoutATable()
    {
        const QList<GallerySection> s = gallerySections(files({2, 1}), {}, QString(), QString());
        QCOMPARE(shape(s), QStringLiteral(": 2 1"));
        QVERIFY(occasionsOf({}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKlasaGallery)
#include "tst_klasa_gallery.moc"
