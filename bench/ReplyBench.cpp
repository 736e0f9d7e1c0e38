// Reply decoding: the domestic symbol record, 233 field reads through the
// component ABI (an agent answering every read with 10 bytes) and 233 log
// lines, from the event handler down.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "agent/ComponentRegistry.h"
#include "bench/BenchSupport.h"

namespace zqk {
namespace {

void BM_SymbolRecordReply(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zqk-bench-reply-" + std::to_string(::getpid()));
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
  if (!dlg.Agent().HasWindow()) state.SkipWithError("no agent");
  const size_t clearAt = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    const size_t before = dlg.Log().Count();
    dlg.OnTrReply("s20001", 1);
    if (dlg.Log().Count() != before + 233) state.SkipWithError("not 233 lines");
    // The log is emptied now and then, as a user would.
    if (dlg.Log().Count() >= clearAt) dlg.Log().Clear();
  }
  state.SetItemsProcessed(state.iterations());
  dlg.OnDestroy();
  std::filesystem::remove_all(dir);
}
// The argument is the log's size at which it is cleared: a small log reuses
// its memory; a growing one also pays for fresh pages (see log_bench).
BENCHMARK(BM_SymbolRecordReply)->Arg(23'300)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
