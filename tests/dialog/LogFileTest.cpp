#include "dialog/LogFile.h"

#include <gtest/gtest.h>

#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <variant>

namespace zqk {
namespace {

class LogFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zqk-logfile-" + std::to_string(::getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

// Every line feed, the one after each line and those inside a line, is
// stored as CR LF; every other byte (a lone CR, NUL) as it is.
TEST_F(LogFileTest, EachSaveAppendsEveryLineWithCrLf) {
  EventLog log;
  log.Append("[PM 03:07:09]  로그인 성공");
  log.Append("");
  log.Append(std::string("a\0b", 3));
  log.Append("a\nb");
  log.Append("\n\nend\n");
  log.Append("x\r\ny\rz");
  const auto path = dir_ / kLogFileName;
  ASSERT_EQ(AppendLogToFile(log, path).status, LogSaveResult::Status::kOk);
  ASSERT_EQ(AppendLogToFile(log, path).status, LogSaveResult::Status::kOk);
  static constexpr char kOnce[] =
      "[PM 03:07:09]  로그인 성공\r\n\r\na\0b\r\n"
      "a\r\nb\r\n\r\n\r\nend\r\n\r\nx\r\r\ny\rz\r\n";
  const std::string once(kOnce, sizeof kOnce - 1);
  EXPECT_EQ(test::ReadWholeFile(path), once + once);
  EXPECT_EQ(log.Count(), 6u);
}

TEST_F(LogFileTest, EmptyLogCreatesAnEmptyFileAndLeavesAnExistingOneAlone) {
  EventLog log;
  const auto path = dir_ / kLogFileName;
  ASSERT_EQ(AppendLogToFile(log, path).status, LogSaveResult::Status::kOk);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(test::ReadWholeFile(path), "");
  std::ofstream(path, std::ios::binary) << "kept\r\n";
  ASSERT_EQ(AppendLogToFile(log, path).status, LogSaveResult::Status::kOk);
  EXPECT_EQ(test::ReadWholeFile(path), "kept\r\n");
}

TEST_F(LogFileTest, LargeLogCrossesTheWriteBufferIntact) {
  EventLog log;
  std::string expected;
  for (int i = 0; i < 50000; ++i) {
    std::string line = std::to_string(i) + std::string(static_cast<size_t>(i % 61), '-');
    log.Append(line);
    expected += line + "\r\n";
  }
  log.Append(std::string(3u << 20, 'L'));  // larger than the buffer
  expected += std::string(3u << 20, 'L') + "\r\n";
  const auto path = dir_ / kLogFileName;
  ASSERT_EQ(AppendLogToFile(log, path).status, LogSaveResult::Status::kOk);
  EXPECT_EQ(test::ReadWholeFile(path), expected);
}

enum class Place { kMissingFolder, kFileThatCannotGrow };

struct FailureCase {
  const char* name;
  std::variant<test::Special, Place> place;
  LogSaveResult::Status status;
  int error;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class LogFileFailures : public testing::TestWithParam<FailureCase> {};

// Nothing but a regular file is opened, so a FIFO cannot hold the dialog.
TEST_P(LogFileFailures, AreReportedWithTheirCause) {
  const FailureCase& c = GetParam();
  const test::Special* special = std::get_if<test::Special>(&c.place);
  if (special && test::RestsOnModes(*special) && test::RunningAsRoot()) {
    GTEST_SKIP() << test::kRootIgnoresModes;
  }
  test::TempDir dir;
  EventLog log;
  for (int i = 0; i < 1000; ++i) log.Append("line " + std::to_string(i));
  std::filesystem::path path = dir / kLogFileName;
  LogSaveResult result;
  if (special) {
    result = AppendLogToFile(log, test::MakeSpecial(*special, path));
  } else if (std::get<Place>(c.place) == Place::kMissingFolder) {
    result = AppendLogToFile(log, dir / "no-such-dir" / kLogFileName);
  } else {
    test::ScopedFileSizeLimit limit(100);
    result = AppendLogToFile(log, path);
  }
  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(result.error, c.error) << std::strerror(result.error);
}

using enum test::Special;
using Status = LogSaveResult::Status;
INSTANTIATE_TEST_SUITE_P(
    Kinds, LogFileFailures,
    testing::Values(FailureCase{"missing folder", Place::kMissingFolder, Status::kOpenFailed,
                                ENOENT},
                    FailureCase{"directory", kDirectory, Status::kOpenFailed, EISDIR},
                    FailureCase{"fifo", kFifo, Status::kOpenFailed, EINVAL},
                    FailureCase{"device", kLinkToDevZero, Status::kOpenFailed, EINVAL},
                    FailureCase{"read-only", kUnreadable, Status::kOpenFailed, EACCES},
                    FailureCase{"file that cannot grow", Place::kFileThatCannotGrow,
                                Status::kWriteFailed, EFBIG}));

}  // namespace
}  // namespace zqk
