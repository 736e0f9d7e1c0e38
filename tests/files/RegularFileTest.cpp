#include "files/RegularFile.h"

#include <fstream>
#include <optional>

#include <gtest/gtest.h>

#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

using Status = FileRead::Status;

struct ReadCase {
  const char* name;
  std::optional<test::Special> special;  // nullopt: a regular file of `content`
  std::string content;
  size_t maxBytes;
  ReadFrom from;
  Status status;
  const char* reason;  // a fragment of the reason; the bytes for kRead
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadWholeFileTest : public testing::TestWithParam<ReadCase> {};

// Every case returns at once: nothing blocks in an open or reads without end.
TEST_P(ReadWholeFileTest, ReadsRegularFilesWithinTheLimitAndSaysWhyNot) {
  const ReadCase& c = GetParam();
  if (c.special && test::RestsOnModes(*c.special) && test::RunningAsRoot()) {
    GTEST_SKIP() << test::kRootIgnoresModes;
  }
  test::TempDir dir;
  std::filesystem::path path = dir / "file";
  if (c.special) {
    path = test::MakeSpecial(*c.special, path);
  } else if (c.name != std::string_view("absent")) {
    std::ofstream(path, std::ios::binary) << c.content;
  }
  const FileRead r = ReadWholeFile(path, c.maxBytes, c.from);
  EXPECT_EQ(r.status, c.status) << r.reason;
  if (c.status == Status::kRead) {
    EXPECT_EQ(r.bytes, c.reason);
  } else {
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
  }
}

using enum test::Special;
constexpr ReadFrom kFile = ReadFrom::kRegularFileOnly;
constexpr ReadFrom kStream = ReadFrom::kStreamsToo;

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReadWholeFileTest,
    testing::Values(
        ReadCase{"regular", {}, "x y\n", 4, kFile, Status::kRead, "x y\n"},
        ReadCase{"at the limit", {}, "0123456789", 10, kFile, Status::kRead, "0123456789"},
        ReadCase{"over the limit",
                 {},
                 "0123456789!",
                 10,
                 kFile,
                 Status::kRefused,
                 "larger than the limit of 10 bytes"},
        ReadCase{"absent", {}, "", 10, kFile, Status::kAbsent, ""},
        ReadCase{"fifo", kFifo, "", 10, kFile, Status::kRefused, "not a regular file but a FIFO"},
        ReadCase{"dev zero", kLinkToDevZero, "", 10, kFile, Status::kRefused,
                 "not a regular file but a character device"},
        ReadCase{"directory", kDirectory, "", 10, kFile, Status::kRefused, "a directory"},
        ReadCase{"dangling link", kDanglingLink, "", 10, kFile, Status::kRefused,
                 "a symbolic link to a file that does not exist"},
        ReadCase{"looping link", kLoopingLink, "", 10, kFile, Status::kRefused,
                 "Too many levels of symbolic links"},
        ReadCase{"unreadable", kUnreadable, "", 10, kFile, Status::kRefused, "Permission denied"},
        ReadCase{"unsearchable folder", kInUnsearchableFolder, "", 10, kFile, Status::kRefused,
                 "Permission denied"},
        // A stream is read, still only up to the limit.
        ReadCase{"dev zero as a stream", kLinkToDevZero, "", kMebibyte, kStream, Status::kRefused,
                 "larger than the limit of 1 MiB"},
        ReadCase{"directory as a stream", kDirectory, "", 10, kStream, Status::kRefused,
                 "a directory"}));

}  // namespace
}  // namespace zqk
