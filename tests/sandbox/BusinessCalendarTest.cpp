// The US market holidays that close the overseas calendar, year by year: the
// moves off weekends, Easter, and Juneteenth from 2022 on.
#include <gtest/gtest.h>

#include <vector>

#include "sandbox/market/BusinessCalendar.h"

namespace zqk::test {
namespace {

struct HolidayYear {
  int year;
  std::vector<int32_t> days;
};

TEST(UsMarketHolidaysTest, ObservedDaysByYear) {
  const HolidayYear years[] = {
      // New Year on a Friday; Christmas on a Sunday, observed Monday.
      {2016,
       {20160101, 20160118, 20160215, 20160325, 20160530, 20160704, 20160905, 20161124, 20161226}},
      // Independence Day on a Sunday, Christmas on a Saturday (Friday before).
      {2021,
       {20210101, 20210118, 20210215, 20210402, 20210531, 20210705, 20210906, 20211125, 20211224}},
      // New Year on a Saturday: not moved back into 2021. Juneteenth on a
      // Sunday, observed Monday.
      {2022,
       {20220117, 20220221, 20220415, 20220530, 20220620, 20220704, 20220905, 20221124, 20221226}},
      // Juneteenth on a Saturday, observed Friday.
      {2027,
       {20270101, 20270118, 20270215, 20270326, 20270531, 20270618, 20270705, 20270906, 20271125,
        20271224}},
  };
  for (const HolidayYear& y : years) {
    EXPECT_EQ(sandbox::market::UsMarketHolidays(y.year), y.days) << y.year;
  }
}

}  // namespace
}  // namespace zqk::test
