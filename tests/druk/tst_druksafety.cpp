// Where dyplom-druk may write and what it leaves: links planted in shared
// folders, devices, read-only and foreign files, a rival run, a killed
// run's leftovers, standard output, and the PDF's own details.
#include "ProgramRun.h"
#include "FileBytes.h"
#include "PdfTools.h"
#include "RunAsUser.h"
#include "StartupDiploma.h"
#include "TempProgramDir.h"

#include "diplomafile/DiplomaRecord.h"
#include "batch/compose/CompactPdf.h"
#include "batch/output/Leftovers.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
constexpr uid_t Stranger = 1234; // neither the running user nor a folder's owner

using Result = ProgramResult;

QString program()
{
    return builtProgram(QStringLiteral("dyplom-druk"));
}

Result runDruk(const QStringList &args, bool asNobody = false)
{
    if (asNobody) {
        const HelperRun r = runAsOrdinaryUser(program(), args, QDir::currentPath());
        return {r.exitCode, r.output, r.errors};
    }
    return runProgram(program(), args);
}

// A shell line around the program: "$0" is dyplom-druk, "$@" args.
Result runInShell(const QString &line, const QStringList &args)
{
    return runProgram(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), line, program()} + args);
}

QByteArray diploma(const QString &heading)
{
    diplomafile::DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 1;
    c.texts.heading = heading;
    c.texts.body[0] = QStringLiteral("za wybitne osiągnięcia");
    c.texts.recipient = QStringLiteral("Jan Kowalski");
    return diplomafile::buildDiplomaRecord(c);
}

QByteArray names(int count, const QString &pattern = QStringLiteral("Uczeń %1"))
{
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines << pattern.arg(k);
    return lines.join(QLatin1Char('\n')).toUtf8();
}

// Files a run stages beside its outputs and in the temporary folder.
QStringList temporaryNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*dyplom-druk-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

mode_t typeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

bool symlinkOwnedBy(const QString &target, const QString &link, uid_t owner)
{
    const QByteArray l = QFile::encodeName(link);
    return ::symlink(QFile::encodeName(target).constData(), l.constData()) == 0
           && ::lchown(l.constData(), owner, owner) == 0;
}

QString pdfinfo(const QString &pdf)
{
    return runTool(QStringLiteral("pdfinfo"), {pdf});
}

// "dyplom-druk-HOST-BOOTID-" of this machine, from this process's prefix.
QString hostAndBoot()
{
    QString prefix = batch::temporaryPrefix();
    prefix.chop(1);
    return prefix.left(prefix.lastIndexOf(QLatin1Char('-')) + 1);
}

qint64 finishedProcessId()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForFinished();
    return p.processId() > 0 ? p.processId() : 999999;
}

} // namespace

class TestDrukSafety : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void linksInSharedFolders_data();
    void linksInSharedFolders();
    void existingOutputs_data();
    void existingOutputs();
    void separateFilesCountDanglingLinks();
    void rivalRunsReleasedTogether();
    void killedRunsLeftoversAreCleared();
    void leftoverNamesTellDeadRunsOfThisHost_data();
    void leftoverNamesTellDeadRunsOfThisHost();
    void standardOutput();
    void pdfDetails();

private:
    std::unique_ptr<TempProgramDir> dir_;
    QTemporaryDir tmp_;
};

void TestDrukSafety::initTestCase()
{
    // The runs' temporary folder, open to the ordinary user's runs too; no
    // runtime folder from the environment, as in a cron job.
    QVERIFY(letOthersIn(tmp_.path(), 01777));
    qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestDrukSafety::init()
{
    dir_ = std::make_unique<TempProgramDir>(QStringList{QStringLiteral("wzory")});
    QFile wmf(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf"));
    QVERIFY(wmf.open(QIODevice::ReadOnly));
    writeBytes(dir_->file(QStringLiteral("wzory/BDR_0001.wmf")), wmf.readAll());
    writeBytes(dir_->file(QStringLiteral("d.dyp")), diploma(QStringLiteral("Dyplom")));
    QVERIFY(letOthersIn(dir_->path()) && letOthersIn(dir_->file(QStringLiteral("wzory"))));
}

void TestDrukSafety::cleanup()
{
    dir_.reset(); // made in the same temporary folder
    // Nothing of a run outlives it there, the toolkit's runtime folder neither.
    QCOMPARE(QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
}

void TestDrukSafety::linksInSharedFolders_data()
{
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<bool>("sticky");
    QTest::addColumn<int>("linkOwner");
    QTest::addColumn<bool>("separate"); // the link is the --osobno folder, else the -o file
    QTest::addColumn<bool>("followed");
    QTest::newRow("root, another's link") << false << true << int(Stranger) << false << false;
    QTest::newRow("root, own link") << false << true << 0 << false << true;
    QTest::newRow("root, another's link as --osobno") << false << true << int(Stranger) << true << false;
    QTest::newRow("user, own link") << true << true << int(Nobody) << false << true;
    QTest::newRow("user, own link as --osobno") << true << true << int(Nobody) << true << true;
    QTest::newRow("user, the folder owner's link") << true << true << 0 << false << true;
    QTest::newRow("user, another's link") << true << true << int(Stranger) << false << false;
    QTest::newRow("user, another's link as --osobno") << true << true << int(Stranger) << true << false;
    QTest::newRow("root, another's link, not sticky") << false << false << int(Stranger) << false << true;
}

void TestDrukSafety::linksInSharedFolders()
{
    QFETCH(bool, asNobody);
    QFETCH(bool, sticky);
    QFETCH(int, linkOwner);
    QFETCH(bool, separate);
    QFETCH(bool, followed);
    if (::geteuid() != 0)
        QSKIP("links of other users need root to be made");
    // The link's target: a file, or a folder, of whoever runs the program.
    const QString real = dir_->file(QStringLiteral("cel"));
    QVERIFY(QDir().mkpath(real + QStringLiteral("/os")) && letOthersIn(real, 0777)
            && letOthersIn(real + QStringLiteral("/os"), 0777));
    writeBytes(real + QStringLiteral("/out.pdf"), "%PDF-secret");
    QVERIFY(letOthersIn(real + QStringLiteral("/out.pdf"), 0666));
    const QString shared = dir_->file(QStringLiteral("wspolny"));
    QVERIFY(QDir().mkpath(shared) && letOthersIn(shared, sticky ? 01777 : 0777));
    const QString link = shared + (separate ? QStringLiteral("/os") : QStringLiteral("/out.pdf"));
    QVERIFY(
        symlinkOwnedBy(real + (separate ? QStringLiteral("/os") : QStringLiteral("/out.pdf")), link, uid_t(linkOwner)));
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\n");

    const QStringList args = separate ? QStringList{QStringLiteral("d.dyp"), QStringLiteral("--lista"),
                                                    QStringLiteral("n.txt"), QStringLiteral("--osobno"), link}
                                      : QStringList{QStringLiteral("d.dyp"), QStringLiteral("-o"), link};
    const Result r = runDruk(args, asNobody);
    const QStringList inFolder = QDir(real + QStringLiteral("/os")).entryList(QDir::Files | QDir::Hidden);
    if (followed) {
        QVERIFY2(r.status == 0, qPrintable(r.err));
        if (separate)
            QCOMPARE(inFolder, (QStringList{QStringLiteral("Anna.pdf"), QStringLiteral("Jan.pdf")}));
        else
            QVERIFY(readBytes(real + QStringLiteral("/out.pdf")).startsWith("%PDF-1."));
        QCOMPARE(typeOf(link), mode_t(S_IFLNK));
    } else {
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("dyplom-druk: ") + link
                                  + QStringLiteral(": dowiązanie symboliczne innego użytkownika"))
                     && r.err.trimmed().count(QLatin1Char('\n')) == 0,
                 qPrintable(r.err));
        QCOMPARE(readBytes(real + QStringLiteral("/out.pdf")), QByteArray("%PDF-secret"));
        QCOMPARE(inFolder, QStringList());
    }
    QCOMPARE(temporaryNames(shared) + temporaryNames(real), QStringList());
}

void TestDrukSafety::existingOutputs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("refusal"); // empty: replaced by the new PDF
    const QString notAFile = QStringLiteral("to nie jest zwykły plik");
    const QString readOnly = QStringLiteral("brak dostępu do pliku (plik tylko do odczytu)");
    const QString foreign = QStringLiteral("plik istnieje i nie jest plikiem PDF");
    const QString dangling = QStringLiteral("to dowiązanie symboliczne do pliku, którego nie ma");
    QTest::newRow("FIFO") << QStringLiteral("fifo") << false << notAFile;
    QTest::newRow("FIFO, --nadpisz") << QStringLiteral("fifo") << true << notAFile;
    QTest::newRow("device node") << QStringLiteral("device") << false << notAFile;
    QTest::newRow("device node, --nadpisz") << QStringLiteral("device") << true << notAFile;
    QTest::newRow("0444 PDF") << QStringLiteral("readonly") << false << readOnly;
    QTest::newRow("0444 PDF, --nadpisz") << QStringLiteral("readonly") << true << readOnly;
    QTest::newRow("spreadsheet") << QStringLiteral("foreign") << false << foreign;
    QTest::newRow("spreadsheet, --nadpisz") << QStringLiteral("foreign") << true << QString();
    QTest::newRow("dangling link") << QStringLiteral("dangling") << false << dangling;
    QTest::newRow("dangling link, --nadpisz") << QStringLiteral("dangling") << true << QString();
    QTest::newRow("earlier PDF") << QStringLiteral("pdf") << false << QString();
    QTest::newRow("empty file") << QStringLiteral("empty") << false << QString();
}

void TestDrukSafety::existingOutputs()
{
    QFETCH(QString, kind);
    QFETCH(bool, overwrite);
    QFETCH(QString, refusal);
    const QString out = dir_->file(QStringLiteral("wynik.pdf"));
    const QString linkTarget = dir_->file(QStringLiteral("gdzie/indziej.pdf"));
    const QByteArray native = QFile::encodeName(out);
    QByteArray earlier;
    mode_t type = S_IFREG;
    if (kind == QLatin1String("fifo")) {
        QVERIFY(::mkfifo(native.constData(), 0644) == 0);
        type = S_IFIFO;
    } else if (kind == QLatin1String("device")) {
        if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("mknod needs root");
        type = S_IFCHR;
    } else if (kind == QLatin1String("readonly")) {
        earlier = "%PDF-1.4 earlier";
        writeBytes(out, earlier);
        QVERIFY(letOthersIn(out, 0444));
    } else if (kind == QLatin1String("foreign")) {
        earlier = "PK\x03\x04 dziennik.ods";
        writeBytes(out, earlier);
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QDir().mkpath(QFileInfo(linkTarget).path()));
        QVERIFY(QFile::link(linkTarget, out));
        type = S_IFLNK;
    } else if (kind == QLatin1String("pdf")) {
        earlier = "%PDF-1.4 earlier";
        writeBytes(out, earlier);
    } else {
        writeBytes(out, QByteArray());
    }

    QStringList args{QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("wynik.pdf")};
    if (overwrite)
        args << QStringLiteral("--nadpisz");
    const Result r = runDruk(args);
    if (refusal.isEmpty()) {
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(readBytes(out).startsWith("%PDF-1."));
        QCOMPARE(typeOf(out), type); // a link is written at its target
        if (type == S_IFLNK)
            QVERIFY(readBytes(linkTarget).startsWith("%PDF-1."));
    } else {
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("dyplom-druk: wynik.pdf: ") + refusal)
                     && r.err.count(QLatin1Char('\n')) == 1,
                 qPrintable(r.err));
        QCOMPARE(typeOf(out), type);
        if (type == S_IFREG)
            QCOMPARE(readBytes(out), earlier);
        QVERIFY(!QFile::exists(linkTarget));
    }
    QCOMPARE(temporaryNames(dir_->path()), QStringList());
}

void TestDrukSafety::separateFilesCountDanglingLinks()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\n");
    QVERIFY(QDir().mkpath(dir_->file(QStringLiteral("os"))));
    QVERIFY(QFile::link(dir_->file(QStringLiteral("brak.pdf")), dir_->file(QStringLiteral("os/Jan.pdf"))));
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                           QStringLiteral("--osobno"), QStringLiteral("os")};
    Result r = runDruk(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("os/Jan.pdf: plik już istnieje")), qPrintable(r.err));
    QCOMPARE(QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("Jan.pdf")});
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("brak.pdf"))));

    // --nadpisz replaces files, never a FIFO named like a pupil's file.
    QVERIFY(::mkfifo(QFile::encodeName(dir_->file(QStringLiteral("os/Anna.pdf"))).constData(), 0644) == 0);
    r = runDruk(args + QStringList{QStringLiteral("--nadpisz")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("os/Anna.pdf: to nie jest zwykły plik")), qPrintable(r.err));
    QCOMPARE(typeOf(dir_->file(QStringLiteral("os/Anna.pdf"))), mode_t(S_IFIFO));
    QCOMPARE(temporaryNames(dir_->file(QStringLiteral("os"))), QStringList());
}

void TestDrukSafety::rivalRunsReleasedTogether()
{
    // Two runs into one folder, neither with --nadpisz, held at a gate and
    // let go at once: both find the folder empty, one puts its files in
    // place, the other must not replace them.
    writeBytes(dir_->file(QStringLiteral("a.dyp")), diploma(QStringLiteral("Dyplom A")));
    writeBytes(dir_->file(QStringLiteral("b.dyp")), diploma(QStringLiteral("Dyplom B")));
    writeBytes(dir_->file(QStringLiteral("n.txt")), names(40));
    const QByteArray gate = QFile::encodeName(dir_->file(QStringLiteral("brama")));
    QVERIFY(::mkfifo(gate.constData(), 0600) == 0);
    QProcess runs[2];
    for (int k = 0; k < 2; ++k) {
        runs[k].start(QStringLiteral("bash"),
                      {QStringLiteral("-c"), QStringLiteral("cat brama >/dev/null; exec \"$0\" \"$@\""), program(),
                       k == 0 ? QStringLiteral("a.dyp") : QStringLiteral("b.dyp"), QStringLiteral("--lista"),
                       QStringLiteral("n.txt"), QStringLiteral("--osobno"), QStringLiteral("os")});
        QVERIFY(runs[k].waitForStarted());
    }
    QTest::qWait(300); // both waiting at the gate
    const int open = ::open(gate.constData(), O_WRONLY);
    QVERIFY(open >= 0);
    ::close(open);
    for (QProcess &run : runs)
        QVERIFY(run.waitForFinished(120000));

    const int winner = runs[0].exitCode() == 0 ? 0 : 1;
    const QString loserErr = QString::fromUtf8(runs[1 - winner].readAllStandardError());
    QCOMPARE(runs[winner].exitCode(), 0);
    QCOMPARE(runs[1 - winner].exitCode(), 1);
    QVERIFY2(loserErr.contains(QRegularExpression(
                 QStringLiteral("^dyplom-druk: os/Uczeń \\d+\\.pdf: plik (powstał w trakcie pracy|już istnieje)")))
                 && loserErr.count(QLatin1Char('\n')) == 1,
             qPrintable(loserErr));
    const QStringList files = QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QCOMPARE(files.size(), 40); // the winner's, and nothing else
    const QString heading = winner == 0 ? QStringLiteral("Dyplom A") : QStringLiteral("Dyplom B");
    for (const QString &name :
         {QStringLiteral("Uczeń 1.pdf"), QStringLiteral("Uczeń 20.pdf"), QStringLiteral("Uczeń 40.pdf")})
        QVERIFY2(runTool(QStringLiteral("pdftotext"), {dir_->file(QStringLiteral("os/") + name), QStringLiteral("-")})
                     .contains(heading),
                 qPrintable(name));
}

void TestDrukSafety::killedRunsLeftoversAreCleared()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")), names(400));
    QVERIFY(QDir().mkpath(dir_->file(QStringLiteral("os"))));
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                           QStringLiteral("--osobno"), QStringLiteral("os")};
    QProcess run;
    run.start(program(), args);
    QVERIFY(run.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (temporaryNames(dir_->file(QStringLiteral("os"))).size() < 5 && waited.elapsed() < 60000)
        QTest::qWait(10);
    QVERIFY2(run.state() == QProcess::Running && run.processId() > 0,
             qPrintable(QString::fromUtf8(run.readAllStandardError())));
    ::kill(pid_t(run.processId()), SIGKILL);
    QVERIFY(run.waitForFinished());
    QVERIFY(temporaryNames(dir_->file(QStringLiteral("os"))).size() >= 5);
    QVERIFY(!temporaryNames(tmp_.path()).isEmpty()); // its scratch folders

    // What a later run must leave: a live process's file, another host's.
    const QString live = QStringLiteral(".") + hostAndBoot() + QStringLiteral("1-abcDEF");
    const QString otherHost = QStringLiteral(".dyplom-druk-inny-komputer-")
                              + hostAndBoot().section(QLatin1Char('-'), -6, -2) + QStringLiteral("-")
                              + QString::number(finishedProcessId()) + QStringLiteral("-abcDEF");
    writeBytes(dir_->file(QStringLiteral("os/") + live), "live");
    writeBytes(dir_->file(QStringLiteral("os/") + otherHost), "elsewhere");

    const Result r = runDruk(args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(QDir(dir_->file(QStringLiteral("os"))).entryList(QDir::Files).size(), 400);
    QStringList kept = temporaryNames(dir_->file(QStringLiteral("os")));
    kept.sort();
    QStringList expected{live, otherHost};
    expected.sort();
    QCOMPARE(kept, expected);
    // cleanup() checks the temporary folder.
}

void TestDrukSafety::leftoverNamesTellDeadRunsOfThisHost_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("dead");
    const QString ours = hostAndBoot();
    const QString otherBoot = ours.section(QLatin1Char('-'), 0, -7)
                              + QStringLiteral("-00000000-1111-2222-3333-444444444444-");
    const QString gone = QString::number(finishedProcessId());
    QTest::newRow("this host, process gone") << ours + gone + QStringLiteral("-Ab3dE9") << true;
    QTest::newRow("hidden, process gone") << QStringLiteral(".") + ours + gone + QStringLiteral("-Ab3dE9") << true;
    QTest::newRow("this host, process runs") << ours + QStringLiteral("1-Ab3dE9") << false;
    QTest::newRow("this process") << batch::temporaryPrefix() + QStringLiteral("Ab3dE9") << false;
    QTest::newRow("earlier boot") << otherBoot + QStringLiteral("1-Ab3dE9") << true;
    QTest::newRow("another host") << QStringLiteral("dyplom-druk-x") + ours.mid(11) + gone + QStringLiteral("-Ab3dE9")
                                  << false;
    QTest::newRow("a host named like ours and more")
        << ours.left(ours.size() - 37) + QStringLiteral("-2-") + ours.right(37) + gone + QStringLiteral("-Ab3dE9")
        << false;
    QTest::newRow("no random part") << ours + gone << false;
    QTest::newRow("older name") << QStringLiteral(".dyplom-druk-Ab3dE9") << false;
}

void TestDrukSafety::leftoverNamesTellDeadRunsOfThisHost()
{
    QFETCH(QString, name);
    QFETCH(bool, dead);
    QCOMPARE(batch::isDeadRunsLeftover(name), dead);
}

void TestDrukSafety::standardOutput()
{
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nJan\nŻaneta Źdźbło\n");
    const QStringList args{QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                           QStringLiteral("-o"),    QStringLiteral("-"),       QStringLiteral("--katalog"),
                           QStringLiteral("k.pdf")};
    Result r = runInShell(QStringLiteral("\"$0\" \"$@\" | pdfinfo -"), args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))
                 && r.out.contains(QStringLiteral("Title:           Dyplom\n"))
                 && r.out.contains(QStringLiteral("595.276 x 841.89 pts (A4)")),
             qPrintable(r.out));
    QVERIFY2(r.err.contains(QStringLiteral("dyplom-druk: katalog 1 wzorów: k.pdf")), qPrintable(r.err)); // not into the PDF

    // Into a file by the shell: the PDF alone, whole, and no file named "-".
    r = runInShell(QStringLiteral("\"$0\" \"$@\" > przekierowany.pdf"), args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    int check = -1;
    runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), dir_->file(QStringLiteral("przekierowany.pdf"))}, &check);
    QCOMPARE(check, 0);
    QVERIFY(!QFile::exists(dir_->file(QStringLiteral("-"))));
    QCOMPARE(temporaryNames(dir_->path()), QStringList());

    // A reader that stops early fails the run, which cleans up after itself.
    writeBytes(dir_->file(QStringLiteral("n.txt")), names(300));
    r = runInShell(QStringLiteral("\"$0\" \"$@\" | head -c 100 >/dev/null; exit ${PIPESTATUS[0]}"),
                   {QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"), QStringLiteral("-o"),
                    QStringLiteral("-")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("dyplom-druk: -: ")) && r.err.count(QLatin1Char('\n')) == 1,
             qPrintable(r.err));

    // Any other device is no place for a PDF, /dev/null included.
    r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("-o"), QStringLiteral("/dev/null")});
    QCOMPARE(r.status, 1);
    QCOMPARE(typeOf(QStringLiteral("/dev/null")), mode_t(S_IFCHR));
}

void TestDrukSafety::pdfDetails()
{
    // One page more than is assembled at a time: the pages of both parts
    // in order, their fonts named as subsets, A4 to the fraction.
    const int count = batch::CompactPdfWriter::ChunkPages + 1;
    writeBytes(dir_->file(QStringLiteral("n.txt")), names(count, QStringLiteral("Żaneta %1 Źdźbło")));
    Result r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                        QStringLiteral("-o"), QStringLiteral("klasa.pdf")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString pdf = dir_->file(QStringLiteral("klasa.pdf"));
    const QString info = pdfinfo(pdf);
    QVERIFY2(info.contains(QStringLiteral("Title:           Dyplom\n"))
                 && info.contains(QStringLiteral("Pages:           %1\n").arg(count))
                 && info.contains(QStringLiteral("Page size:       595.276 x 841.89 pts (A4)")),
             qPrintable(info));
    int check = -1;
    const QString checked = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &check, 120000);
    QVERIFY2(check == 0, qPrintable(checked));
    for (const int page : {1, count - 1, count}) {
        const QString text = runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                      QString::number(page), pdf, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("Żaneta %1 Źdźbło").arg(page)), qPrintable(text));
    }
    const QStringList fonts =
        runTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+\\S+ .* yes\\s+yes\\s+yes\\s+\\d+\\s+0$"))),
                 qPrintable(font));

    // A pupil's own file carries the pupil's name.
    writeBytes(dir_->file(QStringLiteral("n.txt")), "Anna\nŻaneta Źdźbło\n");
    r = runDruk({QStringLiteral("d.dyp"), QStringLiteral("--lista"), QStringLiteral("n.txt"),
                 QStringLiteral("--osobno"), QStringLiteral("os")});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY(pdfinfo(dir_->file(QStringLiteral("os/Żaneta Źdźbło.pdf")))
                .contains(QStringLiteral("Title:           Żaneta Źdźbło\n")));
}

QTEST_MAIN(TestDrukSafety)
#include "tst_druksafety.moc"
