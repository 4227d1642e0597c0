// The update check end to end: the real download of the Qt seam against an
// HTTP server on the loopback interface, started here.
#include "admin/AdminState.h"
#include "admin/Tnarzedzia_f.h"
#include "admin/UpdateCheck.h"
#include "admin/VersionRecord.h"
#include "companions/MakerContact.h"
#include "platform/IoError.h"
#include "platform/QtPlatform.h"

#include "FileBytes.h"
#include "ScriptedPlatform.h"
#include "TempProgramDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <unistd.h>

using namespace narzedzia_admini;

namespace {

// Serves files below its root; a path under /silent/ is accepted and never
// answered, a missing file is a 404. Every request path goes to the log.
const char *ServerScript = R"PY(
import http.server, os, sys, time
root, log = sys.argv[1], sys.argv[2]
class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def do_GET(self):
        with open(log, 'a') as f:
            f.write(self.path + '\n')
        if self.path.startswith('/silent/'):
            time.sleep(120)
            return
        path = os.path.join(root, self.path.lstrip('/'))
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, 'rb') as f:
            data = f.read()
        self.send_response(200)
        self.send_header('Content-Type', 'text/plain')
        self.send_header('Content-Length', str(len(data)))
        self.end_headers()
        self.wfile.write(data)
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";

void writeWithFolders(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    writeBytes(path, bytes);
}

const QString Upd = QStringLiteral("Posiadasz aktualną wersje programu.");
const QString NoInfo = QStringLiteral("Brak informacji o nowych wersjach tego programu.");

QString paid(const QString &description)
{
    return QStringLiteral("Na stronie www.dyplomy.example znajduję się nowa, płatna aktualizacja programu.") + QChar(13)
           + QStringLiteral("Pobierz aktualną wersje programu ") + description;
}

QString freeOf(const QString &description)
{
    return QStringLiteral("Na stronie www.dyplomy.example znajduję się nowa, darmowa aktualizacja programu.")
           + QChar(13) + QStringLiteral("Pobierz aktualną wersje programu ") + description;
}

// The check with the real download of `address`: what it showed and whether
// a local copy appeared.
struct RealRun {
    QStringList informs;
    bool localCopyWritten = false;
};
RealRun checkAgainst(const QString &address, int timeoutMs = 15000)
{
    TempProgramDir dir;
    createVersionFileIfMissing(dir.path());
    ScriptedPlatform seam;
    platform::QtPlatform real;
    real.setDownloadTimeout(timeoutMs);
    seam.downloader = [&](const QString &, const QString &localPath) { return real.download(address, localPath); };
    Tnarzedzia_f window;
    window.SpeedButton3Click();
    return RealRun{seam.texts(QStringLiteral("inform")), QFile::exists(dir.file("Admini/20.txt"))};
}

// Run in a network namespace of its own, which has no interface up and no
// route: the maker's real address and a literal one, as a machine without
// any network sees them.
const char *NoNetworkSwitch = "--no-network-case";
int runWithoutNetwork()
{
    QTextStream out(stdout);
    for (const QString &address : {maker::VersionInfoAddress, QStringLiteral("http://192.0.2.1/aktualizacje/20.txt")}) {
        const RealRun run = checkAgainst(address, 5000);
        out << address << " informs=" << run.informs.size() << " file=" << run.localCopyWritten << "\n";
    }
    return 0;
}

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

    QTemporaryDir serverRoot_;
    QProcess server_;
    int port_ = 0;
    int case_ = 0;

    QString logPath() const { return serverRoot_.filePath(QStringLiteral("requests.log")); }
    QStringList requests() const
    {
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The loopback address standing for the maker's file in one case.
    QString loopback(const QString &prefix, const QString &address) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2%3").arg(port_).arg(prefix, QUrl(address).path());
    }

    struct Run {
        QStringList informs;
        QStringList requested;
        QString localCopy;
    };

    // Publishes `content` (or nothing, for a 404), runs the check from the
    // administrator window and reports what it showed and what was asked.
    Run check(const std::optional<QByteArray> &content, const QString &prefixOverride = {}, std::uint32_t flags = 2,
              int timeoutMs = 5000)
    {
        const QString prefix = prefixOverride.isEmpty() ? QStringLiteral("case%1").arg(++case_) : prefixOverride;
        if (content)
            writeWithFolders(serverRoot_.filePath(prefix + QUrl(maker::VersionInfoAddress).path()), *content);
        const int before = requests().size();

        ScriptedPlatform seam;
        seam.flags = flags;
        platform::QtPlatform real;
        real.setDownloadTimeout(timeoutMs);
        seam.downloader = [&](const QString &address, const QString &localPath) {
            return real.download(loopback(prefix, address), localPath);
        };
        Tnarzedzia_f window;
        window.SpeedButton3Click();

        Run run;
        run.informs = seam.texts(QStringLiteral("inform"));
        for (const ScriptedPlatform::Message &m : seam.messages)
            if (m.kind == QLatin1String("inform"))
                [&] { QCOMPARE(m.caption, QStringLiteral("Informacja")); }();
        run.requested = requests().mid(before);
        run.localCopy = QDir::currentPath() + QStringLiteral("/Admini/20.txt");
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(serverRoot_.isValid());
        const QString script = serverRoot_.filePath(QStringLiteral("server.py"));
        writeWithFolders(script, ServerScript);
        server_.setProgram(QStringLiteral("python3"));
        server_.setArguments({script, serverRoot_.path(), logPath()});
        server_.start();
        if (!server_.waitForStarted(5000))
            QSKIP("python3 is not available");
        QVERIFY(server_.waitForReadyRead(10000));
        port_ = server_.readLine().trimmed().toInt();
        QVERIFY(port_ > 0);
    }

    void cleanupTestCase()
    {
        server_.kill();
        server_.waitForFinished(5000);
    }

    void theAddressIsOursAndEndsIn20txt()
    {
        QVERIFY(maker::VersionInfoAddress.endsWith(QStringLiteral("20.txt")));
        QVERIFY(QUrl(maker::VersionInfoAddress).host().endsWith(QStringLiteral(".example")));
    }

    void outcomes_data()
    {
        QTest::addColumn<QByteArray>("published");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("k, equal codes") << QByteArray("20306\r\nk\r\nWersja 3.06\r\n") << QStringList{Upd};
        QTest::newRow("d, equal codes") << QByteArray("20306\nd\n2.4\n") << QStringList{freeOf("2.4")};
        QTest::newRow("different code") << QByteArray("20307\nk\nWersja 3.07\n") << QStringList{paid("Wersja 3.07")};
        QTest::newRow("different code, d") << QByteArray("20400\rd\r4.0") << QStringList{paid("4.0")};
        QTest::newRow("capital K") << QByteArray("20306\nK\nopis\n") << QStringList{};
        QTest::newRow("k and a blank") << QByteArray("20306\nk \nopis\n") << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QStringList{paid("")};
        QTest::newRow("trailing blank in the code") << QByteArray("20306 \nk\nopis") << QStringList{paid("opis")};
        QTest::newRow("Windows-1250 description") << QByteArray("20307\nd\nNowo\x9c\xe6: wydruk \xb3\xb9"
                                                                "cznie\n")
                                                  << QStringList{paid(QStringLiteral("Nowość: wydruk łącznie"))};
    }
    void outcomes()
    {
        QFETCH(QByteArray, published);
        QFETCH(QStringList, shown);
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        const Run run = check(published);
        QCOMPARE(run.informs, shown);
        QCOMPARE(run.requested.size(), 1);
        QVERIFY(run.requested.first().endsWith(QStringLiteral("/20.txt")));
        QCOMPARE(readBytesOrMissing(run.localCopy), published); // left in place
    }

    void aSuccessfulDownloadReplacesTheLocalCopy()
    {
        TempProgramDir dir{QStringList{QStringLiteral("ADMINI")}};
        createVersionFileIfMissing(dir.path());
        writeWithFolders(dir.file("ADMINI/20.TXT"), "old copy from an earlier check, longer than the new one\n");
        check(QByteArray("20306\nk\n"));
        QCOMPARE(readBytesOrMissing(dir.file("ADMINI/20.TXT")), QByteArray("20306\nk\n"));
        QCOMPARE(QDir(dir.file("ADMINI")).entryList(QDir::Files), (QStringList{"20.TXT", "wer.dat"}));
    }

    void notFoundKeepsTheOldCopy()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        writeWithFolders(dir.file("Admini/20.txt"), "20306\nk\nold\n");
        const Run run = check(std::nullopt);
        QCOMPARE(run.informs, QStringList{NoInfo});
        QCOMPARE(run.requested.size(), 1);
        QCOMPARE(readBytesOrMissing(dir.file("Admini/20.txt")), QByteArray("20306\nk\nold\n"));
    }

    void aServerThatNeverAnswersGivesUpInBoundedTime()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        writeWithFolders(dir.file("Admini/20.txt"), "20306\nk\nold\n");
        QElapsedTimer clock;
        clock.start();
        const Run run = check(std::nullopt, QStringLiteral("silent"), 2, 1500);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 1400 && elapsed < 6000, qPrintable(QString::number(elapsed)));
        QCOMPARE(run.informs, QStringList{NoInfo});
        QCOMPARE(run.requested.size(), 1);
        QCOMPARE(readBytesOrMissing(dir.file("Admini/20.txt")), QByteArray("20306\nk\nold\n"));
    }

    void nothingListeningGivesTheSameMessage()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        ScriptedPlatform seam;
        platform::QtPlatform real;
        real.setDownloadTimeout(3000);
        seam.downloader = [&](const QString &, const QString &localPath) {
            return real.download(QStringLiteral("http://127.0.0.1:1/aktualizacje/20.txt"), localPath);
        };
        Tnarzedzia_f window;
        window.SpeedButton3Click();
        QCOMPARE(seam.texts(QStringLiteral("inform")), QStringList{NoInfo});
        QVERIFY(!QFile::exists(dir.file("Admini/20.txt")));
    }

    // An unknown server name or no route is the offline case: no message, no
    // file; a server that is there but refuses keeps the message (above).
    void unreachableServerCountsAsOffline_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("name that never resolves") << QStringLiteral("http://nieistnieje.invalid/aktualizacje/20.txt");
        QTest::newRow("network unreachable") << QStringLiteral("http://255.255.255.255/aktualizacje/20.txt");
    }
    void unreachableServerCountsAsOffline()
    {
        QFETCH(QString, address);
        QElapsedTimer clock;
        clock.start();
        const RealRun run = checkAgainst(address);
        QVERIFY(run.informs.isEmpty());
        QVERIFY(!run.localCopyWritten);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    }

    void noNetworkAtAllIsSilent()
    {
        QProcess child;
        QStringList arguments{QStringLiteral("-n"), QCoreApplication::applicationFilePath(),
                              QString::fromLatin1(NoNetworkSwitch)};
        if (::geteuid() != 0)
            arguments.prepend(QStringLiteral("-r"));
        child.start(QStringLiteral("unshare"), arguments);
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        if (child.exitCode() != 0 && output.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no network namespace here: ")
                             + QString::fromUtf8(child.readAllStandardError())));
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines)
            QVERIFY2(line.endsWith(QStringLiteral(" informs=0 file=0")), qPrintable(line));
    }

    void offlineMakesNoRequest()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        const Run run = check(QByteArray("20307\nk\n"), {}, 0);
        QVERIFY(run.informs.isEmpty());
        QVERIFY(run.requested.isEmpty());
        QVERIFY(!QFile::exists(run.localCopy));
        // Bits other than LAN and modem do not count as connected.
        const Run other = check(QByteArray("20307\nk\n"), {}, 0x10 | 0x20);
        QVERIFY(other.requested.isEmpty());
    }

    void theModemBitAloneIsEnough()
    {
        TempProgramDir dir;
        createVersionFileIfMissing(dir.path());
        const Run run = check(QByteArray("20306\nk\n"), {}, 1);
        QCOMPARE(run.informs, QStringList{Upd});
    }

    void anInstalledFileFromAnEarlierBuildIsCompared()
    {
        TempProgramDir dir;
        writeWithFolders(dir.file("Admini/wer.dat"), QByteArray("\x05"
                                                                "20105\0\0\0\0\0",
                                                                11));
        createVersionFileIfMissing(dir.path());
        const Run run = check(QByteArray("20306\nk\nWersja 3.06"));
        QCOMPARE(run.informs, QStringList{paid("Wersja 3.06")});
    }

    void missingInstalledFileStopsWithAnError()
    {
        TempProgramDir dir;
        const QString prefix = QStringLiteral("noinstalled");
        writeWithFolders(serverRoot_.filePath(prefix + QUrl(maker::VersionInfoAddress).path()), "20306\nk\n");
        ScriptedPlatform seam;
        platform::QtPlatform real;
        seam.downloader = [&](const QString &address, const QString &localPath) {
            return real.download(loopback(prefix, address), localPath);
        };
        Tnarzedzia_f window;
        QVERIFY_THROWS_EXCEPTION(platform::IoError, window.SpeedButton3Click());
        QVERIFY(seam.texts(QStringLiteral("inform")).isEmpty());
    }

    void pathsComeFromTheDirectoryOfTheLastOpening()
    {
        TempProgramDir first;
        createVersionFileIfMissing(first.path());
        const QString prefix = QStringLiteral("opening");
        writeWithFolders(serverRoot_.filePath(prefix + QUrl(maker::VersionInfoAddress).path()), "20306\nk\n");
        ScriptedPlatform seam;
        platform::QtPlatform real;
        seam.downloader = [&](const QString &address, const QString &localPath) {
            return real.download(loopback(prefix, address), localPath);
        };
        Tnarzedzia_f window;   // reads the first directory
        TempProgramDir second; // current now, but the window was not reopened
        window.SpeedButton3Click();
        QCOMPARE(seam.texts(QStringLiteral("inform")), QStringList{Upd});
        QVERIFY(QFile::exists(first.file("Admini/20.txt")));
        QVERIFY(!QFile::exists(second.file("Admini/20.txt")));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], NoNetworkSwitch) == 0)
        return runWithoutNetwork();
    TestUpdateCheck test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_update_check.moc"
