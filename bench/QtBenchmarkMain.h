#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

// The main of a benchmark that draws: a Qt application of the given kind
// (offscreen unless the caller chose a platform) around Google Benchmark.
template <typename Application>
int runQtBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
