#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace zqk {
namespace {

std::string NotRegular(mode_t mode) {
  const char* kind = S_ISDIR(mode)    ? "a directory"
                     : S_ISFIFO(mode) ? "a FIFO"
                     : S_ISCHR(mode)  ? "a character device"
                     : S_ISBLK(mode)  ? "a block device"
                     : S_ISSOCK(mode) ? "a socket"
                                      : "something else";
  return std::string("not a regular file but ") + kind;
}

std::string TooLarge(size_t maxBytes) {
  return "larger than the limit of " + DescribeSize(maxBytes);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset() {
    if (fd_ >= 0) ::close(release());
  }

 private:
  int fd_;
};

enum class Lookup { kFound, kAbsent, kFailed };

// stat() of `path`, telling a name that does not exist from a link that leads
// nowhere: only the first is absent.
Lookup StatPath(const std::filesystem::path& path, struct stat& info, std::string& reason) {
  if (::stat(path.c_str(), &info) == 0) return Lookup::kFound;
  const int error = errno;
  if (error == ENOENT) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) return Lookup::kAbsent;
    reason = "a symbolic link to a file that does not exist";
    return Lookup::kFailed;
  }
  reason = std::strerror(error);
  return Lookup::kFailed;
}

FileRead Refused(std::string reason) {
  FileRead r;
  r.status = FileRead::Status::kRefused;
  r.reason = std::move(reason);
  return r;
}

}  // namespace

std::string DescribeSize(size_t bytes) {
  if (bytes >= kMebibyte && bytes % kMebibyte == 0) {
    return std::to_string(bytes / kMebibyte) + " MiB";
  }
  return std::to_string(bytes) + " bytes";
}

FileRead ReadWholeFile(const std::filesystem::path& path, size_t maxBytes, ReadFrom from) {
  struct stat info {};
  std::string reason;
  switch (StatPath(path, info, reason)) {
    case Lookup::kAbsent:
      return FileRead{};
    case Lookup::kFailed:
      return Refused(reason);
    case Lookup::kFound:
      break;
  }
  const bool stream =
      from == ReadFrom::kStreamsToo && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode));
  if (!S_ISREG(info.st_mode) && !stream) return Refused(NotRegular(info.st_mode));

  // Non-blocking, so that a FIFO swapped in after the check cannot hold the
  // open; the check after it catches the swap.
  const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (stream ? 0 : O_NONBLOCK);
  FileDescriptor fd(::open(path.c_str(), flags));
  if (fd.get() < 0) return Refused(std::strerror(errno));
  if (::fstat(fd.get(), &info) != 0) return Refused(std::strerror(errno));
  if (!stream && !S_ISREG(info.st_mode)) return Refused(NotRegular(info.st_mode));
  if (S_ISREG(info.st_mode) && static_cast<uintmax_t>(info.st_size) > maxBytes) {
    return Refused(TooLarge(maxBytes));
  }

  FileRead r;
  r.status = FileRead::Status::kRead;
  if (S_ISREG(info.st_mode)) r.bytes.reserve(static_cast<size_t>(info.st_size));
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    // One byte beyond the limit tells a file that grew past it.
    const size_t want = std::min(kChunk, maxBytes + 1 - r.bytes.size());
    const size_t used = r.bytes.size();
    r.bytes.resize(used + want);
    const ssize_t n = ::read(fd.get(), r.bytes.data() + used, want);
    if (n < 0 && errno == EINTR) {
      r.bytes.resize(used);
      continue;
    }
    if (n < 0) return Refused(std::strerror(errno));
    r.bytes.resize(used + static_cast<size_t>(n));
    if (n == 0) break;
    if (r.bytes.size() > maxBytes) return Refused(TooLarge(maxBytes));
  }
  return r;
}

namespace {

// A regular file opened for writing without blocking, made blocking again.
FileDescriptor OpenRegularForWrite(const std::filesystem::path& path, int flags, int& error,
                                   std::string& why) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    why = NotRegular(info.st_mode);
    return FileDescriptor(-1);
  }
  FileDescriptor fd(
      ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  if (fd.get() < 0) {
    error = errno;
    why = std::strerror(error);
    return fd;
  }
  if (::fstat(fd.get(), &info) != 0) {
    error = errno;
    why = std::strerror(error);
    fd.reset();
    return fd;
  }
  if (!S_ISREG(info.st_mode)) {
    fd.reset();
    error = EINVAL;
    why = NotRegular(info.st_mode);
    return fd;
  }
  // Writes to a regular file block as usual.
  ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

int OpenRegularFileForWriting(const std::filesystem::path& path, std::string* reason) {
  int error = 0;
  std::string why;
  FileDescriptor fd = OpenRegularForWrite(path, 0, error, why);
  // Emptied only once it is known to be a regular file.
  if (fd.get() >= 0 && ::ftruncate(fd.get(), 0) != 0) {
    error = errno;
    why = std::strerror(error);
    fd.reset();
  }
  if (fd.get() < 0) {
    if (reason) *reason = std::move(why);
    errno = error;
    return -1;
  }
  return fd.release();
}

std::FILE* OpenRegularFileForAppend(const std::filesystem::path& path, std::string* reason) {
  int error = 0;
  std::string why;
  FileDescriptor fd = OpenRegularForWrite(path, O_APPEND, error, why);
  std::FILE* file = fd.get() >= 0 ? ::fdopen(fd.get(), "ab") : nullptr;
  if (fd.get() >= 0 && !file) {
    error = errno;
    why = std::strerror(error);
    fd.reset();
  }
  if (!file) {
    // errno is set after the descriptor is closed, so that close cannot change it.
    if (reason) *reason = std::move(why);
    errno = error;
    return nullptr;
  }
  fd.release();
  return file;
}

}  // namespace zqk
