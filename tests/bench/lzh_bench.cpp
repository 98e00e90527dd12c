// Throughput of the LZH decoder and encoder on a skin-sized payload. Run
// with --benchmark_repetitions to get medians; the compressed size and the
// ratio are reported as counters.
#include "skin/load/LzhEncoder.h"
#include "skin/load/WinConvert.h"
#include "tests/bench/SkinLikePayload.h"

#include <benchmark/benchmark.h>

namespace {

const std::vector<std::uint8_t>& Payload()
{
    static const std::vector<std::uint8_t> payload = SkinLikePayload();
    return payload;
}

const std::vector<std::uint8_t>& Coded()
{
    static const std::vector<std::uint8_t> coded = LzhEncode(Payload());
    return coded;
}

void ReportSizes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Payload().size()));
    state.counters["unpacked"] = static_cast<double>(Payload().size());
    state.counters["packed"] = static_cast<double>(Coded().size());
    state.counters["ratio%"] = 100.0 * static_cast<double>(Coded().size()) / static_cast<double>(Payload().size());
}

void BM_LzhDecode(benchmark::State& state)
{
    const auto length = static_cast<std::int32_t>(Payload().size());
    for (auto _ : state) {
        std::vector<std::uint8_t> out = LzhDecode(Coded(), length);
        benchmark::DoNotOptimize(out.data());
    }
    if (LzhDecode(Coded(), length) != Payload()) {
        state.SkipWithError("round trip differs");
    }
    ReportSizes(state);
}

void BM_LzhEncode(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::uint8_t> coded = LzhEncode(Payload());
        benchmark::DoNotOptimize(coded.data());
    }
    ReportSizes(state);
}

}  // namespace

BENCHMARK(BM_LzhDecode)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_LzhEncode)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
