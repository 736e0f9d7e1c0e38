// The log view under load: AddLog into a shown view, one event-loop pass
// (refresh and repaint) per batch of lines, as agent events arrive in bursts.
// Counters give lines/s while the log passes 100k and 3 million lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "bench/BenchSupport.h"
#include "ui/qt/LogView.h"

namespace zqk {
namespace {

const std::string kText = "국내 체결내역 : 조회[g11002.DQ0107&] 체결수량[12] 가격[352.45]";

void BM_AddLogIntoView(benchmark::State& state) {
  const size_t target = static_cast<size_t>(state.range(0));
  const size_t batch = static_cast<size_t>(state.range(1));
  // The rate is measured over the last tenth of the lines.
  const size_t measureFrom = target - target / 10;
  for (auto _ : state) {
    bench::HeadlessDialog d;
    LogView view(d.dlg.Log());
    view.resize(772, 132);
    view.show();
    QApplication::processEvents();
    bench::Clock::time_point start{};
    for (size_t i = 0; i < target; ++i) {
      if (i == measureFrom) start = bench::Now();
      d.dlg.AddLog(kText);
      if (i % batch == batch - 1) QApplication::processEvents();
    }
    QApplication::processEvents();
    const double seconds = bench::Seconds(start, bench::Now());
    state.counters["lines_per_s"] = static_cast<double>(target - measureFrom) / seconds;
    if (view.TopLine() + static_cast<size_t>(view.FullRows()) != target) {
      state.SkipWithError("the newest line is not in view");
    }
  }
}
BENCHMARK(BM_AddLogIntoView)
    ->Args({100'000, 1000})
    ->Args({3'000'000, 1000})
    ->Args({3'000'000, 100})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
