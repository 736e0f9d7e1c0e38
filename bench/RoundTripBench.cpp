// The round trip of one query page against the sandbox with no reply
// latency: RqTest pressed with a minute-bar request for 100 one-minute bars,
// to the last line of its reply (100 bar lines and the block line) and the
// continuation question answered No. Measured on the headless driver's
// virtual UI thread (the console's own work and the sandbox's, nothing
// else) and on the Qt event loop, where the reply also waits for its turn
// in the loop, as it does for a user of the window. Counters: press_us is
// the press of RqTest, in which the sandbox builds the page before its
// request call returns; first_press_us is the first page's press, in which
// the market walks every 100 ms step of the 100 minutes, while later pages
// find the finished minutes built and walk only the newest one.
// reply_handler_us is the dialog's reply handler alone: the decoder with
// the agent's answers to its reads, and the question.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <string>

#include "agent/VirtualUiThread.h"
#include "bench/BenchSupport.h"
#include "bench/SandboxConsole.h"
#include "protocol/QueryInputs.h"
#include "protocol/TrCodes.h"
#include "ui/qt/QtUiThread.h"

namespace zqk {
namespace {

constexpr std::string_view kSettings =
    R"({"replyLatencyMs": 0, "replyJitterMs": 0, "tickRate": 0,
        "clockStart": "2016-09-01T14:00:00"})";

// ESU16, 1-minute bars, 100 a page.
std::string PageRequest() {
  const std::string_view values[] = {"ESU16", "1", "100"};
  return protocol::ComposeInput(*protocol::InputLayoutOf(tr::kMinuteBars), values);
}

constexpr size_t kLinesOfPage = 1 + 100 + 1;  // the RQID line, the bars, the block

// Answers every question No and counts them.
class AnswersNo : public DialogHost {
 public:
  MessageBoxResult ShowMessageBox(std::string_view, std::string_view, MessageBoxButtons buttons,
                                  MessageBoxIcon) override {
    if (!IsYesNo(buttons)) return MessageBoxResult::kOk;
    ++questions;
    return MessageBoxResult::kNo;
  }
  void ShowAbout() override {}
  void EndDialog(DialogResult) override {}
  int64_t questions = 0;
};

// What the loop of one benchmark does besides pressing RqTest: waits for the
// page on its UI thread, and lets agent time pass between pages.
class UiLoop {
 public:
  virtual ~UiLoop() = default;
  virtual UiThread& Thread() = 0;
  // Runs the UI thread until the page's question has been asked; false when
  // it never comes.
  virtual bool AwaitQuestion(const AnswersNo& host, int64_t questions) = 0;
  virtual void BetweenPages() {}
};

class VirtualLoop final : public UiLoop {
 public:
  UiThread& Thread() override { return ui_; }
  bool AwaitQuestion(const AnswersNo& host, int64_t questions) override {
    ui_.RunDue();
    return host.questions >= questions;
  }
  // A second of agent time: the next page is asked a moment later, as a
  // user's would be.
  void BetweenPages() override { ui_.Advance(1000); }

 private:
  VirtualUiThread ui_;
};

class QtLoop final : public UiLoop {
 public:
  UiThread& Thread() override { return ui_; }
  bool AwaitQuestion(const AnswersNo& host, int64_t questions) override {
    const bench::Clock::time_point deadline = bench::Now() + std::chrono::seconds(5);
    while (host.questions < questions) {
      if (bench::Now() > deadline) return false;
      QCoreApplication::processEvents();
    }
    return true;
  }

 private:
  QtUiThread ui_;
};

void RunPages(benchmark::State& state, UiLoop& loop) {
  AnswersNo host;
  bench::SandboxConsole console("zqk-bench-round-trip", kSettings, host, loop.Thread());
  bench::TallyingDialog& dlg = console.Dlg();
  if (const std::string error = console.SignIn(); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  dlg.EditText(id::kTrCode, tr::kMinuteBars);
  dlg.EditText(id::kTrInput, PageRequest());
  // The first page also brings the simulated market up to now, and finds
  // none of its minutes built yet.
  const bench::Clock::time_point firstPressed = bench::Now();
  dlg.Click(id::kRqTest);
  state.counters["first_press_us"] = 1e6 * bench::Seconds(firstPressed, bench::Now());
  if (!loop.AwaitQuestion(host, 1)) state.SkipWithError("no first page");
  loop.BetweenPages();
  // The dialog's own part: its reply handler (the decoder, its reads
  // answered by the agent, the question).
  double handlerSeconds = 0;
  double pressSeconds = 0;
  dlg.SetHandlerClock(&handlerSeconds);
  for (auto _ : state) {
    const size_t before = dlg.Log().Count();
    const int64_t asked = host.questions;
    const bench::Clock::time_point pressed = bench::Now();
    dlg.Click(id::kRqTest);
    pressSeconds += bench::Seconds(pressed, bench::Now());
    if (!loop.AwaitQuestion(host, asked + 1) || dlg.Log().Count() != before + kLinesOfPage) {
      state.SkipWithError("the page did not come back whole");
      break;
    }
    state.PauseTiming();
    if (dlg.Log().Count() > 100'000) dlg.Log().Clear();
    loop.BetweenPages();
    state.ResumeTiming();
  }
  dlg.SetHandlerClock(nullptr);
  state.SetItemsProcessed(state.iterations());
  const double pages = static_cast<double>(std::max<int64_t>(state.iterations(), 1));
  state.counters["press_us"] = 1e6 * pressSeconds / pages;
  state.counters["reply_handler_us"] = 1e6 * handlerSeconds / pages;
}

void BM_O51200PageVirtualUiThread(benchmark::State& state) {
  VirtualLoop loop;
  RunPages(state, loop);
}
BENCHMARK(BM_O51200PageVirtualUiThread)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_O51200PageQtEventLoop(benchmark::State& state) {
  QtLoop loop;
  RunPages(state, loop);
}
BENCHMARK(BM_O51200PageQtEventLoop)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
