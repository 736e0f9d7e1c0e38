// The simulated market's costs: a product's state at "now" as a feed asks
// for it every millisecond, and the first state of a product after hours of
// agent time (the session's catch-up).
#include <benchmark/benchmark.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "sandbox/market/SimulatedMarket.h"

namespace zqk {
namespace {

using namespace sandbox::market;

MarketClock Clock() {
  return MarketClock(QDateTime(QDate(2016, 9, 1), QTime(9, 0)).toSecsSinceEpoch(), 0);
}

void BM_SnapshotEveryMillisecond(benchmark::State& state, const char* code) {
  SimulatedMarket market(1, Clock());
  const Product& p = *market.products().Find(code);
  int64_t now = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(market.At(p, ++now));
  }
}
BENCHMARK_CAPTURE(BM_SnapshotEveryMillisecond, future, "ESU16");
BENCHMARK_CAPTURE(BM_SnapshotEveryMillisecond, option, "201JB245");
BENCHMARK_CAPTURE(BM_SnapshotEveryMillisecond, index, "KOSPI200");

void BM_FirstSnapshotAfterHours(benchmark::State& state) {
  const int64_t hours = state.range(0);
  for (auto _ : state) {
    SimulatedMarket market(1, Clock());
    benchmark::DoNotOptimize(market.At(*market.products().Find("ESU16"), hours * 3'600'000));
  }
}
BENCHMARK(BM_FirstSnapshotAfterHours)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
