// What every benchmark program's main does once its environment is set: run the chosen
// benchmarks inside a Qt application.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

inline int runBenchmarks(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
