// Reading a class list of 10,000 pupils from .xlsx, .ods and .xls.
//   build/bench/bench_sheets                      the benchmarks
//   build/bench/bench_sheets --write DIR           writes lista.xlsx, lista.ods, lista.xls
//   /usr/bin/time -v build/bench/bench_sheets --read DIR/lista.xlsx   one read, for its peak memory
#include "SheetSamples.h"
#include "batch/table/Spreadsheet.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kPupils = 10000;

// .xls through xlwt, the writer the tests use (we write no .xls of our own).
QByteArray xlsOf(const QList<QStringList> &rows)
{
    QVariantList sheetRows;
    for (const QStringList &r : rows) {
        QVariantList cells;
        for (const QString &c : r) {
            bool number = false;
            const int n = c.toInt(&number);
            cells.append(number ? QVariant(n) : QVariant(c));
        }
        sheetRows.append(QVariant(cells));
    }
    const QVariantMap spec{{"format", "xls"},
                           {"sheets", QVariantList{QVariantMap{{"name", "Klasa"}, {"rows", sheetRows}}}}};
    QTemporaryDir dir;
    QFile specFile(dir.filePath("spec.json"));
    if (!specFile.open(QIODevice::WriteOnly))
        return {};
    specFile.write(QJsonDocument::fromVariant(spec).toJson());
    specFile.close();
    QProcess python;
    python.start("/usr/bin/python3",
                 {DYPLOM_SOURCE_DIR "/tests/spreadsheets/sheetwriter.py", specFile.fileName(), dir.filePath("l.xls")});
    python.waitForFinished(120000);
    QFile out(dir.filePath("l.xls"));
    return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
}

QByteArray fileOf(const QString &format)
{
    const QList<QStringList> rows = sheetsamples::classList(kPupils);
    if (format == "xlsx")
        return sheetsamples::xlsxRows(rows);
    if (format == "ods")
        return sheetsamples::odsRows(rows);
    return xlsOf(rows);
}

void readList(benchmark::State &state, const QString &format)
{
    const QByteArray bytes = fileOf(format);
    if (bytes.isEmpty()) {
        state.SkipWithError("no file");
        return;
    }
    for (auto _ : state) {
        const batch::Table t = batch::readSpreadsheet(bytes, "lista." + format, {});
        if (t.rows.size() != kPupils + 1)
            state.SkipWithError("wrong row count");
    }
    state.counters["rows/s"] = benchmark::Counter(double(kPupils + 1), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["kB"] = double(bytes.size()) / 1024;
}

void Xlsx(benchmark::State &state)
{
    readList(state, "xlsx");
}
void Ods(benchmark::State &state)
{
    readList(state, "ods");
}
void Xls(benchmark::State &state)
{
    readList(state, "xls");
}

} // namespace

BENCHMARK(Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(Ods)->Unit(benchmark::kMillisecond);
BENCHMARK(Xls)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        for (const char *format : {"xlsx", "ods", "xls"}) {
            QFile f(QString::fromLocal8Bit(argv[2]) + "/lista." + format);
            if (!f.open(QIODevice::WriteOnly) || f.write(fileOf(format)) <= 0)
                return 1;
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        try {
            const batch::Table t = batch::readSpreadsheet(f.readAll(), f.fileName(), {});
            std::printf("%lld rows, %d columns\n", static_cast<long long>(t.rows.size()), t.columnCount);
        } catch (const batch::TableError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
