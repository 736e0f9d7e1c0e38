// The market as a trader reads it: contract terms and carry of the day, FX
// spreads that move with the hour, and volume that gathers at the open and
// the close of a session.
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <numeric>
#include <set>

#include "sandbox/market/IndexCarry.h"
#include "sandbox/market/SimulatedMarket.h"
#include "tests/sandbox/MarketFixture.h"

namespace zqk::test {
namespace {

using namespace sandbox::market;

MarketClock ClockOn(int32_t ymd) {
  const QDateTime start(FromYmd(ymd), QTime(9, 0));
  return MarketClock(start.toSecsSinceEpoch(), 0);
}

struct MultiplierCase {
  const char* code;
  int32_t date;
  double multiplier;
};

TEST(MarketTermsTest, KospiMultipliersAreThoseOfTheClocksDate) {
  const MultiplierCase cases[] = {
      {"101F9000", 20160901, 500'000}, {"101H3000", 20170327, 250'000},
      {"105F9000", 20160901, 100'000}, {"105GC000", 20170401, 50'000},
      {"201JB245", 20160901, 500'000}, {"301JB245", 20170324, 500'000},
      {"201JB245", 20181101, 250'000},
  };
  for (const MultiplierCase& c : cases) {
    const SimulatedMarket m(1, ClockOn(c.date));
    const Product* p = m.products().Find(c.code);
    ASSERT_NE(p, nullptr) << c.code;
    EXPECT_EQ(p->multiplier, c.multiplier) << c.code << " on " << c.date;
  }
}

struct CarryCase {
  const char* front;
  const char* deferred;
  int32_t date;
  double carryPercent;  // rate less dividend yield
};

// In 2016 every index paid more in dividends than its currency's rate:
// deferred months traded below the front. By late 2022 Korea's rate had
// passed the KOSPI200's yield.
TEST(MarketTermsTest, CarryIsTheRateLessTheDividendYieldOfTheDay) {
  const CarryCase cases[] = {
      {"101F9000", "101FC000", 20160901, 1.25 - 1.7},
      {"ESU16", "ESZ16", 20160901, 0.375 - 2.1},
      {"NQU16", "NQZ16", 20160901, 0.375 - 1.2},
      {"FDAXU16", "FDAXZ16", 20160901, -0.40},  // DAX dividends stay in the index
      {"HSIU16", "HSIZ16", 20160901, 0.75 - 3.6},
      {"NKU16", "NKZ16", 20160901, -0.10 - 1.7},
      {"101M9000", "101MC000", 20220901, 2.50 - 1.7},
  };
  for (const CarryCase& c : cases) {
    SimulatedMarket m(3, ClockOn(c.date));
    const Product& front = *m.products().Find(c.front);
    const Product& deferred = *m.products().Find(c.deferred);
    EXPECT_NEAR(m.Carry(deferred, 0) * 100, c.carryPercent, 1e-9) << c.deferred;
    EXPECT_NEAR(CarryOn(*FindIndexCarry(deferred), c.date) * 100, c.carryPercent, 1e-9);
    const double years = m.YearsToExpiry(deferred, 0) - m.YearsToExpiry(front, 0);
    ASSERT_GT(years, 0.2) << c.deferred;
    const double spread = m.Fair(deferred, 0) / m.Fair(front, 0) - 1;
    EXPECT_NEAR(spread, c.carryPercent / 100 * years, 0.0002) << c.front << "/" << c.deferred;
    // The later month below the front exactly while the carry is negative.
    EXPECT_EQ(spread < 0, c.carryPercent < 0) << c.front << "/" << c.deferred;
  }
}

// Over a seeded day, each FX pair quotes several spreads, widest in the
// hours between New York's close and Tokyo's open.
TEST(MarketTermsTest, FxSpreadsMoveAndWidenInThinHours) {
  SimulatedMarket m(20160901, SampleClock());
  const int64_t midnight = m.clock().DayEnd(0);
  for (const Product* p : m.products().Matching("", sandbox::Market::kFxMargin)) {
    std::set<int64_t> spreads;
    double thin = 0, busy = 0;
    int thinCount = 0, busyCount = 0;
    for (int64_t at = midnight; at < midnight + 24 * kHour; at += 7'000) {
      const Book b = m.BookAt(*p, m.StepAt(at));
      const int64_t spread = b.asks[0].price - b.bids[0].price;
      spreads.insert(spread);
      const int32_t minute = m.clock().MinuteOfDay(at);
      if (minute >= 6 * 60 && minute < 9 * 60) {
        thin += static_cast<double>(spread);
        ++thinCount;
      } else if (minute >= 21 * 60) {
        busy += static_cast<double>(spread);
        ++busyCount;
      }
    }
    EXPECT_GE(spreads.size(), 3u) << p->code;
    EXPECT_GT(thin / thinCount, 1.5 * busy / busyCount) << p->code;
  }
}

struct SessionCase {
  const char* code;
  int64_t open;  // agent time: 0 is 09:00 local
  int32_t minutes;
};

// Minute volumes gather at the open and the close of the regular session:
// the first and the last half hour trade at least 1.5 times as much as the
// half hour around midday.
TEST(MarketTermsTest, VolumeIsUShapedOverTheSession) {
  const SessionCase cases[] = {
      {"101F9000", 0, 405},                       // KRX 09:00-15:45
      {"ESU16", 13 * kHour + 30 * kMinute, 405},  // 22:30-05:15
      {"HSIU16", kHour + 15 * kMinute, 435},      // 10:15-17:30
  };
  for (const SessionCase& c : cases) {
    SimulatedMarket m(20160901, SampleClock());
    const Product& p = *m.products().Find(c.code);
    const std::vector<Bar> bars =
        m.Bars(p, 60, c.open + int64_t{c.minutes} * kMinute - 1, static_cast<size_t>(c.minutes));
    ASSERT_EQ(bars.size(), static_cast<size_t>(c.minutes));
    auto volume = [&](size_t from) {
      return std::accumulate(bars.begin() + static_cast<ptrdiff_t>(from),
                             bars.begin() + static_cast<ptrdiff_t>(from + 30), int64_t{0},
                             [](int64_t sum, const Bar& b) { return sum + b.volume; });
    };
    const double midday = static_cast<double>(volume(bars.size() / 2 - 15));
    EXPECT_GT(midday, 0) << c.code;
    EXPECT_GE(static_cast<double>(volume(0)), 1.5 * midday) << c.code;
    EXPECT_GE(static_cast<double>(volume(bars.size() - 30)), 1.5 * midday) << c.code;
  }
}

}  // namespace
}  // namespace zqk::test
