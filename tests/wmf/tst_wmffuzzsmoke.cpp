// A short, deterministic run of the fuzz entry over the seeds and a few
// thousand mutations of them; the libFuzzer target in fuzz/ runs the same
// function for as long as one likes.
#include "SeedMetafiles.h"
#include "WmfFuzzEntry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

namespace {

class Mutator {
public:
    explicit Mutator(uint64_t seed) : s_(seed) {}
    uint32_t next()
    {
        s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s_ >> 33);
    }
    uint32_t below(uint32_t n) { return n ? next() % n : 0; }

    QByteArray mutate(QByteArray b)
    {
        const int steps = 1 + int(below(4));
        for (int i = 0; i < steps && !b.isEmpty(); ++i) {
            const int at = int(below(uint32_t(b.size())));
            switch (below(7)) {
            case 0: b[at] = char(b[at] ^ char(1 << below(8))); break;
            case 1: b[at] = char(std::array<uint8_t, 6>{0, 1, 0x7F, 0x80, 0xFE, 0xFF}[below(6)]); break;
            case 2: // a 16-bit field set to an edge value
                if (at + 1 < b.size()) {
                    static const uint16_t edge[] = {0, 1, 2, 3, 0x7FFF, 0x8000, 0xFFFF, 0x1000};
                    const uint16_t v = edge[below(8)];
                    b[at] = char(v & 0xFF);
                    b[at + 1] = char(v >> 8);
                }
                break;
            case 3: b.truncate(at); break;
            case 4: b.insert(at, b.mid(int(below(uint32_t(b.size()))), int(below(64)))); break;
            case 5: b.remove(at, int(below(16))); break;
            default: // a whole record-size field
                if (at + 3 < b.size()) {
                    const uint32_t v = std::array<uint32_t, 5>{0, 2, 3, 0x7FFFFFFF, 0xFFFFFFFF}[below(5)];
                    for (int k = 0; k < 4; ++k)
                        b[at + k] = char((v >> (8 * k)) & 0xFF);
                }
            }
        }
        return b;
    }

private:
    uint64_t s_;
};

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
            QFile f(corpus.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                run(f.readAll());
        }
        for (const QByteArray &s : seeds)
            run(s);
        Mutator m(20260107);
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
};

QTEST_MAIN(TestWmfFuzzSmoke)
#include "tst_wmffuzzsmoke.moc"
