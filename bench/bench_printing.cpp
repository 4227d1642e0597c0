// Printing one diploma to a 600 dpi PDF with the largest shipped template.
// Reports the time per diploma and the PDF size (counter pdf_bytes).
#include "printing/PrintDiploma.h"
#include "printing/QtPrinterDevice.h"

#include "BenchFiles.h"
#include "StartupDiploma.h"
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

printing::PrintInput startupDiploma(const wmf::Metafile &picture)
{
    printing::PrintInput in;
    startupdiploma::setStyles(in);
    in.texts.heading = QStringLiteral("Dyplom");
    in.texts.body[0] = QStringLiteral("za wybitne osiągnięcia w nauce");
    in.texts.body[1] = QStringLiteral("i wzorowe zachowanie");
    in.texts.body[2] = QStringLiteral("w roku szkolnym 2025/2026");
    in.texts.recipient = QStringLiteral("Zofia Wiśniewska");
    in.picture = picture;
    return in;
}

void BM_PrintDiplomaPdf600(benchmark::State &state)
{
    const QString path = largestShippedTemplate();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no template in data/Wzory");
        return;
    }
    const wmf::Metafile picture = wmf::Metafile::fromBytes(file.readAll());
    const printing::PrintInput input = startupDiploma(picture);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("dyplom.pdf"));

    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printing::QtPrinterDevice device(printer);
        printing::printDiploma(device, input);
    }
    state.counters["pdf_bytes"] = double(QFileInfo(pdf).size());
    state.counters["template_bytes"] = double(file.size());
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}
BENCHMARK(BM_PrintDiplomaPdf600)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv);
}
