#include "ui/LogFile.h"

#include <gtest/gtest.h>

#include "tests/support/Files.h"

#include <fstream>
#include <sstream>

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

TEST_F(LogFileTest, FailuresAreReportedWithTheirCause) {
  EventLog log;
  log.Append("x");
  const LogSaveResult missingDir = AppendLogToFile(log, dir_ / "no-such-dir" / kLogFileName);
  EXPECT_EQ(missingDir.status, LogSaveResult::Status::kOpenFailed);
  EXPECT_EQ(missingDir.error, ENOENT);
  if (std::filesystem::exists("/dev/full")) {
    const LogSaveResult full = AppendLogToFile(log, "/dev/full");
    EXPECT_EQ(full.status, LogSaveResult::Status::kWriteFailed);
    EXPECT_EQ(full.error, ENOSPC);
  }
}

}  // namespace
}  // namespace zqk
