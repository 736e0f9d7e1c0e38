// The agent binding's costs: one call through the component ABI, and an event
// from the sandbox agent to the dialog's handler on the Qt event loop.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <fstream>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "bench/BenchSupport.h"
#include "dialog/ControlId.h"
#include "protocol/FieldNames.h"
#include "protocol/Layout.h"
#include "protocol/TrCodes.h"
#include "ui/qt/QtUiThread.h"

namespace zqk {
namespace {

class NoSink : public AgentEventSink {
 public:
  int32_t OnAgentEvent(int32_t, std::span<const zqk_value>) override { return ZQK_OK; }
};

std::filesystem::path TempDir(const char* name) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              (std::string(name) + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

// GetFieldValue with a 10-byte result, through the wrapper, the C ABI and back.
void BM_GetFieldValueThroughAbi(benchmark::State& state) {
  const std::filesystem::path dir = TempDir("zqk-bench-abi");
  const std::filesystem::path registry = dir / "components";
  RegisterComponent(registry, kAgentClassId, ZQK_BENCH_AGENT, nullptr);
  bench::NoUiThread ui;
  NoSink sink;
  CZQKCommAgent agent(ui, sink, registry);
  if (!agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, id::kAgentControl.value)) {
    state.SkipWithError(agent.LastCreateError().c_str());
  }
  for (auto _ : state) {
    std::string value =
        agent.GetFieldValue(tr::kDomesticFills, -1, protocol::kOutRec1, 0, field::kFillQuantity);
    if (value.size() != 10) state.SkipWithError("wrong result");
    benchmark::DoNotOptimize(value);
  }
  agent.DestroyWindow();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_GetFieldValueThroughAbi);

// Sign-in to the sandbox agent with no reply latency: the time from the Login
// call returning to its message having been logged by the dialog's handler.
void BM_SandboxEventToHandler(benchmark::State& state) {
  const std::filesystem::path dir = TempDir("zqk-bench-event");
  std::ofstream(dir / "sandbox.json") << R"({"replyLatencyMs": 0, "replyJitterMs": 0})";
  setenv("ZQK_SANDBOX_SETTINGS", (dir / "sandbox.json").c_str(), 1);
  const std::filesystem::path registry = dir / "components";
  RegisterComponent(registry, kAgentClassId, ZQK_SANDBOX_AGENT, nullptr);
  bench::NoHost host;
  QtUiThread ui;
  CZQKCommClientDlg::Environment env;
  env.host = &host;
  env.uiThread = &ui;
  env.executableDir = dir;
  env.componentRegistry = registry;
  CZQKCommClientDlg dlg(std::move(env));
  dlg.OnInitDialog();
  dlg.Click(id::kConnect);
  dlg.EditText(id::kUserId, "demo");
  dlg.EditText(id::kPassword, "demo1234");
  dlg.EditText(id::kCertPassword, "cert1234");
  double seconds = 0;
  for (auto _ : state) {
    dlg.Click(id::kLogin);  // logs its result line at once
    const size_t expected = dlg.Log().Count() + 1;
    const auto sent = bench::Now();
    while (dlg.Log().Count() < expected) QCoreApplication::processEvents();
    seconds += bench::Seconds(sent, bench::Now());
    if (dlg.Log().Count() > 100'000) dlg.Log().Clear();
  }
  state.counters["event_to_handler_us"] = 1e6 * seconds / static_cast<double>(state.iterations());
  dlg.OnDestroy();
  unsetenv("ZQK_SANDBOX_SETTINGS");
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SandboxEventToHandler)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
