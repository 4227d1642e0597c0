// Hostile designs and linked images through the real program: every bomb is
// refused within bounded time and memory (the peak resident size of the
// program and its conversion child is measured), with one line naming the
// file, and Wzory stays byte for byte; linked images come only from the
// design's own folder.
#include "TempProgramDir.h"
#include "WzoryTestUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace wzorytest;

namespace {

struct Measured {
    int code = -1;
    QString out, err;
    qint64 peakKb = 0; // the program's and its children's largest resident size
    qint64 ms = 0;
};

// Runs dyplom-wzory in dir, measuring what wait4 reports for it.
Measured runProgram(const QString &dir, const QStringList &args, const QList<QByteArray> &env = {})
{
    const QByteArray exe = QFile::encodeName(qEnvironmentVariable("DYPLOM_BINARY_DIR") + QStringLiteral("/dyplom-wzory"));
    const QByteArray outPath = QFile::encodeName(dir + QStringLiteral("/.out")),
                     errPath = QFile::encodeName(dir + QStringLiteral("/.err"));
    std::vector<QByteArray> argv8{exe};
    for (const QString &a : args)
        argv8.push_back(a.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &a : argv8)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray cwd = QFile::encodeName(dir);
    QElapsedTimer t;
    t.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(cwd.constData()) != 0)
            ::_exit(126);
        const int o = ::open(outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const QByteArray &e : env)
            ::putenv(const_cast<char *>(e.constData()));
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Measured m;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    m.ms = t.elapsed();
    m.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    m.peakKb = usage.ru_maxrss;
    m.out = QString::fromUtf8(readBytes(QString::fromLocal8Bit(outPath)));
    m.err = QString::fromUtf8(readBytes(QString::fromLocal8Bit(errPath)));
    QFile::remove(QString::fromLocal8Bit(outPath));
    QFile::remove(QString::fromLocal8Bit(errPath));
    return m;
}

// gzip of head, `spaces` blanks, then tail, made in pieces.
QByteArray gzipWithPadding(const QByteArray &head, qint64 spaces, const QByteArray &tail)
{
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    QByteArray chunk(1 << 20, ' ');
    char buffer[1 << 16];
    const auto feed = [&](const QByteArray &in, int flush) {
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
        z.avail_in = uInt(in.size());
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, flush);
            out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    };
    feed(head, Z_NO_FLUSH);
    for (qint64 left = spaces; left > 0; left -= chunk.size())
        feed(left >= chunk.size() ? chunk : chunk.left(left), Z_NO_FLUSH);
    feed(tail, Z_FINISH);
    deflateEnd(&z);
    return out;
}

// A PDF page showing one image that declares width x height pixels.
QByteArray pdfWithImage(int width, int height)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> at;
    const auto object = [&](const QByteArray &body) {
        at << pdf.size();
        pdf += QByteArray::number(at.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    const QByteArray content = "q 500 0 0 700 40 60 cm /Im1 Do Q";
    const QByteArray pixels = qCompress(QByteArray(3 * 64, '\x80')).mid(4);
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /XObject << /Im1 5 0 R >> >> "
           "/Contents 4 0 R >>");
    object("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream");
    object("<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(width) + " /Height "
           + QByteArray::number(height) + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length "
           + QByteArray::number(pixels.size()) + " >>\nstream\n" + pixels + "\nendstream");
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(at.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype o : at)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(at.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray pngOf(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// A large one-colour PNG written without Qt's image code, which would start
// worker threads here (a forked conversion child must not inherit a pool).
QByteArray plainPng(int w, int h)
{
    QByteArray row(1 + 3 * w, '\xff');
    row[0] = 0; // no filter
    QByteArray raw;
    raw.reserve(row.size() * h);
    for (int y = 0; y < h; ++y)
        raw += row;
    return pngWithData(quint32(w), quint32(h), qCompress(raw, 1).mid(4));
}

QByteArray jpegOf(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPEG", 90);
    return bytes;
}

QByteArray svgLinking(const QString &href)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                          "viewBox=\"0 0 100 100\"><rect x=\"60\" y=\"60\" width=\"30\" height=\"30\" fill=\"#1f3a68\"/>"
                          "<image x=\"0\" y=\"0\" width=\"50\" height=\"50\" xlink:href=\"%1\"/></svg>")
        .arg(href)
        .toUtf8();
}

} // namespace

class TestWzoryHostile : public QObject {
    Q_OBJECT
private slots:
    void theChildIsStoppedAtItsLimits()
    {
        // What no check catches beforehand is stopped by the kernel: memory
        // (a picture decoding to 144 MB under a 64 MB limit) and time.
        TempProgramDir dir;
        writeBytes(dir.path() + QStringLiteral("/duzy.png"), plainPng(6000, 6000));
        const QStringList add{QStringLiteral("dodaj"), QStringLiteral("duzy.png")};
        Measured m;
#if !defined(__SANITIZE_ADDRESS__) // AddressSanitizer needs the address space the limit takes away
        m = runProgram(dir.path(), add, {"DYPLOM_WZORY_PAMIEC_MB=64"});
        qInfo("64 MB: exit %d, %lld ms, peak %lld MB: %s", m.code, m.ms, m.peakKb / 1024, qPrintable(m.err.trimmed()));
        QCOMPARE(m.code, 1);
        QVERIFY2(m.err.startsWith(QStringLiteral("dyplom-wzory: duzy.png: przerwano")), qPrintable(m.err));
        QVERIFY(m.peakKb < 200 * 1024);
#endif
        m = runProgram(dir.path(), add, {"DYPLOM_WZORY_CPU_S=0"}); // any work at all is too long
        qInfo("0 s: exit %d, %lld ms: %s", m.code, m.ms, qPrintable(m.err.trimmed()));
        QCOMPARE(m.code, 1);
        QVERIFY2(m.err.contains(QStringLiteral("limit czasu")), qPrintable(m.err));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/Wzory/BDR_0001.wmf")));
        // Within the limits the child's answer is the work itself.
        m = runProgram(dir.path(), add);
        QCOMPARE(m.code, 0);
        QVERIFY(m.out.contains(QStringLiteral("bitmapa")));
    }

    void bombsAreRefusedWithinBounds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("maxMs");

        const QByteArray head =
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><rect width=\"5\" height=\"5\"/>";
        QTest::newRow("svgz inflating to 1 GiB")
            << "bomba.svgz" << gzipWithPadding(head, qint64(1) << 30, "</svg>") << "rozpakowany" << 15000;
        QTest::newRow("pdf with a 30000 x 30000 image")
            << "obraz.pdf" << pdfWithImage(30000, 30000) << "30000 × 30000" << 10000;

        QByteArray strokes = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 800 1100\">";
        for (int i = 0; i < 10000; ++i)
            strokes += "<polyline points=\"" + QByteArray::number(i % 7)
                       + ",0 800,1100 0,1100 800,0\" fill=\"none\" stroke=\"#000\"/>";
        strokes += "</svg>";
        QTest::newRow("10,000 self-crossing strokes") << "kreski.svg" << strokes << "zbyt złożony" << 15000;

        QByteArray many = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">";
        many += QByteArray(1400000, 'x').replace("x", "<g/>").left(1400000 * 4);
        many += "</svg>";
        QTest::newRow("1.4 million elements") << "elementy.svg" << many << "elementów" << 10000;

        QTest::newRow("billion-pixel png") << "miliard.png" << pngHeaderOnly(40000, 40000) << "40000 × 40000" << 10000;
        const QByteArray jpeg = jpegOf(400, 300);
        QTest::newRow("truncated jpeg") << "urwany.jpg" << jpeg.left(jpeg.size() / 2) << "niepełny" << 10000;
        const QByteArray png = pngOf(300, 200, QColor(0x1f, 0x3a, 0x68));
        QTest::newRow("truncated png") << "urwany.png" << png.left(png.size() - 20) << "obraz" << 10000;
    }

    void bombsAreRefusedWithinBounds()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFETCH(int, maxMs);
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), pngHeaderOnly(1, 1)); // any bytes will do
        writeBytes(dir.path() + QLatin1Char('/') + name, bytes);
        const auto before = snapshot(wzory);
        const Measured m = runProgram(dir.path(), {QStringLiteral("dodaj"), name});
        qInfo("%s: exit %d, %lld ms, peak %lld MB: %s", qPrintable(name), m.code, m.ms, m.peakKb / 1024,
              qPrintable(m.err.trimmed()));
        QCOMPARE(m.code, 1);
        QVERIFY2(m.err.startsWith(QStringLiteral("dyplom-wzory: ") + name), qPrintable(m.err));
        QCOMPARE(m.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(m.err.contains(expected), qPrintable(m.err));
        QVERIFY(m.ms < maxMs);
        QVERIFY(m.peakKb < 600 * 1024);
        QCOMPARE(snapshot(wzory), before);
    }

    void linkedImagesComeOnlyFromTheDesignsFolder_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("warning");
        QTest::newRow("beside the design") << "logo.png" << true << "";
        QTest::newRow("in a subfolder, percent-encoded") << "obrazy/m%C3%B3j%20logo.png" << true << "";
        QTest::newRow("absolute path") << "ABS/logo.png" << false << "ścieżka bezwzględna";
        QTest::newRow("up and out") << "../logo.png" << false << "spoza folderu";
        QTest::newRow("in and up and out") << "obrazy/../../logo.png" << false << "spoza folderu";
        QTest::newRow("link pointing out") << "dowiazanie.png" << false << "spoza folderu";
        QTest::newRow("file url") << "file:///etc/hostname" << false << "spoza folderu";
        QTest::newRow("web address") << "https://example.com/logo.png" << false << "spoza folderu";
        QTest::newRow("missing") << "brak.png" << false << "nie ma takiego pliku";
        QTest::newRow("not an image") << "opis.txt" << false << "nieobsługiwany";
    }

    void linkedImagesComeOnlyFromTheDesignsFolder()
    {
        QFETCH(QString, href);
        QFETCH(bool, shown);
        QFETCH(QString, warning);
        TempProgramDir dir;
        // A green logo beside the design, a red one in the current folder.
        writeBytes(dir.path() + QStringLiteral("/logo.png"), pngOf(16, 16, Qt::red));
        const QString project = dir.path() + QStringLiteral("/projekt");
        QVERIFY(QDir().mkpath(project + QStringLiteral("/obrazy")));
        writeBytes(project + QStringLiteral("/logo.png"), pngOf(16, 16, QColor(0, 160, 0)));
        writeBytes(project + QStringLiteral("/obrazy/mój logo.png"), pngOf(16, 16, QColor(0, 160, 0)));
        writeBytes(project + QStringLiteral("/opis.txt"), "tekst");
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/logo.png"), project + QStringLiteral("/dowiazanie.png")));
        QString ref = href;
        ref.replace(QLatin1String("ABS"), dir.path());
        writeBytes(project + QStringLiteral("/wzor.svg"), svgLinking(ref));
        const Measured m = runProgram(dir.path(), {QStringLiteral("dodaj"), QStringLiteral("projekt/wzor.svg")});
        QCOMPARE(m.code, 0);
        QVERIFY(m.ms < 10000 && m.peakKb < 600 * 1024);
        if (warning.isEmpty()) {
            QCOMPARE(m.err, QString());
        } else {
            QVERIFY2(m.err.contains(QStringLiteral("uwaga: projekt/wzor.svg: pominięto obraz „%1”").arg(ref)),
                     qPrintable(m.err));
            QVERIFY2(m.err.contains(warning), qPrintable(m.err));
        }
        QVERIFY(runProgram(dir.path(), {QStringLiteral("podglad"), QStringLiteral("1"), QStringLiteral("p.png"),
                                        QStringLiteral("--szerokosc"), QStringLiteral("210")})
                    .code
                == 0);
        const QImage page(dir.path() + QStringLiteral("/p.png"));
        // The design fills the sheet's width: the image's square is 105 px.
        const QRgb logo = page.pixel(50, 148 - 105 + 50);
        QCOMPARE(logo, shown ? qRgb(0, 160, 0) : qRgb(255, 255, 255));
        QCOMPARE(page.pixel(157, 148 + 40), qRgb(0x1f, 0x3a, 0x68));
    }

    void linkedImagesTooLargeOrDamagedAreRefused_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("expected");
        QTest::newRow("40000 x 40000") << pngHeaderOnly(40000, 40000) << "40000 × 40000";
        const QByteArray jpeg = jpegOf(200, 200);
        QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() * 2 / 3) << "niepełny";
        QTest::newRow("embedded 40000 x 40000") << QByteArray() << "40000 × 40000";
    }

    void linkedImagesTooLargeOrDamagedAreRefused()
    {
        QFETCH(QByteArray, image);
        QFETCH(QString, expected);
        TempProgramDir dir;
        const QString wzory = dir.path() + QStringLiteral("/Wzory");
        writeBytes(wzory + QStringLiteral("/BDR_0001.wmf"), "stary");
        const auto before = snapshot(wzory);
        if (image.isEmpty()) {
            writeBytes(dir.path() + QStringLiteral("/wzor.svg"),
                       svgLinking(QStringLiteral("data:image/png;base64,")
                                  + QString::fromLatin1(pngHeaderOnly(40000, 40000).toBase64())));
        } else {
            writeBytes(dir.path() + QStringLiteral("/obraz.img"), image);
            writeBytes(dir.path() + QStringLiteral("/wzor.svg"), svgLinking(QStringLiteral("obraz.img")));
        }
        const Measured m = runProgram(dir.path(), {QStringLiteral("dodaj"), QStringLiteral("wzor.svg")});
        qInfo("exit %d, %lld ms, peak %lld MB: %s", m.code, m.ms, m.peakKb / 1024, qPrintable(m.err.trimmed()));
        QCOMPARE(m.code, 1);
        QVERIFY2(m.err.startsWith(QStringLiteral("dyplom-wzory: wzor.svg: ")), qPrintable(m.err));
        QCOMPARE(m.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(m.err.contains(expected), qPrintable(m.err));
        QVERIFY(m.peakKb < 600 * 1024);
        QCOMPARE(snapshot(wzory), before);
    }
};

QTEST_MAIN(TestWzoryHostile)
#include "tst_wzory_hostile.moc"
