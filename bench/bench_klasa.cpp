// The class window with a long list, run as in the program but with the
// work inline (offscreen): from opening a list to its first page shown, one
// page step, and the peak memory with 10,000 rows.
//   build/bench/bench_klasa --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "StartupDiploma.h"

#include "diplomafile/DiplomaRecord.h"
#include "klasa/ClassWindow.h"
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QFile>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeList(int rows)
{
    const QString p = folder().filePath(QStringLiteral("klasa-%1.csv").arg(rows));
    if (QFile::exists(p))
        return p;
    QByteArray bytes("Lp;Imię;Nazwisko;Klasa;Uwagi\r\n");
    for (int k = 1; k <= rows; ++k)
        bytes += QStringLiteral("%1;Zofia%1;Gęślą-Jaźń %1;%2a;wzorowe\r\n").arg(k).arg(1 + k % 8).toUtf8();
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return p;
}

QString diploma()
{
    const QString p = folder().filePath(QStringLiteral("d.dyp"));
    if (!QFile::exists(p)) {
        diplomafile::DiplomaContent c;
        startupdiploma::setStyles(c);
        c.templateNumber = 1;
        c.texts.heading = QStringLiteral("Dyplom");
        c.texts.body[1] = QStringLiteral("uczeń klasy {Klasa}");
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(diplomafile::buildDiplomaRecord(c));
    }
    return p;
}

struct Window {
    klasa::InlineRunner runner;
    klasa::ClassWindow window{QStringLiteral(DYPLOM_DATA_DIR), &runner};
    Window() { window.loadDiploma(diploma()); }
};

void OpenListToFirstPage(benchmark::State &state)
{
    const QString list = writeList(int(state.range(0)));
    Window w;
    for (auto _ : state) {
        w.window.loadList(list);
        if (w.window.previewImage().isNull())
            state.SkipWithError("no page shown");
    }
}
BENCHMARK(OpenListToFirstPage)->Arg(1000)->Unit(benchmark::kMillisecond);

void PageStep(benchmark::State &state)
{
    Window w;
    w.window.loadList(writeList(1000));
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 1000;
        w.window.showPage(page);
    }
}
BENCHMARK(PageStep)->Unit(benchmark::kMillisecond);

// The longest the GUI thread does not answer while a 10,000-row list is
// opened as in the program (its own pools): the largest gap between the
// ticks of a 1 ms timer, the open call itself included, until the pages
// are made and the first one is shown. Reported as longest_block_ms.
void GuiBlockedOpening10000(benchmark::State &state)
{
    const QString list = writeList(10000);
    qint64 worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        klasa::ClassWindow window(QStringLiteral(DYPLOM_DATA_DIR));
        window.show();
        window.loadDiploma(diploma());
        const auto settle = [&] {
            while (window.readingList() || window.building() || window.previewImage().isNull())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        };
        settle();
        state.ResumeTiming();
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        const auto tick = [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        };
        QTimer timer;
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, tick);
        clock.start();
        timer.start();
        window.loadList(list);
        tick();
        while (window.readingList() || window.building() || window.session().pages().size() != 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const QImage shownBefore = window.previewImage();
        while (window.previewImage().cacheKey() == shownBefore.cacheKey() && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        tick();
        worst = std::max(worst, longest);
    }
    state.counters["longest_block_ms"] = double(worst);
}
BENCHMARK(GuiBlockedOpening10000)->Iterations(3)->Unit(benchmark::kMillisecond);

// Peak resident memory of the process once 10,000 rows are open and shown.
void PeakMemory10000(benchmark::State &state)
{
    const QString list = writeList(10000);
    for (auto _ : state) {
        Window w;
        w.window.loadList(list);
        benchmark::DoNotOptimize(w.window.previewImage());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(PeakMemory10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv);
}
