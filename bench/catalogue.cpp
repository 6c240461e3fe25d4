// Reading the shipped layout file, as the main window does at its first activation.
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"

#include <benchmark/benchmark.h>

static void BM_LoadLLOFile(benchmark::State &state) {
    const QString path = QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO");
    for (auto _ : state) {
        PageModel page;
        LoadLLOFile(page, path);
        benchmark::DoNotOptimize(page.LayoutCount());
        if (page.LayoutCount() == 0)
            state.SkipWithError("the shipped catalogue is empty or missing");
    }
}
BENCHMARK(BM_LoadLLOFile)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
