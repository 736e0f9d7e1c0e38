// Reply decoding: the domestic symbol record, 233 field reads through the
// component ABI (an agent answering every read with 10 bytes) and 233 log
// lines, from the event handler down.
#include <benchmark/benchmark.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "agent/abi/ComponentRegistry.h"
#include "bench/BenchSupport.h"
#include "protocol/TrCodes.h"

namespace zqk {
namespace {

// Page faults of the calling thread so far (those that needed no disk).
long MinorFaults() {
  rusage usage{};
  ::getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_minflt;
}

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
  // Without huge pages for the log, to see what they save: the process's
  // later mappings get none, whatever the log asks for.
  const bool smallPages = state.range(1) == 0;
  if (smallPages) ::prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
  const long faultsBefore = MinorFaults();
  for (auto _ : state) {
    const size_t before = dlg.Log().Count();
    dlg.OnTrReply(std::string(tr::kDomesticSymbol), 1);
    if (dlg.Log().Count() != before + 233) state.SkipWithError("not 233 lines");
    // The log is emptied now and then, as a user would.
    if (dlg.Log().Count() >= clearAt) dlg.Log().Clear();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["page_faults_per_reply"] =
      static_cast<double>(MinorFaults() - faultsBefore) / static_cast<double>(state.iterations());
  dlg.OnDestroy();
  if (smallPages) ::prctl(PR_SET_THP_DISABLE, 0, 0, 0, 0);
  std::filesystem::remove_all(dir);
}
// The arguments are the log's size at which it is cleared and whether the
// log may have huge pages. A small log reuses its memory; a growing one
// writes into memory never touched before, whose page faults
// page_faults_per_reply counts (see log_bench): one for 2 MiB in huge pages,
// one for 4 KiB (some 60 lines) without.
BENCHMARK(BM_SymbolRecordReply)
    ->ArgNames({"clear_at", "huge_pages"})
    ->Args({23'300, 1})
    ->Args({1'000'000, 1})
    ->Args({1'000'000, 0})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
