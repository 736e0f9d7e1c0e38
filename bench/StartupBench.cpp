// From process start to the main dialog shown: the console's own start-up
// (agent registration, dialog, window) measured from the moment the kernel
// started this process, on the offscreen platform.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "app/Startup.h"
#include "ui/qt/Console.h"

namespace zqk {
namespace {

// Seconds since this process started, from /proc (start time in clock ticks
// after boot) and the boot-time clock.
double SecondsSinceProcessStart() {
  unsigned long long startTicks = 0;
  if (std::FILE* f = std::fopen("/proc/self/stat", "r")) {
    // Field 22; the command name (field 2) has no blanks for this binary.
    if (std::fscanf(f,
                    "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d "
                    "%*d %*d %*d %llu",
                    &startTicks) != 1) {
      startTicks = 0;
    }
    std::fclose(f);
  }
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double started =
      static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 - started;
}

void BM_ProcessStartToDialogShown(benchmark::State& state) {
  for (auto _ : state) {
    int argc = 1;
    char name[] = "ZQKCommClient";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QtDialogHost host;
    RegisterAgentAtStartup(host);
    Console console(host, ExecutableDirectory());
    if (!QTest::qWaitForWindowExposed(&console.Window())) state.SkipWithError("window not exposed");
    QApplication::processEvents();
    state.counters["start_to_shown_ms"] = SecondsSinceProcessStart() * 1000;
  }
}
BENCHMARK(BM_ProcessStartToDialogShown)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Registration writes the per-user registry: keep the user's own untouched.
  char configDir[] = "/tmp/zqk-startup-bench.XXXXXX";
  if (mkdtemp(configDir)) setenv("XDG_CONFIG_HOME", configDir, 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(configDir);
  return 0;
}
