// Converting a design into a template: our SVG crest (bench/herb.svg), a
// certificate with a gold-gradient frame, an A4 page scanned at 300 dpi
// (2480 x 3508 PNG) and a Letter PDF page; time and template size.
#include "FidelityCorpus.h"
#include "wzory/Import.h"
#include "QtBenchmarkMain.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void convert(benchmark::State &state, const QString &path)
{
    qint64 bytes = 0;
    wmf::MetafileStats stats;
    for (auto _ : state) {
        const wzory::ImportResult r = wzory::importDesign(path);
        bytes = r.metafile.size();
        stats = r.stats;
        benchmark::DoNotOptimize(r.metafile.constData());
    }
    state.counters["template_bytes"] = double(bytes);
    state.counters["vector_records"] = stats.vectorRecords;
    state.counters["bitmap_records"] = stats.bitmapRecords;
}

void SvgCrest(benchmark::State &state)
{
    convert(state, QStringLiteral(DYPLOM_SOURCE_DIR "/bench/herb.svg"));
}
BENCHMARK(SvgCrest)->Unit(benchmark::kMillisecond);

// A scanned page: a border drawn with soft edges and paper grain.
QString a4Scan(const QTemporaryDir &dir)
{
    QImage img(2480, 3508, QImage::Format_RGB32);
    QLinearGradient g(0, 0, 2480, 3508);
    g.setColorAt(0, QColor(0xFB, 0xF8, 0xEE));
    g.setColorAt(1, QColor(0xEE, 0xE6, 0xD0));
    QPainter p(&img);
    p.fillRect(img.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1F, 0x3A, 0x68), 40));
    p.drawRoundedRect(QRectF(120, 120, 2240, 3268), 80, 80);
    p.setPen(QPen(QColor(0xC9, 0xA2, 0x27), 12));
    for (int i = 0; i < 40; ++i)
        p.drawEllipse(QPointF(1240, 3000), 60 + i * 6, 60 + i * 6);
    p.end();
    const QString path = dir.filePath(QStringLiteral("skan.png"));
    img.save(path);
    return path;
}

void A4Png300Dpi(benchmark::State &state)
{
    static QTemporaryDir dir;
    static const QString path = a4Scan(dir);
    convert(state, path);
}
BENCHMARK(A4Png300Dpi)->Unit(benchmark::kMillisecond);

// The fidelity corpus's designs: written once, converted each iteration.
void CorpusDesign(benchmark::State &state, const char *name)
{
    static QTemporaryDir dir;
    const QString path = fidelity::write(QString::fromLatin1(name), dir.path());
    convert(state, path);
}
BENCHMARK_CAPTURE(CorpusDesign, GoldFrameCertificate, "zlota-rama.svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CorpusDesign, FourGradientFrames, "cztery-ramy.svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CorpusDesign, LetterPdf, "letter.pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CorpusDesign, LetterPdfWithShadings, "gradienty-letter.pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CorpusDesign, SvgClipPath, "przyciecie.svg")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
