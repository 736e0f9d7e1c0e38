// Finding a word in a long log: the log window's search counting the lines
// that match in 10 million lines of the console's kind (Korean labels,
// brackets, numbers), with and without regard to case; and the same search
// run by a shown log window a slice per event-loop pass, with the worst time
// the event loop went unserved.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <array>
#include <string>
#include <variant>

#include "bench/BenchSupport.h"
#include "dialog/LogSearch.h"
#include "protocol/TrCodes.h"
#include "ui/qt/LogPane.h"

namespace zqk {
namespace {

constexpr size_t kLines = 10'000'000;

// One line in a thousand holds the word searched for ("ESU16").
const EventLog& TenMillionLines() {
  static EventLog* log = [] {
    auto* l = new EventLog;
    const std::array<std::string, 4> kinds = {
        "[PM 03:07:09]  체결 주문번호[0001709]종목[101F9000]매매[1]가격[260.60]수량[2]",
        std::string("[PM 03:07:09]  국내 체결내역 : 조회[")
            .append(tr::kDomesticFills)
            .append("] 체결수량[12] 가격[352.45]"),
        "[PM 03:07:09]  리얼번호[184]계좌번호[07215003]주문가능금액[205412553]",
        "[PM 03:07:09]  미체결 주문번호[0001712]종목[101G3000]매매[1]가격[255.50]수량[3]잔량[3]",
    };
    const std::string word = "[PM 03:07:09]  [20160901][090100][2174.75][4] ESU16 체결량[4]";
    for (size_t i = 0; i < kLines; ++i) l->Append(i % 1000 == 999 ? word : kinds[i % 4]);
    return l;
  }();
  return *log;
}

LogPattern Pattern(const std::string& text, bool matchCase) {
  return std::get<LogPattern>(LogPattern::Compile(text, matchCase));
}

void BM_CountMatches(benchmark::State& state, const std::string& word, bool matchCase) {
  const EventLog& log = TenMillionLines();
  size_t matches = 0;
  for (auto _ : state) {
    LogSearch search;
    search.Start(Pattern(word, matchCase));
    search.Continue(log, kLines);
    matches = search.Matches().size();
  }
  state.counters["matching_lines"] = static_cast<double>(matches);
  state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(kLines),
                                                     benchmark::Counter::kIsIterationInvariantRate);
  if (matches != kLines / 1000) state.SkipWithError("wrong number of matches");
}
BENCHMARK_CAPTURE(BM_CountMatches, ascii_word_match_case, std::string("ESU16"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountMatches, ascii_word_any_case, std::string("esu16"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountMatches, korean_word, std::string("체결량"), true)
    ->Unit(benchmark::kMillisecond);

// The shown log window's pane searches the 10 million lines a slice per pass.
void BM_SearchInWindow(benchmark::State& state) {
  EventLog& log = const_cast<EventLog&>(TenMillionLines());
  for (auto _ : state) {
    LogPane pane(log);
    pane.resize(772, 400);
    pane.show();
    QApplication::processEvents();
    const bench::Clock::time_point begin = bench::Now();
    bench::Clock::time_point lastPass = begin;
    double worstGap = 0;
    pane.SetPattern(Pattern("esu16", false));
    while (!pane.SearchComplete()) {
      QApplication::processEvents();
      const bench::Clock::time_point now = bench::Now();
      worstGap = std::max(worstGap, bench::Seconds(lastPass, now));
      lastPass = now;
    }
    state.counters["search_s"] = bench::Seconds(begin, bench::Now());
    state.counters["worst_gap_ms"] = worstGap * 1000;
    if (pane.Search().Matches().size() != kLines / 1000) state.SkipWithError("wrong matches");
  }
}
BENCHMARK(BM_SearchInWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk
