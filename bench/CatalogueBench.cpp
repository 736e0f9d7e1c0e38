// The request catalogue's filter over every code and real type, one keystroke
// at a time: the pure filter, and the shown window answering a keystroke
// (filter, list, details and form rebuilt) with the time the event loop took
// for it. Each keystroke must be answered within 5 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "dialog/RequestCatalogue.h"
#include "ui/qt/CatalogueWindow.h"
#include "ui/qt/Cp949Text.h"

namespace zqk {
namespace {

// What a user types, keystroke by keystroke, and then clears.
constexpr std::array<std::string_view, 9> kKeystrokes = {"o",  "o5",   "o51", "o512",  "",
                                                         "분", "분봉", "m",   "minute"};

void BM_FilterKeystroke(benchmark::State& state) {
  size_t i = 0;
  size_t kept = 0;
  for (auto _ : state) {
    kept += FilterCatalogue(kKeystrokes[i]).size();
    i = (i + 1) % kKeystrokes.size();
  }
  benchmark::DoNotOptimize(kept);
  state.counters["entries"] = static_cast<double>(CatalogueEntries().size());
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMicrosecond);

// The shown window: the text of the filter set as a keystroke sets it, and
// the event loop run until it is idle again (list, details, form and their
// painting). The wall clock counts the other processes of a shared machine;
// the thread's CPU time does not.
void BM_WindowKeystroke(benchmark::State& state) {
  bench::HeadlessDialog headless;
  headless.dlg.OnInitDialog();
  CatalogueWindow window(headless.dlg);
  window.show();
  QApplication::processEvents();
  size_t i = 0;
  std::vector<double> wall;
  std::vector<double> cpu;
  for (auto _ : state) {
    const bench::Clock::time_point begin = bench::Now();
    const double cpuBegin = bench::ThreadCpuSeconds();
    window.FilterEdit()->setText(FromCp949(kKeystrokes[i]));
    QApplication::processEvents();
    cpu.push_back(bench::ThreadCpuSeconds() - cpuBegin);
    wall.push_back(bench::Seconds(begin, bench::Now()));
    i = (i + 1) % kKeystrokes.size();
  }
  auto percentile = [](std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[std::min(v.size() - 1, static_cast<size_t>(p * v.size()))] * 1000;
  };
  state.counters["wall_p50_ms"] = percentile(wall, 0.5);
  state.counters["wall_p99_ms"] = percentile(wall, 0.99);
  state.counters["cpu_p50_ms"] = percentile(cpu, 0.5);
  state.counters["cpu_p99_ms"] = percentile(cpu, 0.99);
  state.counters["cpu_max_ms"] = percentile(cpu, 1.0);
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zqk
