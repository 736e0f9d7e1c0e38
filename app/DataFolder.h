#pragma once
// Where the console keeps what it writes, its saved log and mst/: beside its
// executable when the user may write that folder and it is not in /usr (a
// build tree, the relocatable folder), otherwise the user's data folder
// $XDG_DATA_HOME/ZQKCommClient (~/.local/share/ZQKCommClient), which is made,
// with its mst/, on demand. A system install (/usr/lib/zqkcommclient) is
// never written at run time, not even by root.

#include <filesystem>
#include <optional>
#include <string>

namespace zqk {

struct DataFolder {
  std::filesystem::path path;
  // Set when the user's data folder stands in for the executable's, or when
  // neither can be had: one line for standard error (UTF-8), so that the
  // user learns where the log and the master files went.
  std::optional<std::string> notice;
};

// `executableDir`: the folder of the running executable.
DataFolder ChooseDataFolder(const std::filesystem::path& executableDir);

}  // namespace zqk
