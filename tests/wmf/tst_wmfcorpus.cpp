// Real-world metafiles from public test suites: every file libwmf renders
// loads and draws; the two it refuses are refused or drawn in part. The
// placeable ones are compared with libwmf's own rendering.
#include "FileBytes.h"
#include "WmfTestUtil.h"

#include <QDir>
#include <QtTest>

using wmf::Metafile;

namespace {

// The files libwmf itself cannot render.
const QStringList kLibwmfFails = {QStringLiteral("libreoffice_test_libuemf_ref.wmf"),
                                  QStringLiteral("libreoffice_B_DNA.wmf")};

} // namespace

class TestWmfCorpus : public QObject {
    Q_OBJECT
private slots:
    void everyFileLoadsAndDraws_data()
    {
        QTest::addColumn<QString>("path");
        QString whyNone;
        const QStringList files = wmftest::corpusFiles(&whyNone);
        if (files.isEmpty()) // a data function without rows would abort the run
            QSKIP(qPrintable(whyNone));
        for (const QString &path : files)
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }
    void everyFileLoadsAndDraws()
    {
        QFETCH(QString, path);
        const QByteArray bytes = readBytes(path);
        QVERIFY(!bytes.isEmpty());
        const bool libwmfFails = kLibwmfFails.contains(QFileInfo(path).fileName());
        try {
            const Metafile mf = Metafile::fromBytes(bytes);
            QVERIFY(mf.frame().width() > 0 && mf.frame().height() > 0);
            const QImage small = wmftest::render(mf, 189, 281);
            if (!libwmfFails)
                QVERIFY2(wmftest::inkShare(small) > 0.0005, "nothing drawn");
            wmftest::render(mf, 1240, 1754);
        } catch (const wmf::MetafileError &e) {
            QVERIFY2(libwmfFails, e.what());
        }
    }

    void placeableFilesMatchLibwmf_data()
    {
        QTest::addColumn<QString>("path");
        QString whyNone;
        const QStringList files = wmftest::corpusFiles(&whyNone);
        if (files.isEmpty())
            QSKIP(qPrintable(whyNone));
        if (!wmftest::haveOracle())
            QSKIP("wmf2gd (libwmf-bin) is not installed");
        const QDir dir(wmftest::corpusDir());
        for (const QString &path : files) {
            const QString name = QFileInfo(path).fileName();
            const QByteArray head = readBytes(dir.filePath(name)).left(4);
            // The crafted proof-of-concept file draws whatever a patched
            // libwmf makes of it: no reference for anybody.
            if (head == QByteArray("\xD7\xCD\xC6\x9A", 4) && !kLibwmfFails.contains(name)
                && name != QStringLiteral("evil_poly_extreme.wmf"))
                QTest::newRow(qPrintable(name)) << dir.filePath(name);
        }
    }
    void placeableFilesMatchLibwmf()
    {
        QFETCH(QString, path);
        QTemporaryDir tmp;
        const QImage oracle = wmftest::oracleRender(path, 300, 300, tmp);
        if (oracle.isNull())
            QSKIP("wmf2gd is not installed");
        const Metafile mf = Metafile::fromBytes(readBytes(path));
        // libwmf frames a picture by its placeable box or by what it draws;
        // compare with whichever framing of ours comes closest.
        const int w = oracle.width(), h = oracle.height();
        double cells = 2;
        QImage ours;
        for (const QImage &candidate :
             {wmftest::render(mf, w, h), wmftest::renderDrawnExtent(mf, w, h), wmftest::renderExtent(mf, w, h)}) {
            const double d = wmftest::cellDifference(candidate, oracle);
            if (d < cells) {
                cells = d;
                ours = candidate;
            }
        }
        const double inkOurs = wmftest::inkShare(ours), inkOracle = wmftest::inkShare(oracle);
        const QString info = QStringLiteral("ink %1 vs %2, cells %3").arg(inkOurs).arg(inkOracle).arg(cells);
        qInfo("%s: %s", qPrintable(QFileInfo(path).fileName()), qPrintable(info));
        QVERIFY2(std::abs(inkOurs - inkOracle) < 0.15, qPrintable(info));
        QVERIFY2(cells < 0.15, qPrintable(info));
    }
};

QTEST_MAIN(TestWmfCorpus)
#include "tst_wmfcorpus.moc"
