// The simulated market's costs: a product's state at "now" as a feed asks
// for it every millisecond, and the first state of a product after hours of
// agent time (the session's catch-up), and pages of minute bars.
#include <benchmark/benchmark.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <memory>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/settings/SandboxSettings.h"

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

// Start-up: the product universe and the market over it, then the ledger
// seeded for the built-in users.
void BM_MarketStart(benchmark::State& state) {
  for (auto _ : state) {
    SimulatedMarket market(1, Clock());
    benchmark::DoNotOptimize(market.products().All().size());
  }
  state.counters["products"] =
      static_cast<double>(SimulatedMarket(1, Clock()).products().All().size());
}
BENCHMARK(BM_MarketStart)->Unit(benchmark::kMillisecond);

void BM_LedgerStart(benchmark::State& state) {
  const std::vector<sandbox::User> users = sandbox::BuiltInUsers();
  for (auto _ : state) {
    state.PauseTiming();
    SimulatedMarket market(1, Clock());
    state.ResumeTiming();
    Ledger ledger(users, market);
    benchmark::DoNotOptimize(ledger.Find("06801004"));
  }
}
BENCHMARK(BM_LedgerStart)->Unit(benchmark::kMillisecond);

// A list of every overseas future with its price, as a product list asks:
// the cost a product should not grow with the universe.
void BM_GlanceEveryOverseasFuture(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    SimulatedMarket market(1, Clock());
    const std::vector<const Product*> futures =
        market.products().Matching("", sandbox::Market::kOverseas);
    state.ResumeTiming();
    for (const Product* p : futures) {
      if (p->kind == ProductKind::kFuture) benchmark::DoNotOptimize(market.GlanceAt(*p, 1000));
    }
  }
}
BENCHMARK(BM_GlanceEveryOverseasFuture)->Unit(benchmark::kMillisecond);

// A page of 100 one-minute bars of ESU16 five hours into the agent's day,
// as the minute-bar query asks for it: on a market that has built no bars yet (cold), a
// second later (the same minutes but the newest), and the page before it
// (continued: minutes it has not seen).
enum class BarsPage { kCold, kRepeated, kContinued };

void BM_MinuteBarsPage(benchmark::State& state, BarsPage page) {
  constexpr int64_t kNow = 5 * 3'600'000 + 12'345;
  std::unique_ptr<SimulatedMarket> market;
  int64_t at = kNow;
  for (auto _ : state) {
    state.PauseTiming();
    if (!market || page != BarsPage::kRepeated) {
      market = std::make_unique<SimulatedMarket>(1, Clock());
      if (page == BarsPage::kContinued) {
        market->Bars(*market->products().Find("ESU16"), 60, kNow, 100);
        at = kNow - 100 * 60'000;
      } else if (page == BarsPage::kRepeated) {
        market->Bars(*market->products().Find("ESU16"), 60, kNow, 100);
      }
    }
    if (page == BarsPage::kRepeated) at += 1'000;
    const Product& p = *market->products().Find("ESU16");
    state.ResumeTiming();
    benchmark::DoNotOptimize(market->Bars(p, 60, at, 100));
  }
}
BENCHMARK_CAPTURE(BM_MinuteBarsPage, cold, BarsPage::kCold)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MinuteBarsPage, repeated, BarsPage::kRepeated)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MinuteBarsPage, continued, BarsPage::kContinued)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
