#include "agent/abi/ComponentRegistry.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

namespace zqk {
namespace {

// The registry's entries; nullopt with a reason when it exists but cannot be
// read, so that it is never replaced by a file that lacks them.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file,
                                                  std::string& error) {
  const FileRead read = ReadWholeFile(file, kMaxComponentRegistryBytes);
  std::vector<std::string> lines;
  if (read.status == FileRead::Status::kRefused) {
    error = file.string() + ": " + read.reason;
    return std::nullopt;
  }
  std::string_view rest = read.bytes;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

// What a line of the registry cannot hold, named for the message.
const char* UnstorableByte(std::string_view text) {
  static constexpr std::pair<char, const char*> kBytes[] = {
      {'\n', "a line feed"}, {'\r', "a carriage return"}, {'\0', "a NUL byte"}};
  for (const auto& [byte, name] : kBytes) {
    if (text.find(byte) != std::string_view::npos) return name;
  }
  return nullptr;
}

bool HasKey(const std::string& line, std::string_view classId) {
  return line.size() > classId.size() && line.compare(0, classId.size(), classId) == 0 &&
         line[classId.size()] == '=';
}

// `text` with control bytes as \xHH, so that a message naming it stays one line.
std::string EscapeControlBytes(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
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
  if (dir.empty()) {
    // A TMPDIR that names no folder must not end the program before its
    // window is shown: /tmp is the temporary directory's own default.
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) temp = "/tmp";
    dir = temp / "ZQKCommClient";
  }
  return dir / "components";
}

bool RegisterComponent(const std::filesystem::path& registry, std::string_view classId,
                       const std::filesystem::path& library, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (classId.empty() || classId.find('=') != std::string_view::npos || UnstorableByte(classId)) {
    return fail("invalid class ID");
  }
  if (!library.is_absolute()) return fail("library path is not absolute");
  if (const char* byte = UnstorableByte(library.native())) {
    return fail("the library path \"" + EscapeControlBytes(library.native()) + "\" holds " + byte +
                ", which the component registry cannot store");
  }
  std::error_code ec;
  std::filesystem::create_directories(registry.parent_path(), ec);
  if (ec) return fail(registry.parent_path().string() + ": " + ec.message());

  std::string readError;
  std::optional<std::vector<std::string>> lines = ReadLines(registry, readError);
  if (!lines) return fail(readError);
  std::erase_if(*lines, [&](const std::string& l) { return HasKey(l, classId); });
  lines->push_back(std::string(classId) + "=" + library.string());

  const std::filesystem::path temp =
      registry.string() + ".tmp" + std::to_string(static_cast<long>(::getpid()));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const std::string& l : *lines) out << l << '\n';
    out.close();
    if (!out) {
      // The reason first: removing the temporary file sets errno again.
      const std::string why = temp.string() + ": " + std::strerror(errno);
      std::filesystem::remove(temp, ec);
      return fail(why);
    }
  }
  std::filesystem::rename(temp, registry, ec);
  if (ec) {
    const std::string why = registry.string() + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return fail(why);
  }
  return true;
}

std::optional<std::filesystem::path> LookupComponent(const std::filesystem::path& registry,
                                                     std::string_view classId, std::string* error) {
  std::string readError;
  const std::optional<std::vector<std::string>> lines = ReadLines(registry, readError);
  if (!lines) {
    if (error) *error = readError;
    return std::nullopt;
  }
  for (const std::string& line : *lines) {
    if (HasKey(line, classId)) return std::filesystem::path(line.substr(classId.size() + 1));
  }
  return std::nullopt;
}

}  // namespace zqk
