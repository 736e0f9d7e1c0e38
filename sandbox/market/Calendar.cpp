#include "sandbox/market/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>

namespace zqk::sandbox::market {

int32_t ToYmd(const QDate& d) {
  return d.year() * 10000 + d.month() * 100 + d.day();
}

QDate FromYmd(int32_t ymd) {
  return QDate(ymd / 10000, ymd / 100 % 100, ymd % 100);
}

int32_t NthWeekday(int year, int month, int weekday, int n) {
  QDate d(year, month, 1);
  d = d.addDays((weekday - d.dayOfWeek() + 7) % 7 + 7 * (n - 1));
  return ToYmd(d);
}

int32_t WeekdayOnOrBefore(int year, int month, int day) {
  QDate d(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
  while (d.dayOfWeek() > 5) d = d.addDays(-1);
  return ToYmd(d);
}

int32_t DaysBetween(int32_t from, int32_t to) {
  return static_cast<int32_t>(FromYmd(from).daysTo(FromYmd(to)));
}

int32_t BusinessDayOnOrAfter(int32_t ymd, const std::set<std::string>& holidays) {
  QDate day = FromYmd(ymd);
  for (int guard = 0; guard < 366; ++guard) {
    if (day.dayOfWeek() <= 5 && !holidays.contains(std::to_string(ToYmd(day)))) return ToYmd(day);
    day = day.addDays(1);
  }
  return ymd;
}

MarketClock::MarketClock(int64_t startEpochSecs, int64_t agentMsAtStart)
    : startEpochMs_(startEpochSecs * 1000), agentMsAtStart_(agentMsAtStart) {}

void MarketClock::CacheDay(int64_t epochMs) const {
  if (epochMs >= dayBegin_ && epochMs < dayEnd_) return;
  const QDate date = QDateTime::fromMSecsSinceEpoch(epochMs).date();
  dayBegin_ = QDateTime(date, QTime(0, 0)).toMSecsSinceEpoch();
  dayEnd_ = QDateTime(date.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
  dayYmd_ = ToYmd(date);
}

LocalTime MarketClock::Local(int64_t agentMs) const {
  const int64_t epochMs = EpochMs(agentMs);
  CacheDay(epochMs);
  const int64_t intoDay = epochMs - dayBegin_;
  const int64_t secs = intoDay / 1000;
  return LocalTime{dayYmd_,
                   static_cast<int32_t>(secs / 3600 * 10000 + secs / 60 % 60 * 100 + secs % 60),
                   static_cast<int32_t>(intoDay % 1000)};
}

int32_t MarketClock::MinuteOfDay(int64_t agentMs) const {
  const int64_t epochMs = EpochMs(agentMs);
  CacheDay(epochMs);
  return static_cast<int32_t>((epochMs - dayBegin_) / 60'000);
}

int64_t MarketClock::DayStart(int64_t agentMs) const {
  CacheDay(EpochMs(agentMs));
  return AgentMs(dayBegin_);
}

int64_t MarketClock::DayEnd(int64_t agentMs) const {
  CacheDay(EpochMs(agentMs));
  return AgentMs(dayEnd_);
}

int64_t MarketClock::AgentMsOfDate(int32_t ymd) const {
  return AgentMs(QDateTime(FromYmd(ymd), QTime(0, 0)).toMSecsSinceEpoch());
}

int64_t MarketClock::CloseEpochMs(int32_t ymd) {
  return QDateTime(FromYmd(ymd), QTime(15, 45)).toMSecsSinceEpoch();
}

}  // namespace zqk::sandbox::market
