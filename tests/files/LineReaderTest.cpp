// Reading a file line by line within a limit, and opening one to write anew.
#include "files/LineReader.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/RegularFile.h"
#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

using Status = LineReader::Status;
using Read = std::pair<Status, std::string>;

struct LinesCase {
  const char* name;
  std::string content;
  size_t sparseBytes;  // > 0: the content, then zeros up to this size without writing them
  size_t maxLineBytes;
  std::vector<Read> reads;  // every Next() until the last status
};

void PrintTo(const LinesCase& c, std::ostream* os) {
  *os << c.name;
}

class LineReaderTest : public testing::TestWithParam<LinesCase> {};

TEST_P(LineReaderTest, GivesWholeLinesWithinTheLimit) {
  const LinesCase& c = GetParam();
  test::TempDir dir;
  const std::filesystem::path path = dir / "lines";
  std::ofstream(path, std::ios::binary) << c.content;
  if (c.sparseBytes > 0) std::filesystem::resize_file(path, c.sparseBytes);
  std::string reason;
  std::unique_ptr<LineReader> reader = LineReader::Open(path, c.maxLineBytes, &reason);
  ASSERT_TRUE(reader) << reason;
  std::string line;
  for (size_t i = 0; i < c.reads.size(); ++i) {
    const Status status = reader->Next(line);
    EXPECT_EQ(status, c.reads[i].first) << "read " << i;
    if (status == Status::kLine || status == Status::kUnterminated) {
      EXPECT_EQ(line, c.reads[i].second) << "read " << i;
    }
    if (status != Status::kEnd && status != Status::kFailed) {
      EXPECT_EQ(reader->LineNumber(), i + 1);
    }
  }
}

const std::string kLongLine(3 << 20, 'x');  // beyond one block of the reader

INSTANTIATE_TEST_SUITE_P(
    Files, LineReaderTest,
    testing::Values(
        LinesCase{"empty", "", 0, 10, {{Status::kEnd, ""}, {Status::kEnd, ""}}},
        LinesCase{
            "lines",
            "a\n\nbc\n",
            0,
            10,
            {{Status::kLine, "a"}, {Status::kLine, ""}, {Status::kLine, "bc"}, {Status::kEnd, ""}}},
        LinesCase{
            "cut short", "a\nbc", 0, 10, {{Status::kLine, "a"}, {Status::kUnterminated, "bc"}}},
        LinesCase{"at the limit",
                  "0123456789\n",
                  0,
                  10,
                  {{Status::kLine, "0123456789"}, {Status::kEnd, ""}}},
        LinesCase{"over the limit, and nothing after",
                  "a\n0123456789!\nb\n",
                  0,
                  10,
                  {{Status::kLine, "a"}, {Status::kTooLong, ""}, {Status::kFailed, ""}}},
        LinesCase{"across blocks",
                  kLongLine + "\nz\n",
                  0,
                  4 << 20,
                  {{Status::kLine, kLongLine}, {Status::kLine, "z"}, {Status::kEnd, ""}}},
        // A gigabyte without a line feed is refused at the limit, not read.
        LinesCase{"a gigabyte of one line",
                  "{\"t\":",
                  size_t{1} << 30,
                  1 << 20,
                  {{Status::kTooLong, ""}}}));

struct WriteCase {
  const char* name;
  std::optional<test::Special> special;  // nullopt: a regular file holding "old"
  const char* reason;                    // nullptr: opened and emptied
};

void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << c.name;
}

class OpenForWritingTest : public testing::TestWithParam<WriteCase> {};

TEST_P(OpenForWritingTest, EmptiesRegularFilesAndNothingElse) {
  const WriteCase& c = GetParam();
  test::TempDir dir;
  std::filesystem::path path = dir / "file";
  if (c.special) {
    path = test::MakeSpecial(*c.special, path);
  } else {
    std::ofstream(path) << "old";
  }
  std::string reason;
  const int fd = OpenRegularFileForWriting(path, &reason);
  if (!c.reason) {
    ASSERT_GE(fd, 0) << reason;
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    ::close(fd);
    return;
  }
  EXPECT_EQ(fd, -1);
  EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  // A FIFO without a reader would have held the open; the lines reader refuses it too.
  EXPECT_FALSE(LineReader::Open(path, 10, &reason));
}

using enum test::Special;
INSTANTIATE_TEST_SUITE_P(
    Kinds, OpenForWritingTest,
    testing::Values(WriteCase{"regular", {}, nullptr}, WriteCase{"fifo", kFifo, "a FIFO"},
                    WriteCase{"dev zero", kLinkToDevZero, "a character device"},
                    WriteCase{"directory", kDirectory, "a directory"}));

}  // namespace
}  // namespace zqk
