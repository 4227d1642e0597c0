// dyplom-wzory: numbering, refusing to overwrite, leaving Wzory untouched
// on failure, the listing, the preview and the exit codes.
#include "TempProgramDir.h"
#include "WmfTestUtil.h"
#include "WzoryTestUtil.h"

#include "editor/TemplateCatalogue.h"
#include "wmf/Metafile.h"
#include "wzory/Import.h"
#include "wzory/ImportError.h"
#include "wzory/Run.h"
#include "wzory/Store.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <sys/stat.h>
#include <vector>
#include <QtTest>

using namespace wzorytest;

namespace {

const QByteArray kSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 140">
  <rect x="5" y="5" width="90" height="130" fill="none" stroke="#1f3a68" stroke-width="3"/>
  <circle cx="50" cy="20" r="8" fill="#c9a227"/></svg>)";

struct Outcome {
    int code = -1;
    QString out, err;
};

Outcome wzoryRun(const QStringList &args)
{
    Outcome o;
    QTextStream out(&o.out), err(&o.err);
    o.code = wzory::run(args, out, err);
    out.flush();
    err.flush();
    return o;
}

QByteArray someTemplate(QColor c)
{
    // Any valid metafile will do as an existing template.
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("t.svg"));
    writeBytes(svg, QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><rect width=\"10\" "
                                   "height=\"10\" fill=\"%1\"/></svg>")
                        .arg(c.name())
                        .toUtf8());
    return wzory::importDesign(svg).metafile;
}

} // namespace

class TestWzoryTool : public QObject {
    Q_OBJECT
private slots:
    void numberingFillsTheNextFreeNumberAndNeverOverwrites()
    {
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), someTemplate(Qt::red));
        writeBytes(wzory + QStringLiteral("/bdr_0002.WMF"), someTemplate(Qt::green)); // letter case ignored
        writeBytes(wzory + QStringLiteral("/BDR_0004.wmf"), someTemplate(Qt::blue));
        writeBytes(dir.path() + QStringLiteral("/herb.svg"), kSvg);
        QCOMPARE(wzory::nextFreeNumber(wzory), 3);

        Outcome o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("herb.svg")});
        QCOMPARE(o.code, 0);
        QVERIFY2(o.out.contains(QStringLiteral("BDR_0003.wmf")), qPrintable(o.out));
        const QByteArray third = readBytes(wzory + QStringLiteral("/BDR_0003.wmf"));
        QVERIFY(!wmf::Metafile::fromBytes(third).isEmpty());

        o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--wypelnij")});
        QCOMPARE(o.code, 0);
        QVERIFY(QFile::exists(wzory + QStringLiteral("/BDR_0005.wmf")));
        QVERIFY(readBytes(wzory + QStringLiteral("/BDR_0005.wmf")) != third);

        // A taken number is refused, whatever its letter case, and kept.
        const auto before = snapshot(wzory);
        o = wzoryRun(
            {QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--numer"), QStringLiteral("2")});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("--nadpisz")), qPrintable(o.err));
        QCOMPARE(snapshot(wzory), before);

        o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--numer=2"),
                      QStringLiteral("--nadpisz")});
        QCOMPARE(o.code, 0);
        QCOMPARE(readBytes(wzory + QStringLiteral("/bdr_0002.WMF")), third);
        QVERIFY(!QFile::exists(wzory + QStringLiteral("/BDR_0002.wmf")));
        QCOMPARE(QDir(wzory).entryList(QDir::Files | QDir::Hidden).size(), 5); // no temporary file left
    }

    void storingRefusesANameTakenMeanwhile()
    {
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0007.wmf"), "old");
        QVERIFY_THROWS_EXCEPTION(wzory::ImportError, wzory::storeTemplate(wzory, 7, "new", false));
        QCOMPARE(readBytes(wzory + QStringLiteral("/BDR_0007.wmf")), QByteArray("old"));
        QCOMPARE(QDir(wzory).entryList(QDir::Files | QDir::Hidden).size(), 1);
        // A missing Wzory folder is created; the template is as readable as
        // any new file (not private like a temporary file).
        QDir(wzory).removeRecursively();
        const mode_t mask = ::umask(022);
        QCOMPARE(wzory::storeTemplate(wzory, 1, "first", false), wzory + QStringLiteral("/BDR_0001.wmf"));
        ::umask(mask);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(wzory + QStringLiteral("/BDR_0001.wmf")).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0644);
    }

    void hostileInputLeavesWzoryByteForByteUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("extra");
        QByteArray huge = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">";
        huge += QByteArray(17 * 1024 * 1024, ' ') + "</svg>";
        QTest::newRow("huge svg") << "duzy.svg" << huge << QStringList();
        QTest::newRow("billion-pixel png") << "miliard.png" << pngHeaderOnly(31623, 31623) << QStringList();
        QTest::newRow("broken pdf") << "zepsuty.pdf" << QByteArray("%PDF-1.4\n%\xe2\xe3\n1 0 obj\n<<") << QStringList();
        QTest::newRow("missing page") << "herb.svg" << kSvg
                                      << QStringList{QStringLiteral("--strona"), QStringLiteral("2")};
        QTest::newRow("missing file") << "" << QByteArray() << QStringList();
    }

    void hostileInputLeavesWzoryByteForByteUnchanged()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, extra);
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), someTemplate(Qt::red));
        const auto before = snapshot(wzory);
        const QString file = name.isEmpty() ? QStringLiteral("nie-ma.svg") : name;
        if (!name.isEmpty())
            writeBytes(dir.path() + QLatin1Char('/') + name, bytes);
        const Outcome o = wzoryRun(QStringList{QStringLiteral("dodaj"), file} + extra);
        QVERIFY2(o.code == 1 || o.code == 2, qPrintable(o.err));
        QVERIFY2(o.err.contains(file) || o.code == 2, qPrintable(o.err));
        QCOMPARE(o.err.count(QLatin1Char('\n')) >= 1, true);
        QCOMPARE(snapshot(wzory), before);
    }

    void listShowsNumberSizeAndContent()
    {
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        const QByteArray one = someTemplate(Qt::red);
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), one);
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(dir.path() + QStringLiteral("/logo.png")));
        QCOMPARE(wzoryRun({QStringLiteral("dodaj"), QStringLiteral("logo.png"), QStringLiteral("--numer"),
                           QStringLiteral("12")})
                     .code,
                 0);
        writeBytes(wzory + QStringLiteral("/BDR_0003.wmf"), "zepsuty");
        const Outcome o = wzoryRun({QStringLiteral("lista")});
        QCOMPARE(o.code, 0);
        const QStringList lines = o.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[1].startsWith(QStringLiteral("0001")) && lines[1].contains(QString::number(one.size())));
        QVERIFY2(lines[1].contains(QStringLiteral("wektor")), qPrintable(lines[1]));
        QVERIFY(lines[2].startsWith(QStringLiteral("0003")) && lines[2].contains(QStringLiteral("uszkodzony")));
        QVERIFY2(lines[3].startsWith(QStringLiteral("0012")) && lines[3].contains(QStringLiteral("bitmapa 40 × 30")),
                 qPrintable(lines[3]));
    }

    void previewDrawsOneTemplate()
    {
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0002.wmf"), someTemplate(QColor(0, 128, 0)));
        Outcome o = wzoryRun({QStringLiteral("podglad"), QStringLiteral("2"), QStringLiteral("p.png"),
                              QStringLiteral("--szerokosc"), QStringLiteral("210")});
        QCOMPARE(o.code, 0);
        const QImage img(dir.path() + QStringLiteral("/p.png"));
        QCOMPARE(img.size(), QSize(210, 297));
        QCOMPARE(img.pixel(105, 148), qRgb(0, 128, 0));
        o = wzoryRun({QStringLiteral("podglad"), QStringLiteral("5"), QStringLiteral("q.png")});
        QCOMPARE(o.code, 1);
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/q.png")));
    }

    void badUsageIsExitStatusTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{QStringLiteral("kasuj"), QStringLiteral("1")};
        QTest::newRow("remove without a number") << QStringList{QStringLiteral("usun")};
        QTest::newRow("remove with a fit")
            << QStringList{QStringLiteral("usun"), QStringLiteral("3"), QStringLiteral("--obroc")};
        QTest::newRow("no file") << QStringList{QStringLiteral("dodaj")};
        QTest::newRow("both fits") << QStringList{QStringLiteral("dodaj"), QStringLiteral("a.svg"),
                                                  QStringLiteral("--dopasuj"), QStringLiteral("--wypelnij")};
        QTest::newRow("number 0") << QStringList{QStringLiteral("dodaj"), QStringLiteral("a.svg"),
                                                 QStringLiteral("--numer"), QStringLiteral("0")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("lista"), QStringLiteral("--cos")};
        QTest::newRow("list with a number")
            << QStringList{QStringLiteral("lista"), QStringLiteral("--numer"), QStringLiteral("3")};
        QTest::newRow("preview without png") << QStringList{QStringLiteral("podglad"), QStringLiteral("3")};
    }

    void badUsageIsExitStatusTwo()
    {
        QFETCH(QStringList, args);
        const Outcome o = wzoryRun(args);
        QCOMPARE(o.code, 2);
        QVERIFY(o.err.startsWith(QStringLiteral("dyplom-wzory: ")));
    }

    void removingTakesOnlyTheLastOwnDesign()
    {
        // 1 is the program's own, 2 and 3 are the school's.
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        const QString shippedOne = qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/data/Wzory/BDR_0001.wmf");
        QVERIFY(QFile::exists(shippedOne));
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), readBytes(shippedOne));
        writeBytes(wzory + QStringLiteral("/BDR_0002.wmf"), someTemplate(Qt::red));
        writeBytes(wzory + QStringLiteral("/BDR_0003.wmf"), someTemplate(Qt::blue));
        const auto run = [&](const QStringList &args) {
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory"), args);
            p.waitForFinished(30000);
            return Outcome{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                           QString::fromUtf8(p.readAllStandardError())};
        };
        const auto before = snapshot(wzory);
        Outcome o = run({QStringLiteral("usun"), QStringLiteral("2")});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("ostatni ma nr 3"))
                     && o.err.contains(QStringLiteral("dodaj PLIK --numer 2 --nadpisz")),
                 qPrintable(o.err));
        o = run({QStringLiteral("usun"), QStringLiteral("7")});
        QCOMPARE(o.code, 1);
        QCOMPARE(snapshot(wzory), before);

        o = run({QStringLiteral("usun"), QStringLiteral("3")});
        QCOMPARE(o.code, 0);
        QVERIFY(!QFile::exists(wzory + QStringLiteral("/BDR_0003.wmf")));
        QCOMPARE(run({QStringLiteral("usun"), QStringLiteral("2")}).code, 0);
        // The shipped one stays, even as the last.
        o = run({QStringLiteral("usun"), QStringLiteral("1")});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("dostarczony z programem")), qPrintable(o.err));
        QVERIFY(QFile::exists(wzory + QStringLiteral("/BDR_0001.wmf")));
        // One of our own under a shipped number is ours to remove.
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), someTemplate(Qt::green));
        QCOMPARE(run({QStringLiteral("usun"), QStringLiteral("1")}).code, 0);
    }

    void landscapeDesignsAreFittedWithAWarningOrTurned()
    {
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        // 297 x 210: a landscape certificate with a red left edge.
        writeBytes(dir.path() + QStringLiteral("/poziomy.svg"),
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 297 210\"><rect width=\"297\" height=\"210\" "
                   "fill=\"#1f3a68\"/><rect width=\"20\" height=\"210\" fill=\"#c00000\"/></svg>");
        Outcome o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("poziomy.svg")});
        QCOMPARE(o.code, 0);
        // Fitted: 210 wide, 148.5 high on 297: half the sheet.
        QVERIFY2(o.err.contains(QStringLiteral("poziomy i zajmuje 50 % arkusza"))
                     && o.err.contains(QStringLiteral("--obroc")),
                 qPrintable(o.err));
        o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("poziomy.svg"), QStringLiteral("--wypelnij")});
        QVERIFY2(o.err.contains(QStringLiteral("widać 50 %")), qPrintable(o.err));
        o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("poziomy.svg"), QStringLiteral("--obroc"),
                      QStringLiteral("--numer"), QStringLiteral("9")});
        QCOMPARE(o.code, 0);
        QCOMPARE(o.err, QString());
        // Turned a quarter clockwise: the left edge is now at the top, and the
        // design fills the whole sheet.
        const QImage page = wmftest::render(wmf::Metafile::fromBytes(readBytes(wzory + QStringLiteral("/BDR_0009.wmf"))),
                                            210, 297);
        QCOMPARE(page.pixel(105, 5), qRgb(0xc0, 0, 0));
        QCOMPARE(page.pixel(105, 290), qRgb(0x1f, 0x3a, 0x68));
        QCOMPARE(page.pixel(2, 150), qRgb(0x1f, 0x3a, 0x68));
        // --scisle: a warning is an error, and nothing is stored.
        const auto before = snapshot(wzory);
        o = wzoryRun({QStringLiteral("dodaj"), QStringLiteral("poziomy.svg"), QStringLiteral("--scisle")});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("(--scisle)")), qPrintable(o.err));
        QCOMPARE(snapshot(wzory), before);
    }

    void withoutWzoryHereTheEditorsOwnCatalogueIsUsed()
    {
        // Run from a home folder: the per-user ProgramDir the editor uses,
        // made from the shipped templates; the home folder gets no Wzory.
        QTemporaryDir home;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path());
        p.start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory"), {QStringLiteral("lista")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("\n0001 ")));
        QVERIFY(QFile::exists(home.filePath(QStringLiteral(".local/share/dyplom/Wzory/BDR_0001.wmf"))));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("Wzory"))));
    }

    // A design for the whole school goes to the school's folder at a number
    // no package ever shipped, reaches a teacher's catalogue marked as the
    // school's; the shipped folder itself refuses designs.
    void schoolDesignsForEveryone()
    {
        QTemporaryDir home, school;
        writeBytes(home.filePath(QStringLiteral("herb.svg")), kSvg);
        const QString exe = qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("DYPLOM_SZKOLA"), school.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        const auto tool = [&](const QString &dir, const QStringList &args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(dir);
            p.start(exe, args);
            p.waitForFinished(60000);
            return Outcome{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                           QString::fromUtf8(p.readAllStandardError())};
        };
        const int shipped = QDir(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"))
                                .entryList({QStringLiteral("BDR_*.wmf")}, QDir::Files)
                                .size();
        const QString first = editor::templateNumberText(shipped + 1);

        Outcome o = tool(home.path(),
                         {QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--dla-wszystkich")});
        QVERIFY2(o.code == 0, qPrintable(o.err));
        QVERIFY(QFile::exists(school.filePath(QStringLiteral("Wzory/BDR_") + first + QStringLiteral(".wmf"))));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral(".local/share/dyplom/Wzory/BDR_") + first
                                                 + QStringLiteral(".wmf")))); // not yet run as this user
        o = tool(home.path(), {QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--dla-wszystkich"),
                               QStringLiteral("--numer"), QStringLiteral("3")});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("numer 3 ma wzór dołączony")), qPrintable(o.err));

        // An own design first, then the list says where each one comes from.
        QVERIFY(tool(home.path(), {QStringLiteral("dodaj"), QStringLiteral("herb.svg"), QStringLiteral("--wypelnij")}).code
                == 0);
        o = tool(home.path(), {QStringLiteral("lista")});
        QCOMPARE(o.code, 0);
        const QStringList lines = o.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == shipped + 4, qPrintable(o.out.right(400)));
        QVERIFY2(lines[1].startsWith(QStringLiteral("0001")) && lines[1].contains(QStringLiteral("dołączony")),
                 qPrintable(lines[1]));
        QVERIFY2(lines[shipped + 1].startsWith(first) && lines[shipped + 1].contains(QStringLiteral("szkoła")),
                 qPrintable(lines[shipped + 1]));
        QVERIFY2(lines[shipped + 2].contains(QStringLiteral("własny")), qPrintable(lines[shipped + 2]));

        // Inside the shipped folder: pointed to --dla-wszystkich, nothing written.
        const QString data =
            QFileInfo(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/data")).canonicalFilePath();
        const auto before = snapshot(data + QStringLiteral("/Wzory"));
        o = tool(data, {QStringLiteral("dodaj"), home.filePath(QStringLiteral("herb.svg"))});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains(QStringLiteral("sudo dyplom-wzory dodaj --dla-wszystkich")), qPrintable(o.err));
        QCOMPARE(snapshot(data + QStringLiteral("/Wzory")), before);
        QCOMPARE(tool(home.path(), {QStringLiteral("lista"), QStringLiteral("--dla-wszystkich")}).code, 2);
    }

    // Programs started together on a fresh folder: one brings it up to date,
    // the others wait, and no template arrives twice.
    void programsStartedTogetherDoNotRace()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("DYPLOM_SZKOLA"), home.filePath(QStringLiteral("brak")));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int i = 0; i < 4; ++i) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->setProcessEnvironment(env);
            runs.back()->setWorkingDirectory(home.path());
            runs.back()->start(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory"),
                               {QStringLiteral("lista")});
        }
        for (auto &p : runs) {
            p->waitForFinished(60000);
            QCOMPARE(p->state(), QProcess::NotRunning);
            QCOMPARE(p->exitCode(), 0);
            QCOMPARE(QString::fromUtf8(p->readAllStandardError()), QString()); // no write lost to another
        }
        const QStringList shipped = QDir(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory"))
                                        .entryList({QStringLiteral("BDR_*.wmf")}, QDir::Files);
        QCOMPARE(QDir(home.filePath(QStringLiteral(".local/share/dyplom/Wzory"))).entryList(QDir::Files), shipped);
    }

    void theProgramHelpsInPolishAndEnglish()
    {
        TempProgramDir dir;
        QProcess p;
        const QString exe = qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory");
        p.start(exe, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(help.contains(QStringLiteral("Użycie: dyplom-wzory dodaj"))
                && help.contains(QStringLiteral("Usage: dyplom-wzory")));
        p.start(exe, {QStringLiteral("lista")}); // an empty Wzory
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        p.start(exe, {QStringLiteral("dodaj")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);

        // Only the tool's own lines: no toolkit warning about the environment.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        p.setProcessEnvironment(env);
        p.start(exe, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()), QString());
    }
};

QTEST_MAIN(TestWzoryTool)
#include "tst_wzory_tool.moc"
