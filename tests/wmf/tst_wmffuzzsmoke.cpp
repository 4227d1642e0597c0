// A short, deterministic run of the fuzz entry over the seeds and a few
// thousand mutations of them; the libFuzzer target in fuzz/ runs the same
// function for as long as one likes.
#include "ByteMutator.h"
#include "SeedMetafiles.h"
#include "WmfFuzzEntry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

namespace {

void run(const QByteArray &b)
{
    wmfFuzzOne(reinterpret_cast<const uint8_t *>(b.constData()), size_t(b.size()));
}

} // namespace

class TestWmfFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        std::vector<QByteArray> seeds = wmfseeds::seedMetafiles();
        // One template as a seed; the big ones cost too much per run here.
        QFile t(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/data/Wzory/BDR_0004.wmf"));
        if (t.open(QIODevice::ReadOnly))
            seeds.push_back(t.readAll());
        // Every file of the fuzz corpus, the inputs that once failed included.
        const QDir corpus(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/fuzz/corpus"));
        for (const QString &name : corpus.entryList(QDir::Files)) {
            if (name.startsWith(QLatin1String("hostile_")))
                continue; // hostileSeedsAreDrawn
            QFile f(corpus.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                run(f.readAll());
        }
        for (const QByteArray &s : seeds)
            run(s);
        ByteMutator m(20260107);
        QElapsedTimer timer;
        timer.start();
        int runs = 0;
        for (; runs < 20000 && timer.elapsed() < 15000; ++runs) {
            const QByteArray &seed = seeds[m.below(uint32_t(seeds.size() - (runs % 8 ? 1 : 0)))];
            run(m.mutate(seed));
        }
        qInfo("%d mutated inputs in %lld ms", runs, timer.elapsed());
        QVERIFY(runs >= 500);
    }

    // The costly inputs our own writer makes, each drawn at every size the
    // entry draws; the committed corpus holds the same files.
    void hostileSeedsAreDrawn()
    {
        for (const wmfseeds::NamedMetafile &m : wmfseeds::hostileMetafiles()) {
            QVERIFY2(m.bytes.size() <= 64 * 1024, qPrintable(m.name));
            QFile committed(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/fuzz/corpus/") + m.name);
            QVERIFY2(committed.open(QIODevice::ReadOnly) && committed.readAll() == m.bytes,
                     qPrintable(QStringLiteral("fuzz/corpus/%1 differs; regenerate it with wmf-make-seeds").arg(m.name)));
            QElapsedTimer timer;
            timer.start();
            run(m.bytes);
            qInfo("%s (%lld bytes): %lld ms", qPrintable(m.name), qint64(m.bytes.size()), timer.elapsed());
        }
    }
};

QTEST_MAIN(TestWmfFuzzSmoke)
#include "tst_wmffuzzsmoke.moc"
