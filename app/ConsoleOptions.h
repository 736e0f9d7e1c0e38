#pragma once
// The console's command line: all it reads is a session to record and a
// session to replay (docs/recording.md); the rest of its behaviour is the
// dialog's. Qt's own options are taken out before this sees the line.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace zqk {

struct ConsoleOptions {
  std::filesystem::path recordFile{};  // --record FILE
  std::filesystem::path replayFile{};  // --replay FILE
  // --replay-speed N: 1 the recorded pace, 0 as fast as the events are handled.
  double replaySpeed = 1;
};

// The options, or why the line cannot be used (one line, with the usage).
std::variant<ConsoleOptions, std::string> ParseConsoleOptions(
    std::span<const std::string_view> args);

inline constexpr std::string_view kConsoleUsage =
    "usage: ZQKCommClient [--record FILE] [--replay FILE [--replay-speed N]]";

}  // namespace zqk
