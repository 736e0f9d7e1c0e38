#pragma once
// A simulated market on a fixed calendar for the sandbox's own tests:
// agent time 0 is 2016-09-01 09:00 local time.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstdint>

#include "sandbox/market/SimulatedMarket.h"

namespace zqk::test {

inline int64_t SampleStartEpochSecs() {
  return QDateTime(QDate(2016, 9, 1), QTime(9, 0)).toSecsSinceEpoch();
}

inline sandbox::market::MarketClock SampleClock() {
  return sandbox::market::MarketClock(SampleStartEpochSecs(), 0);
}

constexpr int64_t kMinute = 60'000;
constexpr int64_t kHour = 60 * kMinute;

}  // namespace zqk::test
