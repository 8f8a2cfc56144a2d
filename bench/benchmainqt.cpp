// The main of the benchmarks that need nothing but a Qt application (offscreen unless
// another platform is asked for) around their cases.
#include "entornobenchmark.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    EntornoBenchmark entorno;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
