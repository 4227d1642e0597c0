// Where dyplom-druk finds its templates: --wzory, ./Wzory, the user's
// catalogue, the shipped one; a missing template stays a failure.
#include "ProgramRun.h"
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"
#include "diplomafile/DiplomaRecord.h"

#include <QProcess>
#include <QtTest>

namespace {

using Result = ProgramResult;

QByteArray shippedTemplate(int number)
{
    QFile f(qEnvironmentVariable("DYPLOM_SOURCE_DIR")
            + QStringLiteral("/data/Wzory/BDR_%1.wmf").arg(number, 4, 10, QLatin1Char('0')));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    writeBytes(path, bytes);
}

QByteArray diploma(int templateNumber)
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = templateNumber;
    c.texts.heading = QStringLiteral("Dyplom");
    c.texts.recipient = QStringLiteral("Jan Kowalski");
    return diplomafile::buildDiplomaRecord(c);
}

} // namespace

class TestDrukTemplates : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> work_; // the current directory: no Wzory
    QTemporaryDir home_;
    QTemporaryDir runtime_;

    QString userTemplates() const { return home_.filePath(QStringLiteral(".local/share/dyplom/Wzory")); }

    Result run(const QStringList &args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        return runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, env);
    }

private slots:
    void init()
    {
        if (shippedTemplate(1).isEmpty() || shippedTemplate(2).isEmpty())
            QSKIP("data/Wzory is not there");
        work_ = std::make_unique<TempProgramDir>(QStringList{});
        put(work_->file(QStringLiteral("t1.dyp")), diploma(1));
        put(work_->file(QStringLiteral("t2.dyp")), diploma(2));
        QDir(home_.path()).removeRecursively();
        QDir().mkpath(home_.path());
    }
    void cleanup() { work_.reset(); }

    void namedFolderComesFirst()
    {
        // ./Wzory holds a damaged template 1, the named folder a sound one.
        put(work_->file(QStringLiteral("Wzory/BDR_0001.wmf")), "not a metafile");
        put(work_->file(QStringLiteral("moje/BDR_0001.wmf")), shippedTemplate(1));
        Result r = run({QStringLiteral("t1.dyp"), QStringLiteral("-o"), QStringLiteral("a.pdf")});
        QCOMPARE(r.status, 1);
        QVERIFY(!QFile::exists(work_->file(QStringLiteral("a.pdf"))));
        r = run({QStringLiteral("t1.dyp"), QStringLiteral("-o"), QStringLiteral("a.pdf"), QStringLiteral("--wzory"),
                 QStringLiteral("moje")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(QFile::exists(work_->file(QStringLiteral("a.pdf"))));

        // The catalogue takes the same folder.
        r = run({QStringLiteral("--katalog"), QStringLiteral("k.pdf"), QStringLiteral("--wzory=moje")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
    }

    void missingTemplateInTheNamedFolderWritesNothing()
    {
        put(work_->file(QStringLiteral("moje/BDR_0001.wmf")), shippedTemplate(1));
        const Result r = run({QStringLiteral("t2.dyp"), QStringLiteral("-o"), QStringLiteral("b.pdf"),
                              QStringLiteral("--wzory"), QStringLiteral("moje")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("moje/BDR_0002.wmf")), qPrintable(r.err));
        QVERIFY(!QFile::exists(work_->file(QStringLiteral("b.pdf"))));
    }

    void userCatalogueServesTheHomeFolder()
    {
        // Template 1 only: the run brings the folder up to date first.
        put(userTemplates() + QStringLiteral("/BDR_0001.wmf"), shippedTemplate(1));
        Result r = run({QStringLiteral("t1.dyp"), QStringLiteral("-o"), QStringLiteral("c.pdf")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(QFile::exists(work_->file(QStringLiteral("c.pdf"))));
        QCOMPARE(readBytes(userTemplates() + QStringLiteral("/BDR_0002.wmf")), shippedTemplate(2));

        // The user's own change of template 2, broken: proof that this
        // catalogue is used, and that a changed template is never replaced.
        put(userTemplates() + QStringLiteral("/BDR_0002.wmf"), "zepsuty");
        r = run({QStringLiteral("t2.dyp"), QStringLiteral("-o"), QStringLiteral("d.pdf")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(userTemplates() + QStringLiteral("/BDR_0002.wmf")), qPrintable(r.err));
        QVERIFY(!QFile::exists(work_->file(QStringLiteral("d.pdf"))));
    }

    void shippedCatalogueWhenNothingElse()
    {
        // A build tree finds the sources' data folder beside the program.
        const Result r = run({QStringLiteral("t2.dyp"), QStringLiteral("-o"), QStringLiteral("e.pdf")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(QFile::exists(work_->file(QStringLiteral("e.pdf"))));
    }

    void helpNamesTheOption()
    {
        const Result r = run({QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        QProcess p;
        p.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-druk"), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(60000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(help.count(QStringLiteral("--wzory")), 2); // Polish and English
        QVERIFY(help.contains(QStringLiteral("/usr/share/dyplom/Wzory")));
        QVERIFY(!help.contains(QStringLiteral("exactly"))); // a missing template is the exception
        QVERIFY(help.contains(QStringLiteral("A missing template is a failure")));
    }
};

QTEST_MAIN(TestDrukTemplates)
#include "tst_druk_templates.moc"
