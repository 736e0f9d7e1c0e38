#include "replies/MasterFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace zqk {
namespace {

using Status = FileReplacement::Status;

constexpr size_t kReserveFrom = size_t{1} << 20;

// A hidden name, new within this process; O_EXCL steps past any file that
// already has it.
std::filesystem::path TemporaryName(const std::filesystem::path& directory) {
  static unsigned counter = 0;
  std::string name = ".download-";
  name.append(std::to_string(::getpid())).append("-").append(std::to_string(++counter));
  name.append(".tmp");
  return directory / name;
}

}  // namespace

FileReplacement::FileReplacement(std::filesystem::path target) : target_(std::move(target)) {
  // The target is replaced only where it could have been written in place
  // (through a link, as an open would follow it).
  struct stat old {};
  targetExists_ = ::stat(target_.c_str(), &old) == 0;
  if (targetExists_ && S_ISDIR(old.st_mode)) {
    opened_ = {Status::kOpenFailed, EISDIR};
    return;
  }
  if (targetExists_ && ::access(target_.c_str(), W_OK) != 0) {
    opened_ = {Status::kOpenFailed, errno};
    return;
  }
  // The name itself: a link is replaced by the new file, never followed.
  struct stat named {};
  const bool replacesRegularFile = ::lstat(target_.c_str(), &named) == 0 && S_ISREG(named.st_mode);
  const std::filesystem::path directory = target_.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(directory.empty() ? "." : directory);
    // 0666 under the umask, as any newly created file.
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    opened_ = {Status::kOpenFailed, errno};
    temporary_.clear();
    return;
  }
  // A replaced file keeps its permissions, but never set-user-ID, set-group-ID
  // or sticky: a download must not make a program run as its file's owner.
  // Anything else gets those of a new file.
  if (replacesRegularFile) ::fchmod(fd_, named.st_mode & 0777);
}

FileReplacement::~FileReplacement() {
  Discard();
}

void FileReplacement::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

FileReplacement::Result FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) return opened_.status == Status::kOk ? Result{Status::kWriteFailed, EBADF} : opened_;
  if (bytes.size() >= kReserveFrom) {
    // Blocks taken before the write rather than at writeback: renaming over
    // an existing file otherwise makes the file system allocate and start
    // writing out the whole new file inside the rename. Where it cannot
    // reserve, the write goes on as it would have; the size stays what is
    // written.
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    if (at >= 0) {
      ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, at, static_cast<off_t>(bytes.size()));
    }
  }
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      const Result failed{Status::kWriteFailed, errno};
      Discard();
      return failed;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return {};
}

FileReplacement::Result FileReplacement::Commit() {
  if (fd_ < 0) return opened_.status == Status::kOk ? Result{Status::kWriteFailed, EBADF} : opened_;
  // A failed close can be a delayed write error: the content is not sure.
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) {
    const Result failed{Status::kWriteFailed, errno};
    Discard();
    return failed;
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const Result failed{Status::kOpenFailed, errno};
    Discard();
    return failed;
  }
  temporary_.clear();
  return {};
}

}  // namespace zqk
