#include "agent/ComponentRegistry.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace zqk {
namespace {

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

bool HasKey(const std::string& line, std::string_view classId) {
  return line.size() > classId.size() && line.compare(0, classId.size(), classId) == 0 &&
         line[classId.size()] == '=';
}

}  // namespace

std::filesystem::path UserConfigDirectory() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    return std::filesystem::path(xdg) / "ZQKCommClient";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".config" / "ZQKCommClient";
  }
  return {};
}

std::filesystem::path DefaultComponentRegistryPath() {
  std::filesystem::path dir = UserConfigDirectory();
  if (dir.empty()) dir = std::filesystem::temp_directory_path() / "ZQKCommClient";
  return dir / "components";
}

bool RegisterComponent(const std::filesystem::path& registry, std::string_view classId,
                       const std::filesystem::path& library, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (classId.empty() || classId.find_first_of("=\n\r") != std::string_view::npos) {
    return fail("invalid class ID");
  }
  if (!library.is_absolute()) return fail("library path is not absolute");
  std::error_code ec;
  std::filesystem::create_directories(registry.parent_path(), ec);
  if (ec) return fail(registry.parent_path().string() + ": " + ec.message());

  std::vector<std::string> lines = ReadLines(registry);
  std::erase_if(lines, [&](const std::string& l) { return HasKey(l, classId); });
  lines.push_back(std::string(classId) + "=" + library.string());

  const std::filesystem::path temp =
      registry.string() + ".tmp" + std::to_string(static_cast<long>(::getpid()));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const std::string& l : lines) out << l << '\n';
    out.close();
    if (!out) {
      std::filesystem::remove(temp, ec);
      return fail(temp.string() + ": " + std::strerror(errno));
    }
  }
  std::filesystem::rename(temp, registry, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return fail(registry.string() + ": " + ec.message());
  }
  return true;
}

std::optional<std::filesystem::path> LookupComponent(const std::filesystem::path& registry,
                                                     std::string_view classId) {
  for (const std::string& line : ReadLines(registry)) {
    if (HasKey(line, classId)) return std::filesystem::path(line.substr(classId.size() + 1));
  }
  return std::nullopt;
}

}  // namespace zqk
