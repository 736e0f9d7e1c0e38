// The log view under load: AddLog into a shown view, one event-loop pass
// (refresh and repaint) per batch of lines, as agent events arrive in bursts.
// Counters give lines/s while the log passes 100k and 3 million lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <string>

#include "bench/BenchSupport.h"
#include "protocol/TrCodes.h"
#include "ui/qt/LogView.h"

namespace zqk {
namespace {

const std::string kText = std::string("국내 체결내역 : 조회[")
                              .append(tr::kDomesticFills)
                              .append("] 체결수량[12] 가격[352.45]");

// The log grows from 0 to 3 million lines in a shown view that selects and
// shows the newest line; the event loop gets a pass after every batch, as
// agent events arrive in bursts. Counters: lines/s over the first and the last
// million, their ratio, and the worst time the event loop went unserved.
void BM_AddLogIntoView(benchmark::State& state) {
  constexpr size_t kTarget = 3'000'000;
  constexpr size_t kMillion = 1'000'000;
  const size_t batch = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    bench::HeadlessDialog d;
    LogView view(d.dlg.Log());
    view.resize(772, 132);
    view.show();
    QApplication::processEvents();
    const bench::Clock::time_point begin = bench::Now();
    bench::Clock::time_point lastPass = begin, firstMillionEnd{}, lastMillionStart{};
    double worstGap = 0;
    for (size_t i = 0; i < kTarget; ++i) {
      if (i == kTarget - kMillion) lastMillionStart = bench::Now();
      d.dlg.AddLog(kText);
      if (i % batch == batch - 1) {
        QApplication::processEvents();
        const bench::Clock::time_point now = bench::Now();
        worstGap = std::max(worstGap, bench::Seconds(lastPass, now));
        lastPass = now;
      }
      if (i == kMillion - 1) firstMillionEnd = bench::Now();
    }
    QApplication::processEvents();
    const double first = kMillion / bench::Seconds(begin, firstMillionEnd);
    const double last = kMillion / bench::Seconds(lastMillionStart, bench::Now());
    state.counters["first_million_lines_per_s"] = first;
    state.counters["last_million_lines_per_s"] = last;
    state.counters["last_over_first"] = last / first;
    state.counters["worst_gap_ms"] = worstGap * 1000;
    if (view.TopLine() + static_cast<size_t>(view.FullRows()) != kTarget) {
      state.SkipWithError("the newest line is not in view");
    }
  }
}
BENCHMARK(BM_AddLogIntoView)->Arg(1000)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk
