// A class list of 10,000 rows as a register exports it (Lp;Imię;Nazwisko;
// Klasa, UTF-8 with a mark, CR LF): read into a table, merged into a
// diploma with fields, and made into pages with every name checked against
// the template's free area.
//   build/bench/bench_lists --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "batch/ClassList.h"
#include "batch/merge/Merger.h"
#include "batch/table/ReadTable.h"

#include "StartupDiploma.h"
#include "QtBenchmarkMain.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 10000;

const QString &listPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("szkola.csv"));
        QByteArray bytes("\xEF\xBB\xBFLp;Imię;Nazwisko;Klasa\r\n");
        for (int k = 1; k <= Rows; ++k)
            bytes += QStringLiteral("%1;Zofia%1;\"Gęślą-Jaźń %1\";%2%3\r\n")
                         .arg(k)
                         .arg(1 + k % 8)
                         .arg(QChar(u'a' + k % 4))
                         .toUtf8();
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return p;
    }();
    return path;
}

void ReadCsv(benchmark::State &state)
{
    for (auto _ : state) {
        const batch::Table t = batch::readTable(listPath(), {});
        if (t.rows.size() != Rows + 1)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(t.rows.size());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}

void ReadAndMerge(benchmark::State &state)
{
    editor::DiplomaTexts texts;
    texts.body[0] = QStringLiteral("uczeń klasy {Klasa}");
    batch::MergeSettings settings;
    settings.listName = listPath();
    for (auto _ : state) {
        const batch::MergeResult r = batch::mergeList(batch::readTable(listPath(), {}), texts, settings);
        if (r.records.size() != Rows)
            state.SkipWithError("wrong record count");
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}

// Everything dyplom-druk does before drawing: read, merge, fit, glyphs, duplicates.
void ClassPages(benchmark::State &state)
{
    printing::PrintInput base;
    startupdiploma::setStyles(base);
    base.texts.heading = QStringLiteral("Dyplom");
    base.texts.body[0] = QStringLiteral("uczeń klasy {Klasa}");
    batch::ClassListSettings settings;
    settings.listPath = listPath();
    settings.fit.shrink = true;
    for (auto _ : state) {
        const batch::ClassList list = batch::buildClassList(base, settings);
        if (list.pages.size() != Rows)
            state.SkipWithError("wrong page count");
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}

} // namespace

BENCHMARK(ReadCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndMerge)->Unit(benchmark::kMillisecond);
BENCHMARK(ClassPages)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
