#pragma once
// Small helpers shared by the benchmarks: a dialog with no window and no
// agent, the process's resident memory, a monotonic clock, the components
// built beside the benchmark.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <list>
#include <string>

#include "agent/UiThread.h"
#include "dialog/CZQKCommClientDlg.h"

namespace zqk::bench {

// The absolute path of `name` beside the running benchmark (bin/ of the build
// tree, where every component lands), found when it runs so that no path of
// the build tree is compiled in; valid for the rest of the process.
inline const char* BuiltFile(const char* name) {
  static std::list<std::string> paths;
  const std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  return paths.emplace_back((dir / name).string()).c_str();
}

class NoHost : public DialogHost {
 public:
  MessageBoxResult ShowMessageBox(std::string_view, std::string_view, MessageBoxButtons,
                                  MessageBoxIcon) override {
    return MessageBoxResult::kOk;
  }
  void ShowAbout() override {}
  void EndDialog(DialogResult) override {}
};

class NoUiThread : public UiThread {
 public:
  uint64_t Post(std::function<void()>, uint32_t) override { return 0; }
  void Cancel(uint64_t) override {}
  int64_t NowMs() const override { return 0; }
};

struct HeadlessDialog {
  NoHost host;
  NoUiThread ui;
  CZQKCommClientDlg dlg{Environment()};

 private:
  CZQKCommClientDlg::Environment Environment() {
    CZQKCommClientDlg::Environment env;
    env.host = &host;
    env.uiThread = &ui;
    env.executableDir = std::filesystem::temp_directory_path();
    env.componentRegistry = std::filesystem::temp_directory_path() / "zqk-bench-registry";
    return env;
  }
};

inline long ResidentBytes() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4096;
}

using Clock = std::chrono::steady_clock;
inline Clock::time_point Now() {
  return Clock::now();
}
inline double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// CPU time of the calling thread, which other processes on a shared machine
// disturb less than the wall clock.
inline double ThreadCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

}  // namespace zqk::bench
