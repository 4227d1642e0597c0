// The staged outputs of dyplom-druk: nothing replaced before every file is
// whole, short writes never taken for success, inputs never overwritten.
#include "batch/output/Failure.h"
#include "batch/output/OutputSafety.h"
#include "batch/output/StagedOutputs.h"

#include "FileBytes.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <unistd.h>

using namespace batch;

namespace {

// What a filling disk does: a short count first, then ENOSPC.
WriteCall diskWithRoom(qint64 room)
{
    auto left = std::make_shared<qint64>(room);
    return [left](int fd, const void *data, size_t size) -> ssize_t {
        if (*left <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(qint64(size), *left)));
        if (n > 0)
            *left -= n;
        return n;
    };
}

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestBatchOutputs : public QObject {
    Q_OBJECT

private slots:
    void committedOnlyWhenAllAreWhole();
    void shortWritesAreAFullDisk();
    void failedRunKeepsEarlierFiles();
    void inputsAreNeverReplaced();
    void linkIsWrittenAtItsTarget();
    void fileThatAppearsMeanwhileIsKept_data();
    void linksAreFollowedAsTheKernelDoes_data();
    void linksAreFollowedAsTheKernelDoes();
    void fileThatAppearsMeanwhileIsKept();
    void scratchFolderGoesWithEverythingInIt();
};

void TestBatchOutputs::committedOnlyWhenAllAreWhole()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.pdf")), b = dir.filePath(QStringLiteral("b.pdf"));
    {
        StagedOutputs outputs;
        outputs.stage(a).write("first");
        OutputFile &second = outputs.stage(b);
        second.write(QByteArray(200000, 'x')); // past the buffer: on disk already
        second.finish();
        QVERIFY(!QFile::exists(a) && !QFile::exists(b));
        QCOMPARE(filesIn(dir).size(), 2); // two temporary files beside them
        outputs.commitAll();
    }
    QCOMPARE(readBytesOrMissing(a), QByteArray("first"));
    QCOMPARE(readBytesOrMissing(b).size(), 200000);
    QCOMPARE(filesIn(dir), (QStringList{QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}));
    QCOMPARE(QFileInfo(a).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther); // not mkstemp's 0600
}

void TestBatchOutputs::shortWritesAreAFullDisk()
{
    for (const qint64 room : {qint64(0), qint64(1000), qint64(70000), qint64(199999)}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        writeBytes(path, "%PDF-old file");
        {
            StagedOutputs outputs(diskWithRoom(room));
            OutputFile &file = outputs.stage(path);
            file.write(QByteArray(100000, 'a'));
            file.write(QByteArray(100000, 'b'));
            const QString failure = failureOf([&] { outputs.commitAll(); });
            QVERIFY2(failure == path + QStringLiteral(": brak miejsca na dysku"), qPrintable(failure));
        }
        QCOMPARE(readBytesOrMissing(path), QByteArray("%PDF-old file"));
        QCOMPARE(filesIn(dir), QStringList{QStringLiteral("out.pdf")});
    }
}

void TestBatchOutputs::failedRunKeepsEarlierFiles()
{
    // The first output is complete, the second fails: neither is put in
    // place and the earlier file of the first name stays.
    QTemporaryDir dir;
    const QString keep = dir.filePath(QStringLiteral("keep.pdf"));
    writeBytes(keep, "%PDF-earlier");
    {
        StagedOutputs outputs(diskWithRoom(10));
        outputs.stage(keep).write("0123456789");
        outputs.stage(dir.filePath(QStringLiteral("more.pdf"))).write("more");
        QVERIFY(!failureOf([&] { outputs.commitAll(); }).isEmpty());
    }
    QCOMPARE(readBytesOrMissing(keep), QByteArray("%PDF-earlier"));
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("keep.pdf")});

    // A run that stops on its own (an exception elsewhere) leaves nothing either.
    {
        StagedOutputs outputs;
        outputs.stage(keep).write("new");
    }
    QCOMPARE(readBytesOrMissing(keep), QByteArray("%PDF-earlier"));
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("keep.pdf")});
}

void TestBatchOutputs::inputsAreNeverReplaced()
{
    QTemporaryDir dir;
    const QString diploma = dir.filePath(QStringLiteral("d.dyp"));
    const QString list = dir.filePath(QStringLiteral("lista.txt"));
    writeBytes(diploma, "diploma");
    writeBytes(list, "Anna\n");
    QVERIFY(QFile::link(diploma, dir.filePath(QStringLiteral("link.pdf"))));
    QVERIFY(::link(QFile::encodeName(list).constData(),
                   QFile::encodeName(dir.filePath(QStringLiteral("hard.pdf"))).constData())
            == 0);
    writeBytes(dir.filePath(QStringLiteral("other.DYP")), "another diploma");
    QDir(dir.path()).mkdir(QStringLiteral("folder"));

    StagedOutputs outputs;
    outputs.protect(diploma, QStringLiteral("plik dyplomu"));
    outputs.protect(list, QStringLiteral("lista"));
    const auto refused = [&](const QString &name, const QString &why) {
        const QString failure = failureOf([&] { outputs.stage(dir.filePath(name)); });
        QVERIFY2(failure.startsWith(dir.filePath(name) + QStringLiteral(": ")) && failure.contains(why),
                 qPrintable(name + QStringLiteral(" → ") + failure));
    };
    refused(QStringLiteral("d.dyp"), QStringLiteral("plik dyplomu"));
    refused(QStringLiteral("./d.dyp"), QStringLiteral("plik dyplomu"));
    refused(QStringLiteral("link.pdf"), QStringLiteral("plik dyplomu"));
    refused(QStringLiteral("hard.pdf"), QStringLiteral("lista"));
    refused(QStringLiteral("other.DYP"), QStringLiteral(".dyp"));
    refused(QStringLiteral("nowy.dyp"), QStringLiteral(".dyp"));
    refused(QStringLiteral("folder"), QStringLiteral("katalog"));
    outputs.stage(dir.filePath(QStringLiteral("x.pdf")));
    refused(QStringLiteral("./x.pdf"), QStringLiteral("dwa razy"));
    outputs.commitAll();
    QCOMPARE(readBytesOrMissing(diploma), QByteArray("diploma"));
    QCOMPARE(readBytesOrMissing(list), QByteArray("Anna\n"));
    QCOMPARE(readBytesOrMissing(dir.filePath(QStringLiteral("other.DYP"))), QByteArray("another diploma"));
}

void TestBatchOutputs::linkIsWrittenAtItsTarget()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("real"));
    const QString target = dir.filePath(QStringLiteral("real/out.pdf"));
    writeBytes(target, "%PDF-old");
    const QString link = dir.filePath(QStringLiteral("out.pdf"));
    QVERIFY(QFile::link(target, link));
    {
        StagedOutputs outputs;
        outputs.stage(link).write("new");
        outputs.commitAll();
    }
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytesOrMissing(target), QByteArray("new"));
}

void TestBatchOutputs::fileThatAppearsMeanwhileIsKept_data()
{
    QTest::addColumn<bool>("earlierFile"); // b.pdf was there when staged, and is then swapped for another
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("new name taken") << false << false;
    QTest::newRow("earlier file swapped") << true << false;
    QTest::newRow("new name taken, --nadpisz") << false << true;
    QTest::newRow("earlier file swapped, --nadpisz") << true << true;
}

void TestBatchOutputs::fileThatAppearsMeanwhileIsKept()
{
    QFETCH(bool, earlierFile);
    QFETCH(bool, overwrite);
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.pdf")), b = dir.filePath(QStringLiteral("b.pdf"));
    if (earlierFile)
        writeBytes(b, "%PDF-earlier");
    StagedOutputs outputs;
    outputs.setOverwrite(overwrite);
    outputs.stage(a).write("%PDF-ours a");
    outputs.stage(b).write("%PDF-ours b");
    // Another program's file at b while the run works: a new inode.
    QFile::remove(b);
    writeBytes(b, "%PDF-theirs");
    const QString failure = failureOf([&] { outputs.commitAll(); });
    if (overwrite) {
        QCOMPARE(failure, QString());
        QCOMPARE(readBytesOrMissing(b), QByteArray("%PDF-ours b"));
        QCOMPARE(readBytesOrMissing(a), QByteArray("%PDF-ours a"));
    } else {
        QVERIFY2(failure.startsWith(b + QStringLiteral(": plik "))
                     && failure.contains(QStringLiteral("nic nie zostało zapisane")),
                 qPrintable(failure));
        QCOMPARE(readBytesOrMissing(b), QByteArray("%PDF-theirs"));
        QCOMPARE(readBytesOrMissing(a), QByteArrayLiteral("<missing>")); // taken back, not left half done
    }
}

void TestBatchOutputs::linksAreFollowedAsTheKernelDoes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("target"); // empty: refused
    QTest::addColumn<bool>("dangling");
    QTest::newRow("plain file") << "a/x.pdf"
                                << "a/x.pdf" << false;
    QTest::newRow("relative link") << "a/rel.pdf"
                                   << "b/x.pdf" << false;
    QTest::newRow("chain of links") << "a/chain.pdf"
                                    << "b/x.pdf" << false;
    QTest::newRow("folder link, then ..") << "a/deep/../x.pdf"
                                          << "b/x.pdf" << false; // b/c/.. is b, not a
    QTest::newRow("link to nothing") << "a/dangling.pdf"
                                     << "b/none.pdf" << true;
    QTest::newRow("chain to nothing") << "a/to-dangling.pdf"
                                      << "b/none.pdf" << true;
    QTest::newRow("missing folder") << "a/brak/x.pdf"
                                    << "a/brak/x.pdf" << false;
    QTest::newRow("loop") << "a/loop1.pdf"
                          << "" << false;
}

void TestBatchOutputs::linksAreFollowedAsTheKernelDoes()
{
    QFETCH(QString, path);
    QFETCH(QString, target);
    QFETCH(bool, dangling);
    QTemporaryDir tmp;
    const QString dir = QDir(tmp.path()).canonicalPath();
    QVERIFY(QDir(dir).mkpath(QStringLiteral("a")) && QDir(dir).mkpath(QStringLiteral("b/c")));
    writeBytes(dir + QStringLiteral("/b/x.pdf"), "%PDF-");
    for (const auto &[link, to] :
         std::initializer_list<std::pair<const char *, const char *>>{{"a/rel.pdf", "../b/x.pdf"},
                                                                      {"a/chain.pdf", "rel.pdf"},
                                                                      {"a/deep", "../b/c"},
                                                                      {"a/dangling.pdf", "../b/none.pdf"},
                                                                      {"a/to-dangling.pdf", "dangling.pdf"},
                                                                      {"a/loop1.pdf", "loop2.pdf"},
                                                                      {"a/loop2.pdf", "loop1.pdf"}})
        QVERIFY(::symlink(to, QFile::encodeName(dir + QLatin1Char('/') + QLatin1String(link)).constData()) == 0);
    const QString failure = failureOf([&] {
        const OutputPlace place = followLinks(dir + QLatin1Char('/') + path);
        QCOMPARE(place.target, dir + QLatin1Char('/') + target);
        QCOMPARE(place.danglingLink, dangling);
    });
    if (target.isEmpty())
        QVERIFY2(failure.contains(QStringLiteral("za dużo dowiązań symbolicznych")), qPrintable(failure));
    else
        QCOMPARE(failure, QString());
}

void TestBatchOutputs::scratchFolderGoesWithEverythingInIt()
{
    QTemporaryDir tmp;
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", before); });
    {
        ScratchFolder scratch;
        const std::unique_ptr<OutputFile> a = scratch.create(QStringLiteral("a.pdf"));
        a->write(QByteArray(100000, 'a'));
        a->finish();
        QCOMPARE(readBytes(a->path()), QByteArray(100000, 'a'));
        QVERIFY(a->path().startsWith(tmp.path() + QStringLiteral("/dyplom-druk-")));
        // A name made again starts empty; one removed early is gone.
        const std::unique_ptr<OutputFile> again = scratch.create(QStringLiteral("a.pdf"));
        again->write("b");
        again->finish();
        QCOMPARE(readBytes(again->path()), QByteArray("b"));
        scratch.remove(QStringLiteral("a.pdf"));
        QVERIFY(!QFile::exists(again->path()));
        scratch.create(QStringLiteral("left.pdf"))->write("left");
    }
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

    // A TMPDIR that is not there: the system's /tmp, not the current folder.
    qputenv("TMPDIR", QFile::encodeName(tmp.filePath(QStringLiteral("brak"))));
    ScratchFolder scratch;
    QVERIFY(scratch.create(QStringLiteral("x.pdf"))->path().startsWith(QStringLiteral("/tmp/dyplom-druk-")));
}

QTEST_MAIN(TestBatchOutputs)
#include "tst_batchoutputs.moc"
