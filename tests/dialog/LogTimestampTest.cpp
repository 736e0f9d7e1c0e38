#include "dialog/LogTimestamp.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace zqk {
namespace {

class LogTimestampTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    savedTz_ = tz ? tz : "";
    hadTz_ = tz != nullptr;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_)
      setenv("TZ", savedTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  std::string savedTz_;
  bool hadTz_ = false;
};

struct StampCase {
  std::time_t time;
  const char* expected;
};

TEST_F(LogTimestampTest, TwelveHourClockWithDesignatorAndTwoBlanks) {
  const StampCase cases[] = {
      {15 * 3600 + 7 * 60 + 9, "[PM 03:07:09]  "},
      {0, "[AM 12:00:00]  "},
      {12 * 3600, "[PM 12:00:00]  "},
      {11 * 3600 + 59 * 60 + 59, "[AM 11:59:59]  "},
      {23 * 3600 + 59 * 60 + 59, "[PM 11:59:59]  "},
  };
  for (const StampCase& c : cases) EXPECT_EQ(FormatLogTimestamp(c.time), c.expected) << c.time;
}

TEST_F(LogTimestampTest, DesignatorIgnoresTheProcessLocale) {
  // The toolkit sets the locale from the environment; the stamp must not follow.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "");
  EXPECT_EQ(FormatLogTimestamp(15 * 3600), "[PM 03:00:00]  ");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(StripLogTimestamp, DropsOnlyAWholeStamp) {
  EXPECT_EQ(StripLogTimestamp("[PM 03:07:09]  text"), "text");
  EXPECT_EQ(StripLogTimestamp("[PM 03:07:09]  "), "");
  EXPECT_EQ(StripLogTimestamp("[PM 03:07:09] text"), "[PM 03:07:09] text");
  EXPECT_EQ(StripLogTimestamp("[][]"), "[][]");
  EXPECT_EQ(StripLogTimestamp("RQID[5][x][y]"), "RQID[5][x][y]");
}

}  // namespace
}  // namespace zqk
