#pragma once
// Reading and writing the files that the programs name themselves (the
// component registry, the sandbox settings, fixtures, scripts, the saved log).
// Only regular files are read or written, so that a FIFO or a device in their
// place can neither block the program in an open nor feed it without end, and
// a read never takes more than a stated number of bytes.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

namespace zqk {

inline constexpr size_t kMebibyte = size_t{1} << 20;

// What a reader accepts besides regular files.
enum class ReadFrom {
  kRegularFileOnly,
  // Also a pipe, FIFO or terminal (a script given as /dev/stdin), read to its
  // end; opening a FIFO then waits for its writer, as any reader does.
  kStreamsToo,
};

struct FileRead {
  enum class Status {
    kRead,    // `bytes` holds the whole file
    kAbsent,  // nothing at all under that name (no file, no link)
    kRefused  // `reason` says why
  };
  Status status = Status::kAbsent;
  std::string bytes;
  std::string reason;  // UTF-8, without the path: "not a regular file but a FIFO"
};

// Reads all of `path`, at most `maxBytes` of it: a longer file is refused
// with the limit in the reason. A dangling or looping link and a folder that
// cannot be searched are refused, not absent.
FileRead ReadWholeFile(const std::filesystem::path& path, size_t maxBytes,
                       ReadFrom from = ReadFrom::kRegularFileOnly);

// Opens `path` for appending, creating it when missing, if it is a regular
// file; the open never blocks. nullptr with errno set on failure (EINVAL for
// something that is not a regular file, EISDIR for a directory), with a UTF-8
// reason in `reason` when given.
std::FILE* OpenRegularFileForAppend(const std::filesystem::path& path,
                                    std::string* reason = nullptr);

// Creates `path`, or empties it, for writing, if it is a regular file; the
// open never blocks. A file descriptor, or -1 with errno set (as for
// OpenRegularFileForAppend) and a UTF-8 reason in `reason` when given.
int OpenRegularFileForWriting(const std::filesystem::path& path, std::string* reason = nullptr);

// "4 MiB" or "1000 bytes": a limit as the reasons name it.
std::string DescribeSize(size_t bytes);

}  // namespace zqk
