// dyplom-druk: a 100-name batch into one 600 dpi PDF with the largest
// shipped template, written the direct way (the template drawn on every
// page) and the compact way (drawn once, shared by every page), side by
// side. Reports pages per second and PDF bytes. A class of 30 as two A5
// to an A4 sheet with two copies each, beside the plain A4 run.
#include "batch/compose/CompactPdf.h"
#include "batch/compose/PageTargets.h"
#include "batch/compose/OffPageTexts.h"
#include "batch/compose/PrintPages.h"
#include "batch/output/StagedOutputs.h"
#include "batch/run/BatchRun.h"

#include "BenchFiles.h"
#include "StartupDiploma.h"
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Names = 100;

// The class of 100 on the largest template; empty when it is not there.
QList<batch::Page> classPages()
{
    QFile file(largestShippedTemplate());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    printing::PrintInput base;
    startupdiploma::setStyles(base);
    base.texts.heading = QStringLiteral("Dyplom");
    base.texts.body[0] = QStringLiteral("za wybitne osiągnięcia w nauce");
    base.texts.body[1] = QStringLiteral("w roku szkolnym 2025/2026");
    base.picture = wmf::Metafile::fromBytes(file.readAll());
    QList<batch::Page> pages;
    for (int k = 1; k <= Names; ++k) {
        batch::Page page{base, k};
        page.input.texts.recipient = QStringLiteral("Uczeń %1 Nazwisko-Długie").arg(k);
        pages.append(page);
    }
    return pages;
}

void report(benchmark::State &state, const QString &pdf)
{
    state.counters["pages_per_s"] = benchmark::Counter(double(Names) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pdf_kB"] = double(QFileInfo(pdf).size()) / 1000.0;
    state.counters["pdf_bytes_per_page"] = double(QFileInfo(pdf).size()) / Names;
    state.SetLabel(QFileInfo(largestShippedTemplate()).fileName().toStdString());
}

// The class into one 600 dpi PDF by writePdf(output, pages, geometry),
// staged and committed as dyplom-druk does.
template <typename WritePdf>
void batchToPdf(benchmark::State &state, WritePdf writePdf)
{
    const QList<batch::Page> pages = classPages();
    if (pages.isEmpty()) {
        state.SkipWithError("no template in data/Wzory");
        return;
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("klasa.pdf"));
    const printing::SheetGeometry geometry = printing::SheetGeometry::a4(600);
    for (auto _ : state) {
        batch::StagedOutputs outputs;
        writePdf(outputs.stage(pdf), pages, geometry);
        outputs.commitAll();
    }
    report(state, pdf);
}

// As dyplom-druk wrote a list before: the template drawn on every page.
void BM_Batch100Pdf600_Direct(benchmark::State &state)
{
    batchToPdf(state,
               [](batch::OutputFile &output, const QList<batch::Page> &pages, const printing::SheetGeometry &geometry) {
                   batch::PdfTarget target(output, geometry);
                   printing::SheetDevice device(geometry, target);
                   batch::printPages(device, pages, {});
                   target.finish();
               });
}
BENCHMARK(BM_Batch100Pdf600_Direct)->Unit(benchmark::kMillisecond)->UseRealTime();

// As dyplom-druk writes it now: the template drawn once and shared.
void BM_Batch100Pdf600_Compact(benchmark::State &state)
{
    batchToPdf(state,
               [](batch::OutputFile &output, const QList<batch::Page> &pages, const printing::SheetGeometry &geometry) {
                   batch::OffPageTexts offPage;
                   batch::CompactPdfWriter(geometry, pages.first().input).write(output, pages, offPage);
               });
}
BENCHMARK(BM_Batch100Pdf600_Compact)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int Class = 30;

// A class of 30 through runBatch into one PDF: plain A4, or two A5 on an A4
// sheet with two copies of every diploma (60 diplomas on 30 sheets).
void classOf30(benchmark::State &state, const batch::SheetLayout &layout, int copies)
{
    QList<batch::Page> pages = classPages().mid(0, Class);
    if (pages.isEmpty()) {
        state.SkipWithError("no template in data/Wzory");
        return;
    }
    for (batch::Page &p : pages)
        p.copies = copies;
    QTemporaryDir dir;
    batch::BatchPlan plan;
    plan.layout = layout;
    plan.outputs.append(batch::PlannedOutput(batch::BatchOutput::OnePdf, dir.filePath(QStringLiteral("klasa.pdf"))));
    for (auto _ : state)
        batch::runBatch(plan, pages, {});
    const double bytes = double(QFileInfo(plan.outputs.first().path).size());
    state.counters["diplomas"] = double(Class * copies);
    state.counters["pdf_kB"] = bytes / 1000.0;
    state.counters["pdf_bytes_per_diploma"] = bytes / (Class * copies);
    state.SetLabel(QFileInfo(largestShippedTemplate()).fileName().toStdString());
}

void BM_Class30_A4(benchmark::State &state)
{
    classOf30(state, batch::SheetLayout{}, 1);
}
BENCHMARK(BM_Class30_A4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Class30_TwoA5PerSheet_TwoCopies(benchmark::State &state)
{
    batch::SheetLayout layout;
    layout.paper = QStringLiteral("A5");
    layout.perSheet = 2;
    classOf30(state, layout, 2);
}
BENCHMARK(BM_Class30_TwoA5PerSheet_TwoCopies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv);
}
