// Sustained real-time decoding without a window, from the sandbox's feeds:
// quote feeds of four domestic products (type 65) and four overseas ones
// (type 82) ticking at the sandbox's highest rate, and the order feed of a
// domestic account while orders rest, are cancelled and fill (181 to 185,
// with the positions and closes that fills bring). Agent time runs on the
// headless driver's virtual clock, as fast as the sandbox can post ticks and
// the console decode them. Every record is checked against what its type
// logs (see SandboxConsole.h).
//
// Counters: records_per_s (records over the wall time of sandbox and console
// together; records_per_cpu_s over the thread's CPU time),
// console_records_per_s (records over the time spent in the dialog's event
// handlers, the agent's answers to their reads included: the decoding
// alone), console_share and console_us_per_record, lines_per_s, the share of
// each real type, held_by_filter (order records that name another order than
// the last accepted one, which log nothing by design), and lost / unexpected,
// which must be 0.
//
// BM_SandboxFeedsHeadlessRecording is the same road with the session recorded
// (every call, event and step into a file in the temporary directory, written
// whole at every 64 KiB and at the end of each pass of the virtual event loop,
// here a second of agent time); recorded_mb_per_s is what the file took.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "agent/VirtualUiThread.h"
#include "bench/BenchSupport.h"
#include "bench/SandboxConsole.h"
#include "protocol/TrCodes.h"

namespace zqk {
namespace {

constexpr std::string_view kSettings =
    R"({"replyLatencyMs": 0, "replyJitterMs": 0, "tickRate": 1000,
        "clockStart": "2016-09-01T10:00:00"})";

constexpr std::array<std::string_view, 4> kDomesticKeys = {"101G3000", "101G6000", "105G1000",
                                                           "201JB245"};
constexpr std::array<std::string_view, 4> kOverseasKeys = {"ESU16", "6EZ16", "CLV16", "FDAXH17"};
// Traded by the order cycle; the seeded account holds no position in it.
constexpr std::string_view kOrderProduct = "101G9000";

// One step of the order cycle every this many milliseconds of agent time.
constexpr int kOrderEveryMs = 20;

// A limit order far from the market rests (acceptance, open order, amount),
// its cancel confirms (acceptance, confirmation, amount), a market buy and a
// market sell fill (acceptance, fill, position or close, open order, amount).
class OrderCycle {
 public:
  explicit OrderCycle(bench::SandboxConsole& console) : console_(console) {}
  void Step() {
    switch (step_++ % 4) {
      case 0:
        Send(tr::kDomesticNewOrder, bench::DomesticOrderRecord(kOrderProduct, '1', "200.00"));
        break;
      case 1:  // the resting order is the last one accepted
        Send(tr::kDomesticCancelOrder,
             bench::DomesticOrderRecord(kOrderProduct, '1', "", console_.Dlg().m_strLastOrderNo));
        break;
      case 2:
        Send(tr::kDomesticNewOrder, bench::DomesticOrderRecord(kOrderProduct, '1', ""));
        break;
      case 3:
        Send(tr::kDomesticNewOrder, bench::DomesticOrderRecord(kOrderProduct, '2', ""));
        break;
    }
  }

 private:
  void Send(std::string_view code, const std::string& record) { console_.SendOrder(code, record); }
  bench::SandboxConsole& console_;
  int step_ = 0;
};

// `recording`: the file the session is recorded into; none: not recorded.
void RunFeeds(benchmark::State& state, const std::filesystem::path* recording) {
  bench::NoHost host;
  VirtualUiThread ui;
  bench::SandboxConsole console("zqk-bench-real", kSettings, host, ui);
  bench::TallyingDialog& dlg = console.Dlg();
  if (const std::string error = console.SignIn(); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (std::string_view key : kDomesticKeys) {
    if (!console.AddReal(key, 65)) state.SkipWithError("a domestic feed was refused");
  }
  for (std::string_view key : kOverseasKeys) {
    if (!console.AddReal(key, 82)) state.SkipWithError("an overseas feed was refused");
  }
  console.AddOrderReal(bench::kDomesticAccount);
  ui.Advance(100);  // the open orders of the registration, the market caught up
  dlg.ResetTally();
  // A recording file stays below this; begun again when it passes it.
  constexpr uintmax_t kRecordingBytes = uintmax_t{256} << 20;
  uintmax_t recorded = 0;
  // A fresh file each time: emptying the old one would make the file system
  // write out what it holds first.
  auto startRecording = [&] {
    dlg.StopRecording();
    std::error_code ignored;
    std::filesystem::remove(*recording, ignored);
    std::string reason;
    if (!dlg.StartRecording(*recording, &reason)) state.SkipWithError(reason.c_str());
  };
  if (recording) startRecording();
  OrderCycle orders(console);
  double handlerSeconds = 0;
  dlg.SetHandlerClock(&handlerSeconds);
  const bench::Clock::time_point start = bench::Now();
  const double cpuStart = bench::ThreadCpuSeconds();
  for (auto _ : state) {
    // A second of agent time: 1,000 ticks of every feed, 100 order steps.
    for (int ms = 0; ms < 1000; ++ms) {
      if (ms % kOrderEveryMs == 0) orders.Step();
      ui.Advance(1);
    }
    // The end of a pass of the event loop, as zqk-script's "wait 1000" ends
    // one; within it the buffer goes out at every 64 KiB.
    dlg.FlushRecording();
    if (dlg.Log().Count() > 1'000'000) dlg.Log().Clear();
    if (recording && std::filesystem::file_size(*recording) > kRecordingBytes) {
      dlg.FlushRecording();
      recorded += std::filesystem::file_size(*recording);
      startRecording();
    }
  }
  if (recording) {
    if (!dlg.IsRecording()) state.SkipWithError("the recording stopped");
    dlg.StopRecording();
    recorded += std::filesystem::file_size(*recording);
  }
  const double wallSeconds = bench::Seconds(start, bench::Now());
  const double cpuSeconds = bench::ThreadCpuSeconds() - cpuStart;
  dlg.SetHandlerClock(nullptr);
  const bench::RealTimeTally& t = dlg.Tally();
  const double records = static_cast<double>(t.Records());
  state.SetItemsProcessed(t.Records());
  state.counters["records_per_s"] = benchmark::Counter(records, benchmark::Counter::kIsRate);
  state.counters["records_per_cpu_s"] = records / cpuSeconds;
  state.counters["lines_per_s"] =
      benchmark::Counter(static_cast<double>(t.lines), benchmark::Counter::kIsRate);
  state.counters["console_records_per_s"] = records / handlerSeconds;
  state.counters["console_share"] = handlerSeconds / wallSeconds;
  state.counters["console_us_per_record"] = 1e6 * handlerSeconds / records;
  for (int32_t type : {65, 82, 181, 182, 183, 184, 185}) {
    auto it = t.records.find(type);
    state.counters["share_" + std::to_string(type)] =
        it == t.records.end() ? 0 : static_cast<double>(it->second) / records;
  }
  state.counters["held_by_filter"] = static_cast<double>(t.held);
  state.counters["lost"] = static_cast<double>(t.lost);
  state.counters["unexpected"] = static_cast<double>(t.unexpected);
  if (recording) {
    state.counters["recorded_mb_per_s"] = static_cast<double>(recorded) / 1e6 / wallSeconds;
  }
  if (t.lost || t.unexpected) state.SkipWithError("records without their lines");
}

void BM_SandboxFeedsHeadless(benchmark::State& state) {
  RunFeeds(state, nullptr);
}
BENCHMARK(BM_SandboxFeedsHeadless)->MinTime(3.0)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SandboxFeedsHeadlessRecording(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("zqk-bench-recording-" + std::to_string(::getpid()) + ".jsonl");
  RunFeeds(state, &file);
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}
BENCHMARK(BM_SandboxFeedsHeadlessRecording)
    ->MinTime(3.0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
