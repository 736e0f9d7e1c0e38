#include "dialog/LogFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "files/RegularFile.h"

namespace zqk {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

constexpr size_t kBufferBytes = size_t{1} << 20;

}  // namespace

LogSaveResult AppendLogToFile(const EventLog& log, const std::filesystem::path& path) {
  // Only a regular file: a FIFO or a device named ocx_log.log must not hold the
  // dialog in an open that never returns.
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForAppend(path));
  if (!file) return {LogSaveResult::Status::kOpenFailed, errno};
  // Our own buffer, flushed in large writes; stdio's stays out of the way.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  auto buffer = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  size_t used = 0;
  auto flush = [&]() -> bool {
    if (used == 0) return true;
    const bool ok = std::fwrite(buffer.get(), 1, used, file.get()) == used;
    used = 0;
    return ok;
  };
  auto write = [&](std::string_view bytes) -> bool {
    while (!bytes.empty()) {
      if (used == kBufferBytes && !flush()) return false;
      const size_t n = std::min(bytes.size(), kBufferBytes - used);
      std::memcpy(buffer.get() + used, bytes.data(), n);
      used += n;
      bytes.remove_prefix(n);
    }
    return true;
  };
  // The file is text with CR LF line ends: a line feed inside a line (an
  // agent's message may hold one) is stored as CR LF too.
  auto writeLine = [&](std::string_view line) -> bool {
    for (size_t lf = line.find('\n'); lf != std::string_view::npos; lf = line.find('\n')) {
      if (!write(line.substr(0, lf)) || !write("\r\n")) return false;
      line.remove_prefix(lf + 1);
    }
    return write(line) && write("\r\n");
  };
  for (size_t i = 0; i < log.Count(); ++i) {
    if (!writeLine(log.Line(LineIndex{i}))) return {LogSaveResult::Status::kWriteFailed, errno};
  }
  if (!flush()) return {LogSaveResult::Status::kWriteFailed, errno};
  if (std::fclose(file.release()) != 0) return {LogSaveResult::Status::kWriteFailed, errno};
  return {};
}

}  // namespace zqk
