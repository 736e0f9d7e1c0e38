#include "files/RegularFile.h"

#include <cerrno>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/SpecialFiles.h"
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

struct AppendCase {
  const char* name;
  std::optional<test::Special> special;  // nullopt: a regular file, or none
  bool exists;
  int error;  // 0: opens and appends
};

void PrintTo(const AppendCase& c, std::ostream* os) {
  *os << c.name;
}

class AppendTest : public testing::TestWithParam<AppendCase> {};

TEST_P(AppendTest, AppendsToRegularFilesOnlyWithoutBlocking) {
  const AppendCase& c = GetParam();
  if (c.special && test::RestsOnModes(*c.special) && test::RunningAsRoot()) {
    GTEST_SKIP() << test::kRootIgnoresModes;
  }
  test::TempDir dir;
  std::filesystem::path path = dir / "log";
  if (c.special) {
    path = test::MakeSpecial(*c.special, path);
  } else if (c.exists) {
    std::ofstream(path) << "old\n";
  }
  std::string reason;
  std::FILE* file = OpenRegularFileForAppend(path, &reason);
  if (c.error != 0) {
    const int error = errno;
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(error, c.error) << reason;
    EXPECT_FALSE(reason.empty());
    if (file) std::fclose(file);
    return;
  }
  ASSERT_NE(file, nullptr) << reason;
  std::fputs("new\n", file);
  std::fclose(file);
  EXPECT_EQ(test::ReadWholeFile(path), c.exists ? "old\nnew\n" : "new\n");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AppendTest,
    testing::Values(AppendCase{"existing", {}, true, 0}, AppendCase{"missing", {}, false, 0},
                    AppendCase{"fifo without reader", kFifo, true, EINVAL},
                    AppendCase{"dev zero", kLinkToDevZero, true, EINVAL},
                    AppendCase{"directory", kDirectory, true, EISDIR},
                    AppendCase{"unwritable", kUnreadable, true, EACCES},
                    AppendCase{"in unsearchable folder", kInUnsearchableFolder, true, EACCES}));

}  // namespace
}  // namespace zqk
