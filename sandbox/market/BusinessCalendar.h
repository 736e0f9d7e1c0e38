#pragma once
// The days on which a market does business, as GetBusinessDay reports them:
// Monday to Friday, except the market's holidays. The domestic market closes
// on the holidays of the settings file only; the overseas market (most of its
// products trade on US exchanges) closes on the US market holidays of every
// year, computed by their rules, and on the dates of its own settings key.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace zqk::sandbox::market {

// The US market holidays of `year`, on the days they are observed
// (YYYYMMDD, in date order): a holiday on a Saturday moves to the Friday
// before, one on a Sunday to the Monday after; New Year's Day on a Saturday
// is not moved into the year before.
std::vector<int32_t> UsMarketHolidays(int year);

class BusinessCalendar {
 public:
  // Closed on weekends and on `holidays` ("YYYYMMDD"), which must outlive the
  // calendar; with `usMarketHolidays` also on the US market holidays.
  BusinessCalendar(const std::set<std::string>& holidays, bool usMarketHolidays)
      : holidays_(holidays), usMarketHolidays_(usMarketHolidays) {}

  bool IsBusinessDay(int32_t ymd) const;
  // `ymd` itself or the next business day.
  int32_t OnOrAfter(int32_t ymd) const;

 private:
  const std::set<std::string>& holidays_;
  bool usMarketHolidays_;
};

}  // namespace zqk::sandbox::market
