#include "sandbox/market/BusinessCalendar.h"

#include <QDate>
#include <algorithm>

#include "sandbox/market/Calendar.h"

namespace zqk::sandbox::market {
namespace {

enum class Rule {
  kFixed,             // month/day, moved off a weekend
  kFixedNotBackward,  // month/day, moved off a Sunday only
  kNthWeekday,        // the `n`th `weekday` of the month
  kLastWeekday,       // the last `weekday` of the month
  kFromEaster,        // `n` days from Easter Sunday
};

struct HolidayRule {
  Rule rule;
  int month = 0;
  int n = 0;  // the day, the count, or the days from Easter
  int weekday = 0;
  int sinceYear = 0;
};

constexpr HolidayRule kUsMarketHolidays[] = {
    {.rule = Rule::kFixedNotBackward, .month = 1, .n = 1},           // New Year's Day
    {.rule = Rule::kNthWeekday, .month = 1, .n = 3, .weekday = 1},   // Martin Luther King Jr. Day
    {.rule = Rule::kNthWeekday, .month = 2, .n = 3, .weekday = 1},   // Washington's Birthday
    {.rule = Rule::kFromEaster, .n = -2},                            // Good Friday
    {.rule = Rule::kLastWeekday, .month = 5, .weekday = 1},          // Memorial Day
    {.rule = Rule::kFixed, .month = 6, .n = 19, .sinceYear = 2022},  // Juneteenth
    {.rule = Rule::kFixed, .month = 7, .n = 4},                      // Independence Day
    {.rule = Rule::kNthWeekday, .month = 9, .n = 1, .weekday = 1},   // Labor Day
    {.rule = Rule::kNthWeekday, .month = 11, .n = 4, .weekday = 4},  // Thanksgiving Day
    {.rule = Rule::kFixed, .month = 12, .n = 25},                    // Christmas Day
};

// Easter Sunday of the Gregorian calendar (the anonymous algorithm).
QDate EasterSunday(int year) {
  const int a = year % 19, b = year / 100, c = year % 100;
  const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  return QDate(year, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}

// The observed day of a rule in `year`, or an invalid date when none.
QDate Observed(const HolidayRule& r, int year) {
  if (year < r.sinceYear) return {};
  switch (r.rule) {
    case Rule::kFixed:
    case Rule::kFixedNotBackward: {
      const QDate d(year, r.month, r.n);
      if (d.dayOfWeek() == 7) return d.addDays(1);
      if (d.dayOfWeek() == 6) return r.rule == Rule::kFixed ? d.addDays(-1) : QDate();
      return d;
    }
    case Rule::kNthWeekday:
      return FromYmd(NthWeekday(year, r.month, r.weekday, r.n));
    case Rule::kLastWeekday: {
      QDate d(year, r.month, QDate(year, r.month, 1).daysInMonth());
      return d.addDays(-((d.dayOfWeek() - r.weekday + 7) % 7));
    }
    case Rule::kFromEaster:
      return EasterSunday(year).addDays(r.n);
  }
  return {};
}

}  // namespace

std::vector<int32_t> UsMarketHolidays(int year) {
  std::vector<int32_t> days;
  for (const HolidayRule& r : kUsMarketHolidays) {
    if (const QDate d = Observed(r, year); d.isValid()) days.push_back(ToYmd(d));
  }
  std::sort(days.begin(), days.end());
  return days;
}

bool BusinessCalendar::IsBusinessDay(int32_t ymd) const {
  if (FromYmd(ymd).dayOfWeek() > 5 || holidays_.contains(std::to_string(ymd))) return false;
  if (!usMarketHolidays_) return true;
  const std::vector<int32_t> us = UsMarketHolidays(ymd / 10000);
  return !std::binary_search(us.begin(), us.end(), ymd);
}

int32_t BusinessCalendar::OnOrAfter(int32_t ymd) const {
  QDate day = FromYmd(ymd);
  // A year of holidays at most: the settings could close every day.
  for (int guard = 0; guard < 366; ++guard) {
    if (IsBusinessDay(ToYmd(day))) return ToYmd(day);
    day = day.addDays(1);
  }
  return ymd;
}

}  // namespace zqk::sandbox::market
