// The bytes dyplom-druk and the class window's run write for fixed inputs,
// pinned: a change of the code around the output engine that alters a
// single byte of a PDF or a picture shows here. Only what a run may vary by
// itself (dates, the document ID) is left out of the comparison.
#include "ProgramRun.h"
#include "FileBytes.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "diplomafile/DiplomaRecord.h"
#include "batch/run/BatchRun.h"
#include "klasa/ClassSession.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The bytes without the fields a writer may fill from the clock or at random.
QByteArray normalised(QByteArray bytes)
{
    static const QRegularExpression varying(QStringLiteral(R"(/(CreationDate|ModDate)\s*\([^)]*\)|/ID\s*\[[^\]]*\])"));
    return QString::fromLatin1(bytes).remove(varying).toLatin1();
}

// "name sha256" for every file in dir, sorted by name.
QStringList digestsIn(const QString &dir, const QString &label)
{
    QStringList lines;
    for (const QString &name : QDir(dir).entryList(QDir::Files, QDir::Name))
        lines.append(QStringLiteral("%1/%2 %3")
                         .arg(label, name,
                              QString::fromLatin1(QCryptographicHash::hash(normalised(readBytes(QDir(dir).filePath(name))),
                                                                           QCryptographicHash::Sha256)
                                                      .toHex()
                                                      .left(16))));
    return lines;
}

int runDruk(const QStringList &args)
{
    const ProgramResult r = runProgram(builtProgram(QStringLiteral("dyplom-druk")), args, environmentWithoutRuntimeDir());
    if (r.status != 0)
        qWarning().noquote() << r.err;
    return r.status;
}

} // namespace

class TestPinnedOutputs : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<TempProgramDir>(
            QStringList{QStringLiteral("Wzory"), QStringLiteral("druk"), QStringLiteral("okno")});
        QVERIFY(QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf"),
                            dir_->file(QStringLiteral("Wzory/BDR_0001.wmf"))));
        QVERIFY(QFile::copy(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0002.wmf"),
                            dir_->file(QStringLiteral("Wzory/BDR_0002.wmf"))));
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.texts.heading = QStringLiteral("Dyplom");
        c.texts.body[0] = QStringLiteral("za wybitne osiągnięcia w nauce");
        c.texts.body[1] = QStringLiteral("{Klasa}");
        c.texts.body[3] = QStringLiteral("Dyrektor");
        c.texts.recipient = QStringLiteral("Jan Kowalski");
        writeBytes(dir_->file(QStringLiteral("jeden.dyp")), diplomafile::buildDiplomaRecord(c));
        c.templateNumber = 2;
        c.texts.heading = QStringLiteral("Podziękowanie");
        writeBytes(dir_->file(QStringLiteral("drugi.dyp")), diplomafile::buildDiplomaRecord(c));
        writeBytes(dir_->file(QStringLiteral("klasa.csv")),
                   QStringLiteral("Imię;Nazwisko;Klasa\nZofia;Żółkiewska;3a\nŁukasz;Gęślarz;3a\n"
                                  "Anna;Nowak;3b\nAnna;Nowak;3b\n")
                       .toUtf8());
    }
    void cleanup() { dir_.reset(); }

    void outputsKeepTheirBytes()
    {
        const QString wzory = dir_->file(QStringLiteral("Wzory"));
        QCOMPARE(runDruk({QStringLiteral("jeden.dyp"), QStringLiteral("--wzory"), wzory, QStringLiteral("-o"),
                          QStringLiteral("druk/jeden.pdf")}),
                 0);
        QCOMPARE(runDruk({QStringLiteral("drugi.dyp"), QStringLiteral("--wzory"), wzory, QStringLiteral("--bez-tla"),
                          QStringLiteral("-o"), QStringLiteral("druk/drugi.pdf")}),
                 0);
        // One run, every output: they are committed together.
        QCOMPARE(runDruk({QStringLiteral("jeden.dyp"), QStringLiteral("--wzory"), wzory, QStringLiteral("--lista"),
                          QStringLiteral("klasa.csv"), QStringLiteral("-o"), QStringLiteral("druk/klasa.pdf"),
                          QStringLiteral("--osobno"), QStringLiteral("druk/osobno"), QStringLiteral("--png"),
                          QStringLiteral("druk/png"), QStringLiteral("--dpi"), QStringLiteral("30")}),
                 0);

        // The class window's run on the same diploma and list.
        klasa::ClassSession session;
        session.setTemplatesFolder(dir_->file(QStringLiteral("Wzory")));
        session.openDiploma(dir_->file(QStringLiteral("jeden.dyp")));
        session.openList(dir_->file(QStringLiteral("klasa.csv")));
        session.rebuild();
        QVERIFY2(!session.blocked(), qPrintable(session.problems().value(0).text));
        batch::BatchPlan plan;
        plan.outputs = {batch::PlannedOutput(batch::BatchOutput::OnePdf, dir_->file(QStringLiteral("okno/klasa.pdf")))};
        plan.title = session.diploma().texts.heading;
        plan.inputs = session.inputs();
        batch::runBatch(plan, session.pages(), {});
        plan.outputs = {batch::PlannedOutput(batch::BatchOutput::PdfPerPage, dir_->file(QStringLiteral("okno/osobno")))};
        batch::runBatch(plan, session.pages(), {});

        const QStringList got = digestsIn(QStringLiteral("druk"), QStringLiteral("druk"))
                                + digestsIn(QStringLiteral("druk/osobno"), QStringLiteral("druk/osobno"))
                                + digestsIn(QStringLiteral("druk/png"), QStringLiteral("druk/png"))
                                + digestsIn(QStringLiteral("okno"), QStringLiteral("okno"))
                                + digestsIn(QStringLiteral("okno/osobno"), QStringLiteral("okno/osobno"));
        const QStringList pinned = {
            QStringLiteral("druk/drugi.pdf 79f9e137eb5b94ea"),
            QStringLiteral("druk/jeden.pdf bb4486fc6843edad"),
            QStringLiteral("druk/klasa.pdf 88f51e1f39c57127"),
            QStringLiteral("druk/osobno/Anna Nowak (2).pdf 71df1b898ee38a51"),
            QStringLiteral("druk/osobno/Anna Nowak.pdf 71df1b898ee38a51"),
            QStringLiteral("druk/osobno/Zofia Żółkiewska.pdf 0ae2f4914ee864d6"),
            QStringLiteral("druk/osobno/Łukasz Gęślarz.pdf c957da1187d69bb1"),
            QStringLiteral("druk/png/strona-001.png 21131e1d17e8e2e4"),
            QStringLiteral("druk/png/strona-002.png 1e352d791f6eba14"),
            QStringLiteral("druk/png/strona-003.png af95ccfd799c899e"),
            QStringLiteral("druk/png/strona-004.png af95ccfd799c899e"),
            QStringLiteral("okno/klasa.pdf 88f51e1f39c57127"),
            QStringLiteral("okno/osobno/Anna Nowak (2).pdf 71df1b898ee38a51"),
            QStringLiteral("okno/osobno/Anna Nowak.pdf 71df1b898ee38a51"),
            QStringLiteral("okno/osobno/Zofia Żółkiewska.pdf 0ae2f4914ee864d6"),
            QStringLiteral("okno/osobno/Łukasz Gęślarz.pdf c957da1187d69bb1"),
        };
        if (got != pinned)
            qWarning().noquote() << "now:\n" + got.join(QLatin1Char('\n'));
        QCOMPARE(got, pinned);
    }

private:
    std::unique_ptr<TempProgramDir> dir_;
};

QTEST_MAIN(TestPinnedOutputs)
#include "tst_pinned_outputs.moc"
