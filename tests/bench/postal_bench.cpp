// Time of one full lookup over the built-in table, as the main window runs
// it on every click: every row split again, nothing cached. Each case repeats
// and prints its median.
#include "app/PostalLookup.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

void searchFor(benchmark::State& state, std::string_view keyword)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::searchKeyword(app::postalTable(), keyword));
    }
}

void BM_SearchZhou(benchmark::State& state)
{
    searchFor(state, "州");
}

void BM_SearchZero(benchmark::State& state)
{
    searchFor(state, "0");
}

void BM_BrowseHebei(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::browseGroup(app::postalTable(), "河北"));
    }
}

void medianOfRuns(benchmark::internal::Benchmark* bench)
{
    bench->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_SearchZhou)->Apply(medianOfRuns);
BENCHMARK(BM_SearchZero)->Apply(medianOfRuns);
BENCHMARK(BM_BrowseHebei)->Apply(medianOfRuns);

BENCHMARK_MAIN();
