// Creating the sandbox agent with a settings file of many users: the time
// must grow in proportion to the file (a per-user pass over the users once
// made 40,000 users take 45 s).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "bench/BenchSupport.h"
#include "dialog/ControlId.h"

namespace zqk {
namespace {

class NoSink : public AgentEventSink {
 public:
  int32_t OnAgentEvent(int32_t, std::span<const zqk_value>) override { return ZQK_OK; }
};

// A settings file of `users` users (40,000 of them stay under the size limit).
void WriteSettings(const std::filesystem::path& file, int64_t users) {
  std::ofstream out(file);
  out << R"({"users": [)";
  for (int64_t i = 0; i < users; ++i) {
    out << (i ? "," : "") << R"({"id": "u)" << i << R"(", "password": "pw", "certPassword": "c"})";
  }
  out << "]}";
}

void BM_SandboxCreateWithUsers(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zqk-bench-settings-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  WriteSettings(dir / "sandbox.json", state.range(0));
  setenv("ZQK_SANDBOX_SETTINGS", (dir / "sandbox.json").c_str(), 1);
  const std::filesystem::path registry = dir / "components";
  RegisterComponent(registry, kAgentClassId, ZQK_SANDBOX_AGENT, nullptr);
  bench::NoUiThread ui;
  NoSink sink;
  CZQKCommAgent agent(ui, sink, registry);
  for (auto _ : state) {
    if (!agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, id::kAgentControl.value)) {
      state.SkipWithError(agent.LastCreateError().c_str());
      break;
    }
    // A file the sandbox rejected would be quick for the wrong reason.
    if (agent.GetInfo("설정", "1").find("(기본값)") != std::string::npos) {
      state.SkipWithError("the settings file was not used");
      break;
    }
    agent.DestroyWindow();
  }
  state.SetComplexityN(state.range(0));
  unsetenv("ZQK_SANDBOX_SETTINGS");
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SandboxCreateWithUsers)
    ->Arg(5'000)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Arg(40'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
