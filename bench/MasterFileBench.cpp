// A 50 MB master file, from the agent's reply to the closed file in mst/,
// measured beside a plain write of the same bytes to the same directory. Both
// replace the file of the iteration before, as a repeated download does: the
// reply through its temporary file and rename, the plain write by truncating
// and writing over it. The two alternate within each iteration, each after a
// sync, so that both meet the same disk and a clean cache. The counters are
// medians over the iterations, which other work on a shared machine disturbs
// now and then; `speed_ratio` is the plain write's time over the reply's, and
// `cpu_ratio` the same for the time the thread itself spent, which other
// processes disturb less.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "agent/abi/ComponentRegistry.h"
#include "app/Startup.h"
#include "bench/BenchSupport.h"
#include "dialog/ControlId.h"
#include "protocol/Replies.h"
#include "replies/AgentReader.h"
#include "replies/MasterFileDecoder.h"

namespace zqk {
namespace {

constexpr int32_t kContentSize = 50 * 1024 * 1024;  // what the bench agent delivers

class NoSink : public AgentEventSink {
 public:
  int32_t OnAgentEvent(int32_t, std::span<const zqk_value>) override { return ZQK_OK; }
};

class LastLine : public DecoderOutput {
 public:
  void Log(std::string_view line) override { last = line; }
  void SetDisplay(QuoteDisplay, std::string_view) override {}
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
  void ShowMessage(std::string_view) override {}
  void ContinueQuery(std::string) override {}
  bool IsKorean() const override { return true; }
  std::string last;
};

bool PlainWrite(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) break;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return ::close(fd) == 0 && bytes.empty();
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

void BM_MasterFileReplyBesidePlainWrite(benchmark::State& state) {
  // Beside the executable, where the console's mst/ is.
  const std::filesystem::path dir =
      ExecutableDirectory() / std::string("mst-bench-").append(std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "mst");
  const std::filesystem::path registry = dir / "components";
  RegisterComponent(registry, kAgentClassId, ZQK_BENCH_AGENT, nullptr);
  bench::NoUiThread ui;
  NoSink sink;
  CZQKCommAgent agent(ui, sink, registry);
  if (!agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, id::kAgentControl.value)) {
    state.SkipWithError(agent.LastCreateError().c_str());
  }
  WrapperReader reader(agent);
  LastLine out;
  const std::string content = agent.GetDataBlock(
      kMasterFileTrCode, -1, static_cast<int32_t>(protocol::BlockHeaderWidth(tr::kMasterFile)),
      kContentSize, 0, "A");
  std::vector<double> replySeconds, plainSeconds, replyCpu, plainCpu;
  bool replyFirst = true;
  for (auto _ : state) {
    auto reply = [&] {
      ::sync();
      const double c0 = bench::ThreadCpuSeconds();
      const auto t0 = bench::Now();
      DecodeMasterFile(kMasterFileTrCode, reader, out, dir);
      replySeconds.push_back(bench::Seconds(t0, bench::Now()));
      replyCpu.push_back(bench::ThreadCpuSeconds() - c0);
      if (out.last != "처리완료") state.SkipWithError("the reply was not written");
    };
    auto plain = [&] {
      ::sync();
      const double c0 = bench::ThreadCpuSeconds();
      const auto t0 = bench::Now();
      if (!PlainWrite(dir / "mst" / "PLAIN.mst", content)) state.SkipWithError("plain write");
      plainSeconds.push_back(bench::Seconds(t0, bench::Now()));
      plainCpu.push_back(bench::ThreadCpuSeconds() - c0);
    };
    if (replyFirst) {
      reply();
      plain();
    } else {
      plain();
      reply();
    }
    replyFirst = !replyFirst;
  }
  const double reply = Median(replySeconds), plain = Median(plainSeconds);
  state.counters["reply_ms"] = 1e3 * reply;
  state.counters["plain_ms"] = 1e3 * plain;
  state.counters["speed_ratio"] = plain / reply;
  state.counters["cpu_ratio"] = Median(plainCpu) / Median(replyCpu);
  state.SetBytesProcessed(state.iterations() * kContentSize);
  agent.DestroyWindow();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MasterFileReplyBesidePlainWrite)
    ->Iterations(40)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
