// Event log throughput and memory, headless: AddLog into a log that grows to
// 10 million lines, and Save Log against one plain buffered write.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchSupport.h"
#include "dialog/LogFile.h"

namespace zqk {
namespace {

// 60-byte lines once the 15-byte timestamp is in front.
const std::string kText(45, 'x');

void BM_AddLog(benchmark::State& state) {
  bench::HeadlessDialog d;
  const size_t target = static_cast<size_t>(state.range(0));
  const long rssBefore = bench::ResidentBytes();
  for (auto _ : state) {
    for (size_t i = 0; i < target; ++i) d.dlg.AddLog(kText);
    state.PauseTiming();
    state.counters["bytes_per_line"] =
        static_cast<double>(bench::ResidentBytes() - rssBefore) / static_cast<double>(target);
    state.counters["reserved_per_line"] =
        static_cast<double>(d.dlg.Log().ReservedBytes()) / static_cast<double>(target);
    d.dlg.Log().Clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(target));
}
BENCHMARK(BM_AddLog)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

std::filesystem::path TempFile(const char* name) {
  return std::filesystem::temp_directory_path() /
         (std::string(name) + "-" + std::to_string(::getpid()));
}

// Save Log of 1,000,000 lines next to writing the same bytes in one buffered
// write; the counter `ratio` is Save Log's time over the plain write's.
void BM_SaveLog(benchmark::State& state) {
  EventLog log;
  const std::string line = "[PM 03:07:09]  " + kText;
  for (int i = 0; i < 1'000'000; ++i) log.Append(line);
  std::string bytes;
  for (size_t i = 0; i < log.Count(); ++i) bytes.append(log.Line(LineIndex{i})).append("\r\n");
  const auto saved = TempFile("zqk-bench-save");
  const auto plain = TempFile("zqk-bench-plain");
  double saveSeconds = 0, plainSeconds = 0;
  for (auto _ : state) {
    std::filesystem::remove(saved);
    std::filesystem::remove(plain);
    const auto t0 = bench::Now();
    const LogSaveResult r = AppendLogToFile(log, saved);
    const auto t1 = bench::Now();
    std::FILE* f = std::fopen(plain.c_str(), "ab");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    const auto t2 = bench::Now();
    if (r.status != LogSaveResult::Status::kOk) state.SkipWithError("save failed");
    saveSeconds += bench::Seconds(t0, t1);
    plainSeconds += bench::Seconds(t1, t2);
  }
  state.counters["ratio"] = saveSeconds / plainSeconds;
  state.counters["save_ms"] = 1000 * saveSeconds / static_cast<double>(state.iterations());
  state.counters["plain_ms"] = 1000 * plainSeconds / static_cast<double>(state.iterations());
  std::filesystem::remove(saved);
  std::filesystem::remove(plain);
}
BENCHMARK(BM_SaveLog)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
