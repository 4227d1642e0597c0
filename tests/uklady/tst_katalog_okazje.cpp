// The printed catalogue (dyplom-druk --katalog) in one section of pages per
// occasion, as the table of layouts beside the templates folder gives them.
#include "ProgramRun.h"
#include "FileBytes.h"
#include "TempProgramDir.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

ProgramResult katalog(const QString &tmp)
{
    QProcessEnvironment env = environmentWithoutRuntimeDir();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")),
                      {QStringLiteral("--katalog"), QStringLiteral("k.pdf")}, env);
}

// The title line at the head of every page, in order.
QStringList pageTitles(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList titles;
    const QRegularExpression title(QStringLiteral("Katalog wzorów dyplomów — [^\\n]*?strona \\d+ z \\d+"));
    auto it = title.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext())
        titles << it.next().captured(0);
    return titles;
}

QByteArray entry(int n, const char *occasion)
{
    return QStringLiteral("{\"number\": %1, \"file\": \"BDR_%2.wmf\", \"occasion\": \"%3\"}")
        .arg(n)
        .arg(n, 4, 10, QLatin1Char('0'))
        .arg(QString::fromUtf8(occasion))
        .toUtf8();
}

} // namespace

class TestKatalogOkazje : public QObject {
    Q_OBJECT
private slots:
    void sectionsFollowTheTable_data()
    {
        QTest::addColumn<QByteArray>("table"); // empty: no table at all
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("warning");
        QByteArray twoOccasions = "{\"format\": 1, \"designs\": [\n";
        for (int n = 1; n <= 10; ++n)
            twoOccasions += entry(n, "sport") + ",\n";
        twoOccasions += entry(11, "muzyka") + "\n]}\n";
        const QString head = QStringLiteral("Katalog wzorów dyplomów — ");
        QTest::newRow("two occasions and one template not listed")
            << twoOccasions
            << QStringList{head + "Sport — strona 1 z 4", head + "Sport — strona 2 z 4", head + "Muzyka — strona 3 z 4",
                           head + "Inne wzory — strona 4 z 4"}
            << QString();
        QTest::newRow("no table") << QByteArray() << QStringList{head + "strona 1 z 2", head + "strona 2 z 2"}
                                  << QString();
        QTest::newRow("damaged table") << QByteArray("{\"designs\": nie")
                                       << QStringList{head + "strona 1 z 2", head + "strona 2 z 2"}
                                       << QStringLiteral("uszkodzona tabela układów");
    }

    void sectionsFollowTheTable()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, titles);
        QFETCH(QString, warning);
        const TempProgramDir dir({QStringLiteral("Wzory")});
        const QByteArray picture = readBytes(qEnvironmentVariable("DYPLOM_SOURCE_DIR")
                                             + QStringLiteral("/data/Wzory/BDR_0043.wmf"));
        for (int n = 1; n <= 12; ++n)
            writeBytes(dir.file(QStringLiteral("Wzory/BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'))), picture);
        if (!table.isEmpty())
            writeBytes(dir.file(QStringLiteral("wzory-uklady.json")), table);
        const ProgramResult r = katalog(dir.path());
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(warning.isEmpty() ? !r.err.contains(QStringLiteral("tabela")) : r.err.contains(warning),
                 qPrintable(r.err));
        QCOMPARE(pageTitles(dir.file(QStringLiteral("k.pdf"))), titles);
    }
};

QTEST_MAIN(TestKatalogOkazje)
#include "tst_katalog_okazje.moc"
