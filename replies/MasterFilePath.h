#pragma once
// Where a downloaded master file is written: the directory "mst" beside the
// executable, under the name the agent gives. Pure path logic, no file system.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zqk {

inline constexpr std::string_view kMasterFileDirectory = "mst";

// The target path for a name as the agent delivers it (CP949), converted to
// the file system's UTF-8. Nothing for a name that could reach outside the
// directory or name no file: empty, holding a path separator ('/' or '\'),
// "..", a NUL byte, being ".", or not being CP949 text (whose conversion
// would name another file).
std::optional<std::filesystem::path> MasterFilePath(const std::filesystem::path& executableDir,
                                                    std::string_view cp949Name);

// The target as the log shows it, in CP949, for any name, refused or not:
// the directory converted from the file system's UTF-8, the name as delivered
// up to its last whole character (a lead byte at its very end is left out).
std::string MasterFileShownPath(const std::filesystem::path& executableDir,
                                std::string_view cp949Name);

}  // namespace zqk
