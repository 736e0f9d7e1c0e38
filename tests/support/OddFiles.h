#pragma once
// What may stand where a program expects a regular file: a FIFO, a link to a
// device, a directory, links that lead nowhere, files it may not read. Root
// reads whatever the file modes say, so the cases that rest on modes only
// mean something to an unprivileged user.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace zqk::test {

enum class Special {
  kFifo,
  kLinkToDevZero,
  kDirectory,
  kDanglingLink,
  kLoopingLink,
  kUnreadable,            // mode 000
  kInUnsearchableFolder,  // a file in a folder of mode 000
};

// Whether `kind` rests on file modes, which root does not heed.
inline bool RestsOnModes(Special kind) {
  return kind == Special::kUnreadable || kind == Special::kInUnsearchableFolder;
}

inline bool RunningAsRoot() {
  return ::geteuid() == 0;
}

inline constexpr std::string_view kRootIgnoresModes =
    "root reads what file modes forbid; run the tests as an unprivileged user for this case";

// Makes `kind` at `path`, whose folder exists, and returns the path to hand
// to the code under test (for kInUnsearchableFolder: a file inside a folder
// made at `path`). The folder of mode 000 lies directly in a TempDir, which
// opens it again before removing it.
inline std::filesystem::path MakeSpecial(Special kind, const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  switch (kind) {
    case Special::kFifo:
      if (::mkfifo(path.c_str(), 0600) != 0) {
        throw fs::filesystem_error("mkfifo", path, std::error_code(errno, std::generic_category()));
      }
      return path;
    case Special::kLinkToDevZero:
      fs::create_symlink("/dev/zero", path);
      return path;
    case Special::kDirectory:
      fs::create_directory(path);
      return path;
    case Special::kDanglingLink:
      fs::create_symlink(path.parent_path() / "nothing-here", path);
      return path;
    case Special::kLoopingLink:
      fs::create_symlink(path.filename(), path);
      return path;
    case Special::kUnreadable:
      std::ofstream(path) << "{}";
      fs::permissions(path, fs::perms::none);
      return path;
    case Special::kInUnsearchableFolder:
      fs::create_directory(path);
      std::ofstream(path / "inside") << "{}";
      fs::permissions(path, fs::perms::none);
      return path / "inside";
  }
  return path;
}

}  // namespace zqk::test
