#include "app/ConsoleOptions.h"

#include <charconv>
#include <cmath>

namespace zqk {

std::variant<ConsoleOptions, std::string> ParseConsoleOptions(
    std::span<const std::string_view> args) {
  ConsoleOptions options;
  bool speedGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg != "--record" && arg != "--replay" && arg != "--replay-speed") {
      return "unknown option " + std::string(arg);
    }
    if (i + 1 == args.size() || args[i + 1].empty()) return std::string(arg) + " needs a value";
    const std::string_view value = args[++i];
    if (arg == "--replay-speed") {
      if (speedGiven) return "--replay-speed is given twice";
      speedGiven = true;
      double speed = -1;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), speed);
      if (ec != std::errc() || end != value.data() + value.size() || !std::isfinite(speed) ||
          speed < 0) {
        return "--replay-speed needs a number of 0 or more, not " + std::string(value);
      }
      options.replaySpeed = speed;
      continue;
    }
    std::filesystem::path& file = arg == "--record" ? options.recordFile : options.replayFile;
    if (!file.empty()) return std::string(arg) + " is given twice";
    file = std::filesystem::path(value);
  }
  if (speedGiven && options.replayFile.empty()) return "--replay-speed needs --replay";
  if (!options.recordFile.empty() && options.recordFile == options.replayFile) {
    return "--record would overwrite the recording that --replay plays";
  }
  return options;
}

}  // namespace zqk
