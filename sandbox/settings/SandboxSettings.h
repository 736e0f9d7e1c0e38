#pragma once
// What the sandbox broker is configured with: built-in defaults, optionally
// changed by a JSON settings file of its own
// ($ZQK_SANDBOX_SETTINGS, else $XDG_CONFIG_HOME/ZQKCommClient/sandbox.json,
// with ~/.config when XDG_CONFIG_HOME is unset). docs/sandbox.md describes
// the file; a file that does not parse or holds a bad value is rejected as a
// whole, so that a typo never leaves half the settings applied.
//
// Built-in users (id / password / certificate password, then accounts as
// number / password / market):
//   demo   / demo1234  / cert1234, user token "1torem58":
//     07215003 / 6042 domestic   06801004 / 6042 domestic
//     016304   / 3961 overseas   015872   / 6042 overseas
//     017539   / 6042 FX margin
//   guest  / guest1234 / cert5678:
//     07300001 / 1111 domestic   016400   / 1111 overseas
// The console's market samples use the demo user's accounts.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sandbox/market/Users.h"

namespace zqk::sandbox {

// The moment the market's clock starts at unless the settings say otherwise:
// 2016-09-01 09:00:00 local time, the market's open in the era of the
// console's samples and of the product universe (ESU16 trades, 201JB245 is
// listed), whatever the wall clock says. Seconds since the epoch.
int64_t SamplesEraStart();

struct Settings {
  uint64_t seed = 20160901;
  // Delay of every reply and message, plus a seeded jitter of up to
  // replyJitterMs.
  uint32_t replyLatencyMs = 30;
  uint32_t replyJitterMs = 20;
  // Ticks per second of each real-time feed.
  uint32_t tickRate = 4;
  // The calendar moment at agent time 0, as seconds since the epoch; unset
  // ("clockStart": "now"): the wall clock when the control is created.
  std::optional<int64_t> clockStart = SamplesEraStart();
  // Dates ("YYYYMMDD") that are not business days, besides weekends: of
  // the domestic market, and of the overseas market besides the US market
  // holidays (market/BusinessCalendar.h).
  std::set<std::string> holidays;
  std::set<std::string> overseasHolidays;
  std::vector<User> users;

  const User* FindUser(std::string_view id) const;
};

std::vector<User> BuiltInUsers();

// Built-in defaults with the built-in users.
Settings DefaultSettings();

// Where the settings file is looked for.
std::filesystem::path DefaultSettingsPath();

struct LoadedSettings {
  Settings settings;
  // Set when a file exists but was rejected (UTF-8, for logs; the defaults
  // are used then).
  std::optional<std::string> error;
  bool fromFile = false;
};

// The largest settings file that is read.
inline constexpr size_t kMaxSettingsBytes = size_t{4} << 20;

// Reads `file` if it exists; defaults otherwise. A file that exists but is
// not a regular file of at most kMaxSettingsBytes, or cannot be read (also a
// dangling or looping link, or a folder that cannot be searched), is an error
// like one that does not parse.
LoadedSettings LoadSettings(const std::filesystem::path& file);

// Parses settings text (UTF-8 JSON). Throws std::invalid_argument (UTF-8
// message) when it is not acceptable.
Settings ParseSettings(std::string_view json);

}  // namespace zqk::sandbox
