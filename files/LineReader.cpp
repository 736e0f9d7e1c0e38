#include "files/LineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zqk {
namespace {

constexpr size_t kBlockBytes = size_t{1} << 20;

}  // namespace

std::unique_ptr<LineReader> LineReader::Open(const std::filesystem::path& path, size_t maxLineBytes,
                                             std::string* reason) {
  // Non-blocking, so that a FIFO in the file's place cannot hold the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    if (reason) *reason = std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (reason) *reason = S_ISDIR(info.st_mode) ? "a directory" : "not a regular file";
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return std::unique_ptr<LineReader>(new LineReader(fd, maxLineBytes));
}

LineReader::LineReader(int fd, size_t maxLineBytes)
    : fd_(fd), maxLineBytes_(maxLineBytes), block_(new char[kBlockBytes]) {}

LineReader::~LineReader() {
  ::close(fd_);
}

bool LineReader::Fill() {
  begin_ = end_ = 0;
  if (atEnd_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, block_.get(), kBlockBytes);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = std::strerror(errno);
    if (n <= 0) {
      atEnd_ = true;
      return false;
    }
    end_ = static_cast<size_t>(n);
    return true;
  }
}

LineReader::Status LineReader::Next(std::string& line) {
  line.clear();
  if (!error_.empty()) return Status::kFailed;
  ++lineNumber_;
  bool started = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      if (!error_.empty()) return Status::kFailed;
      if (started) return Status::kUnterminated;
      --lineNumber_;
      return Status::kEnd;
    }
    started = true;
    const char* from = block_.get() + begin_;
    const size_t available = end_ - begin_;
    const void* lf = std::memchr(from, '\n', available);
    const size_t take = lf ? static_cast<size_t>(static_cast<const char*>(lf) - from) : available;
    if (line.size() + take > maxLineBytes_) {
      line.clear();
      // Nothing more is read: the caller stops at this line.
      error_ = "line too long";
      return Status::kTooLong;
    }
    line.append(from, take);
    begin_ += take;
    if (lf) {
      ++begin_;
      return Status::kLine;
    }
  }
}

}  // namespace zqk
