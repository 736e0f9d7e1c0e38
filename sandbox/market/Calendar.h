#pragma once
// Dates of the simulated market as YYYYMMDD integers, and the agent's clock:
// agent time (host.NowMs(), the UI thread's clock) mapped to the local
// calendar from the moment the agent was created.

#include <cstdint>
#include <set>
#include <string>

class QDate;

namespace zqk::sandbox::market {

int32_t ToYmd(const QDate& d);
QDate FromYmd(int32_t ymd);

// The `n`th (from 1) `weekday` (1 Monday .. 7 Sunday) of a month.
int32_t NthWeekday(int year, int month, int weekday, int n);
// `day` of the month, moved back to the Friday before when it falls on a
// weekend.
int32_t WeekdayOnOrBefore(int year, int month, int day);
// Days from `from` to `to` (negative when `to` is earlier).
int32_t DaysBetween(int32_t from, int32_t to);
// `ymd` itself or the next day that is neither a weekend nor in `holidays`
// ("YYYYMMDD").
int32_t BusinessDayOnOrAfter(int32_t ymd, const std::set<std::string>& holidays);

struct LocalTime {
  int32_t date = 0;  // YYYYMMDD
  int32_t time = 0;  // HHMMSS
  int32_t ms = 0;
};

class MarketClock {
 public:
  // `startEpochSecs` is the calendar moment at agent time `agentMsAtStart`.
  MarketClock(int64_t startEpochSecs, int64_t agentMsAtStart);

  int64_t EpochMs(int64_t agentMs) const { return startEpochMs_ + (agentMs - agentMsAtStart_); }
  int64_t AgentMs(int64_t epochMs) const { return agentMsAtStart_ + (epochMs - startEpochMs_); }
  int64_t agentMsAtStart() const { return agentMsAtStart_; }

  LocalTime Local(int64_t agentMs) const;
  // Whole minutes since the local midnight that starts the day of `agentMs`;
  // cheap for times of the day last asked about.
  int32_t MinuteOfDay(int64_t agentMs) const;
  // Agent time of the local midnight that starts the day of `agentMs`, and of
  // the one that ends it.
  int64_t DayStart(int64_t agentMs) const;
  int64_t DayEnd(int64_t agentMs) const;
  // Agent time of local midnight at the start of `ymd`.
  int64_t AgentMsOfDate(int32_t ymd) const;
  // Epoch ms of the close (15:45 local) of `ymd`, the moment a product that
  // expires that day stops having time value.
  static int64_t CloseEpochMs(int32_t ymd);

 private:
  void CacheDay(int64_t epochMs) const;

  int64_t startEpochMs_;
  int64_t agentMsAtStart_;
  // The local day last asked for, in epoch ms: most calls fall on it.
  mutable int64_t dayBegin_ = 0;
  mutable int64_t dayEnd_ = -1;
  mutable int32_t dayYmd_ = 0;
};

}  // namespace zqk::sandbox::market
