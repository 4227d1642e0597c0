// A damaged template: dyplom-druk warns and names the template, and with
// --scisle refuses it, exit 1, nothing written.
#include "ProgramRun.h"
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "diplomafile/DiplomaRecord.h"
#include "wmf/MetafileWriter.h"
#include "wmf/Records.h"

#include <QProcess>
#include <QtTest>

namespace {

using Result = ProgramResult;

Result runDruk(const QStringList &args)
{
    static QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, env);
}

// A border, then a polygon record whose point count runs past its end
// (one flipped bit in the count), then more border.
QByteArray damagedTemplate()
{
    wmf::MetafileWriter w(QRect(0, 0, 2100, 2970), 254);
    w.selectObject(w.createBrush(0, Qt::darkBlue));
    w.rectangle(QRect(0, 0, 2100, 100));
    QByteArray polygon;
    for (int v : {0x0403, 10, 10, 500, 10, 250, 400}) // 1027 points claimed, 3 given
        polygon.append(char(v & 0xFF)).append(char(v >> 8));
    w.record(wmf::rec::Polygon, polygon);
    w.rectangle(QRect(0, 2870, 2100, 100));
    return w.finish();
}

QByteArray soundTemplate()
{
    wmf::MetafileWriter w(QRect(0, 0, 2100, 2970), 254);
    w.selectObject(w.createBrush(0, Qt::darkBlue));
    w.rectangle(QRect(0, 0, 2100, 100));
    return w.finish();
}

} // namespace

class TestDrukDamaged : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("Wzory")});
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.texts.recipient = QStringLiteral("Jan Kowalski");
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
    }
    void cleanup() { dir_.reset(); }

    void soundTemplatePrintsWithoutWarning()
    {
        writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), soundTemplate());
        const Result r = runDruk(
            {QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("out.pdf"), QStringLiteral("--scisle")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QVERIFY(QFileInfo(dir_->file(QStringLiteral("out.pdf"))).size() > 0);
    }

    void damagedTemplateIsWarnedAbout_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("broken record") << damagedTemplate();
        const QByteArray whole = soundTemplate();
        // Cut inside the last record: the records break off.
        QTest::newRow("cut short") << whole.left(whole.size() - 9);
    }
    void damagedTemplateIsWarnedAbout()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), bytes);
        const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("out.pdf")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.err.startsWith(QLatin1String("dyplom-druk: uwaga: ")), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("BDR_0001.wmf: uszkodzony wzór")), qPrintable(r.err));
        QVERIFY(QFileInfo(dir_->file(QStringLiteral("out.pdf"))).size() > 0);
    }

    void strictModeRefusesAndWritesNothing()
    {
        writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), damagedTemplate());
        writeBytes(dir_->file(QStringLiteral("out.pdf")), "%PDF- the old file");
        const Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("out.pdf"),
                                  QStringLiteral("--osobno"), QStringLiteral("osobno"), QStringLiteral("--scisle")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("BDR_0001.wmf: uszkodzony wzór (1 damaged record(s) skipped")),
                 qPrintable(r.err));
        QCOMPARE(readBytes(dir_->file(QStringLiteral("out.pdf"))), QByteArray("%PDF- the old file"));
        QVERIFY(QDir(dir_->file(QStringLiteral("osobno"))).isEmpty());
    }

    // A size no sheet holds is said by --sprawdz and by a real run, with or
    // without fitting, and fitting it ends at once.
    void absurdSizeIsAProblem_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("as it is") << QStringList();
        QTest::newRow("fitted") << QStringList{QStringLiteral("--dopasuj")};
    }
    void absurdSizeIsAProblem()
    {
        QFETCH(QStringList, extra);
        writeBytes(dir_->file(QStringLiteral("Wzory/BDR_0001.wmf")), soundTemplate());
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.body.size = 100000;
        c.texts.body[0] = QStringLiteral("Za wzorową naukę");
        c.texts.recipient = QStringLiteral("Jan Kowalski");
        writeBytes(dir_->file(QStringLiteral("d.dyp")), diplomafile::buildDiplomaRecord(c));
        const QString said = QStringLiteral("treść: rozmiar 100000 pt nie mieści się na arkuszu (najwyżej 841 pt)");

        const Result check = runDruk(QStringList{QStringLiteral("d.dyp"), QStringLiteral("--sprawdz")} + extra);
        QCOMPARE(check.status, 1);
        QVERIFY2(check.err.contains(said), qPrintable(check.err));
        QVERIFY2(check.err.contains(QStringLiteral("teksty poza obszarem wydruku: 1")), qPrintable(check.err));
        QVERIFY2(!check.err.contains(QStringLiteral("wszystko w porządku")), qPrintable(check.err));

        const Result run = runDruk(QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("out.pdf")}
                                   + extra);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        const Result strict = runDruk(QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"),
                                                  QStringLiteral("strict.pdf"), QStringLiteral("--scisle")}
                                      + extra);
        QCOMPARE(strict.status, 1);
        QVERIFY(!QFileInfo::exists(dir_->file(QStringLiteral("strict.pdf"))));
    }

    void helpNamesStrictModeInBothLanguages()
    {
        QProcess p;
        p.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-druk"), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(help.count(QLatin1String("--scisle")), 2);
        QVERIFY(help.contains(QStringLiteral("uszkodzony wzór, tekst poza arkuszem")));
        QVERIFY(help.contains(QLatin1String("a damaged template, a text off the sheet")));
    }

private:
    std::unique_ptr<TempProgramDir> dir_;
};

QTEST_MAIN(TestDrukDamaged)
#include "tst_drukdamaged.moc"
