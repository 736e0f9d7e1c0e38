#pragma once
// A regular file read line by line, in blocks: a file of any size costs the
// memory of its longest line, and a line longer than the limit is refused as
// soon as the limit is passed, without reading the rest of it.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

namespace zqk {

class LineReader {
 public:
  enum class Status {
    kLine,          // `line` holds the next line, without its "\n"
    kEnd,           // the file ends after the last line's "\n" (or is empty)
    kTooLong,       // the line is longer than the limit
    kUnterminated,  // the file ends inside a line: `line` holds what there is
    kFailed,        // a read failed: Error() says why
  };

  // Opens `path` if it is a regular file; nullptr and a UTF-8 reason otherwise.
  static std::unique_ptr<LineReader> Open(const std::filesystem::path& path, size_t maxLineBytes,
                                          std::string* reason);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  Status Next(std::string& line);
  // The number of the line Next() last spoke of, from 1.
  size_t LineNumber() const { return lineNumber_; }
  const std::string& Error() const { return error_; }

 private:
  LineReader(int fd, size_t maxLineBytes);
  // Reads the next block; false at the end of the file or on failure.
  bool Fill();

  int fd_;
  size_t maxLineBytes_;
  std::unique_ptr<char[]> block_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool atEnd_ = false;
  size_t lineNumber_ = 0;
  std::string error_;
};

}  // namespace zqk
