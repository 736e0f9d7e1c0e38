#pragma once
// The per-user component registry: "class ID -> absolute path of the library",
// one entry a line ("<class id>=<path>", UTF-8 path), in
// $XDG_CONFIG_HOME/ZQKCommClient/components (~/.config when unset).
// Components write it from their DllRegisterServer; the host reads it when a
// control is created by class ID. Only a regular file of at most
// kMaxComponentRegistryBytes is read; a registry that exists but cannot be
// read is never replaced.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/RegularFile.h"

namespace zqk {

inline constexpr size_t kMaxComponentRegistryBytes = 1 * kMebibyte;

// The console's per-user configuration directory: $XDG_CONFIG_HOME/ZQKCommClient
// (~/.config/ZQKCommClient when unset); empty with neither variable set.
std::filesystem::path UserConfigDirectory();

// UserConfigDirectory()/components, or a file under the temporary directory
// (/tmp when TMPDIR names no folder).
std::filesystem::path DefaultComponentRegistryPath();

// Records (or replaces) the entry of `classId`. The file is rewritten through a
// temporary file and a rename, so a crash never leaves it half written.
// Returns false with a reason in `error` (UTF-8, naming the file) on failure:
// also when the registry cannot be read, or the library's path holds a byte
// that a line of the registry cannot (line feed, carriage return, NUL).
bool RegisterComponent(const std::filesystem::path& registry, std::string_view classId,
                       const std::filesystem::path& library, std::string* error);

// The library registered for `classId`, if any. When the registry exists but
// cannot be read, nullopt with the reason in `error` (UTF-8, naming the file).
std::optional<std::filesystem::path> LookupComponent(const std::filesystem::path& registry,
                                                     std::string_view classId,
                                                     std::string* error = nullptr);

}  // namespace zqk
