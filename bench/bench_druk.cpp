// dyplom-druk: a 100-name batch into one 600 dpi PDF with the largest
// shipped template. Reports pages per second and PDF bytes per page.
#include "druk/PageTargets.h"
#include "druk/Run.h"
#include "druk/StagedOutputs.h"

#include "BenchFiles.h"
#include "StartupDiploma.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Batch100Pdf600(benchmark::State &state)
{
    const QString path = largestShippedTemplate();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no template in data/Wzory");
        return;
    }
    printing::PrintInput base;
    startupdiploma::setStyles(base);
    base.texts.heading = QStringLiteral("Dyplom");
    base.texts.body[0] = QStringLiteral("za wybitne osiągnięcia w nauce");
    base.texts.body[1] = QStringLiteral("w roku szkolnym 2025/2026");
    base.picture = wmf::Metafile::fromBytes(file.readAll());
    QList<druk::Page> pages;
    for (int k = 1; k <= 100; ++k) {
        druk::Page page{base, k};
        page.input.texts.recipient = QStringLiteral("Uczeń %1 Nazwisko-Długie").arg(k);
        pages.append(page);
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("klasa.pdf"));
    const printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    for (auto _ : state) {
        druk::StagedOutputs outputs;
        druk::PdfTarget target(outputs.stage(pdf), geometry);
        printing::SheetDevice device(geometry, target);
        druk::printPages(device, pages, {});
        target.finish();
        outputs.commitAll();
    }
    state.counters["pages_per_s"] = benchmark::Counter(100.0 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pdf_bytes_per_page"] = double(QFileInfo(pdf).size()) / 100.0;
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}
BENCHMARK(BM_Batch100Pdf600)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
