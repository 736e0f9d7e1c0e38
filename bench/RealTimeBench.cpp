// Sustained real-time decoding without a window: records of real types 65,
// 82 and 181 to 185 in turn, each delivered to the dialog's event sink as
// the host delivers an agent event, read back through the component ABI and
// logged. The bench agent answers every read at once; the sandbox's ticks
// can take its place once they exist.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <filesystem>

#include "agent/ComponentRegistry.h"
#include "bench/BenchSupport.h"

namespace zqk {
namespace {

constexpr std::array<int32_t, 7> kMix = {65, 82, 181, 182, 183, 184, 185};

void BM_RealTimeDecodingHeadless(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      std::string("zqk-bench-real-").append(std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  RegisterComponent(dir / "components", kAgentClassId, ZQK_BENCH_AGENT, nullptr);
  bench::NoHost host;
  bench::NoUiThread ui;
  CZQKCommClientDlg::Environment env;
  env.host = &host;
  env.uiThread = &ui;
  env.executableDir = dir;
  env.componentRegistry = dir / "components";
  CZQKCommClientDlg dlg(std::move(env));
  dlg.OnInitDialog();
  dlg.Click(id::kConnect);
  if (!dlg.Agent().HasWindow()) state.SkipWithError(dlg.Agent().LastCreateError().c_str());
  const std::string key = "6EU16";
  std::array<std::array<zqk_value, 2>, kMix.size()> events{};
  for (size_t i = 0; i < kMix.size(); ++i) {
    events[i][0] = {ZQK_VT_STR, 0, key.data(), static_cast<uint32_t>(key.size())};
    events[i][1] = {ZQK_VT_I4, kMix[i], nullptr, 0};
  }
  constexpr int32_t kRealData = static_cast<int32_t>(EventDispid::kOnRealData);
  int64_t records = 0;
  size_t lines = 0;
  for (auto _ : state) {
    for (const auto& args : events) dlg.OnAgentEvent(kRealData, args);
    records += static_cast<int64_t>(events.size());
    if (dlg.Log().Count() > 1'000'000) {
      lines += dlg.Log().Count();
      dlg.Log().Clear();
    }
  }
  lines += dlg.Log().Count();
  state.SetItemsProcessed(records);
  state.counters["records_per_s"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsRate);
  state.counters["lines_per_record"] = static_cast<double>(lines) / static_cast<double>(records);
  dlg.OnDestroy();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RealTimeDecodingHeadless)->MinTime(3.0)->UseRealTime();

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
