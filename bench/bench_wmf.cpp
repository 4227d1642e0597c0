// Parse + draw of a metafile into an image: the largest shipped template
// and the largest files of the shared corpus, at the preview size (189 x 281)
// and as an A4 page at 600 dpi (4961 x 7016).
#include "wmf/Metafile.h"

#include "BenchFiles.h"
#include "HostileMetafiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void drawBytes(benchmark::State &state, const QByteArray &bytes, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        try {
            const wmf::Metafile mf = wmf::Metafile::fromBytes(bytes);
            QPainter p(&img);
            mf.draw(p, QRectF(0, 0, w, h));
        } catch (const wmf::MetafileError &) {
            // refused: the cost of finding out is what counts
        }
        benchmark::DoNotOptimize(img.constBits());
    }
    state.counters["file_bytes"] = double(bytes.size());
}

void parseAndDraw(benchmark::State &state, const QString &path, int w, int h)
{
    const QByteArray bytes = readFile(path);
    if (bytes.isEmpty()) {
        state.SkipWithError("file not found");
        return;
    }
    QImage img(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        const wmf::Metafile mf = wmf::Metafile::fromBytes(bytes);
        QPainter p(&img);
        mf.draw(p, QRectF(0, 0, w, h));
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
    state.counters["file_bytes"] = double(bytes.size());
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}

const QString kTemplates = QStringLiteral(DYPLOM_SOURCE_DIR "/data/Wzory");
const QString kCorpus = QStringLiteral(DYPLOM_SOURCE_DIR "/../shared/wmf-corpus");
// The largest corpus file libwmf renders as well (the largest of all it refuses).
const QString kCorpusRendered = kCorpus + QStringLiteral("/libreoffice_OSS-Artwork-stackframe.wmf");

void BM_Template_Preview(benchmark::State &s)
{
    parseAndDraw(s, largestMetafileIn(kTemplates), 189, 281);
}
void BM_Template_A4_600dpi(benchmark::State &s)
{
    parseAndDraw(s, largestMetafileIn(kTemplates), 4961, 7016);
}
void BM_CorpusLargest_Preview(benchmark::State &s)
{
    parseAndDraw(s, largestMetafileIn(kCorpus), 189, 281);
}
void BM_CorpusLargest_A4_600dpi(benchmark::State &s)
{
    parseAndDraw(s, largestMetafileIn(kCorpus), 4961, 7016);
}
void BM_CorpusRendered_Preview(benchmark::State &s)
{
    parseAndDraw(s, kCorpusRendered, 189, 281);
}
void BM_CorpusRendered_A4_600dpi(benchmark::State &s)
{
    parseAndDraw(s, kCorpusRendered, 4961, 7016);
}

// Inputs the fuzzer found slow: refused or drawn, whichever the reader decides.
const QString kFuzzFindings = QStringLiteral(DYPLOM_SOURCE_DIR "/tests/wmf/data");
void fuzzFinding(benchmark::State &s, const char *name, int w, int h)
{
    const QByteArray bytes = readFile(kFuzzFindings + QLatin1Char('/') + QLatin1String(name));
    if (bytes.isEmpty())
        s.SkipWithError("file not found");
    else
        drawBytes(s, bytes, w, h);
}
void BM_FuzzFinding_Preview_93TextOuts(benchmark::State &s)
{
    fuzzFinding(s, "slow-93-textouts.wmf", 189, 281);
}
void BM_FuzzFinding_A4_60dpi_93TextOuts(benchmark::State &s)
{
    fuzzFinding(s, "slow-93-textouts.wmf", 496, 702);
}

} // namespace

BENCHMARK(BM_Template_Preview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Template_A4_600dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorpusLargest_Preview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorpusLargest_A4_600dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorpusRendered_Preview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorpusRendered_A4_600dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzFinding_Preview_93TextOuts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzFinding_A4_60dpi_93TextOuts)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    // Every hostile case at the preview size; the worst is the README row.
    for (const wmfhostile::Case &c : wmfhostile::hostileCases()) {
        const QByteArray bytes = c.bytes;
        benchmark::RegisterBenchmark(("BM_Hostile_Preview/" + c.name.toStdString()).c_str(), [bytes](benchmark::State &s) {
            drawBytes(s, bytes, 189, 281);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Hostile_150dpi/" + c.name.toStdString()).c_str(), [bytes](benchmark::State &s) {
            drawBytes(s, bytes, 1240, 1754);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
