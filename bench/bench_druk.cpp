// dyplom-druk: a 100-name batch into one 600 dpi PDF with the largest
// shipped template. Reports pages per second and PDF bytes per page.
#include "druk/PageTargets.h"
#include "druk/Run.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Batch100Pdf600(benchmark::State &state)
{
    const QDir wzory(QStringLiteral(DYPLOM_SOURCE_DIR "/data/Wzory"));
    const QFileInfoList files = wzory.entryInfoList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Size);
    QFile file(files.isEmpty() ? QString() : files.first().filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no template in data/Wzory");
        return;
    }
    printing::PrintInput base;
    const auto style = [](int size, int left, int top) {
        editor::TextBlockStyle s;
        s.fontName = QStringLiteral("Times New Roman");
        s.size = size;
        s.left = left;
        s.top = top;
        return s;
    };
    base.heading = style(48, 80, 60);
    base.body = style(26, 50, 120);
    base.recipient = style(26, 50, 100);
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
        druk::PdfTarget target(pdf, geometry);
        printing::SheetDevice device(geometry, target);
        druk::printPages(device, pages, {});
        target.commit();
    }
    state.counters["pages_per_s"] = benchmark::Counter(100.0 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pdf_bytes_per_page"] = double(QFileInfo(pdf).size()) / 100.0;
    state.SetLabel(files.first().fileName().toStdString());
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
