#pragma once
// Replaces a file's whole content in one step: the bytes go to a temporary
// file in the target's directory, which is renamed over the target once it
// is written and closed. A reader never sees the file half old, half new, and
// a failed write leaves the old file as it was. A replaced regular file keeps
// its permission bits (without set-user-ID, set-group-ID and sticky); a new
// file, or one in place of a symbolic link, has those of any new file (0666
// less the umask). A link at the target is replaced, its target never touched.

#include <filesystem>
#include <string_view>

namespace zqk {

class FileReplacement {
 public:
  enum class Status {
    kOk,
    kOpenFailed,   // no temporary file (missing directory, no access), or
                   // the target cannot be replaced (not writable, a directory)
    kWriteFailed,  // writing or closing failed (disk full); the target is untouched
  };
  struct Result {
    Status status = Status::kOk;
    int error = 0;  // errno of the failure
  };

  // Opens the temporary file for `target`; Opened() says whether it worked.
  explicit FileReplacement(std::filesystem::path target);
  // Removes the temporary file unless it was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  Result Opened() const { return opened_; }
  // Whether a file (or what a link leads to) stood at the target when the
  // replacement was opened.
  bool TargetExists() const { return targetExists_; }
  // Writes all of `bytes` after what was written before.
  Result Write(std::string_view bytes);
  // Closes the temporary file and renames it over the target.
  Result Commit();

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  Result opened_;
  bool targetExists_ = false;
};

}  // namespace zqk
