// Bars are a pure function of the seed, the product, the period and the
// moment: whatever the market remembers of bars it has built before, and
// however little room it has for them, a request answers the same bars,
// byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "sandbox/market/BarCache.h"
#include "sandbox/market/SeededHash.h"
#include "sandbox/market/SimulatedMarket.h"
#include "tests/sandbox/MarketFixture.h"

namespace zqk::test {
namespace {

using namespace sandbox::market;

uint64_t Checksum(const std::vector<Bar>& bars) {
  uint64_t h = Mix(bars.size());
  for (const Bar& b : bars) {
    for (int64_t v : {b.startMs, b.open, b.high, b.low, b.close, b.volume}) {
      h = Mix(h ^ static_cast<uint64_t>(v));
    }
  }
  return h;
}

struct BarRequest {
  const char* code;
  int32_t periodSecs;
  int64_t atMs;
  size_t count;
  uint64_t checksum;  // of the bars as the market built them before it kept any
};

// One session of requests, in order: pages of minute bars asked again a
// moment later and continued into the past, longer bars over the same
// minutes, bars of seconds, sampled bars (too many steps to walk them all),
// history before the agent's start, an index and an option.
constexpr int64_t kNow = 3 * kHour + 12'345;
const BarRequest kRequests[] = {
    {"ESU16", 60, kNow, 100, 0x34851b37f832ce1aull},
    {"ESU16", 60, kNow + 1'000, 100, 0xffab28de64548fc4ull},
    {"ESU16", 60, kNow + 61'000, 100, 0x401d6206784ebb53ull},
    {"ESU16", 60, kNow - 100 * kMinute - 1, 100, 0xe0cd92080d2831eaull},
    {"ESU16", 300, kNow + 2'000, 40, 0x920d1e121f6cf87eull},
    {"ESU16", 3'600, kNow + 3'000, 5, 0xe2c406258380e184ull},
    {"ESU16", 3'600, kNow, 30, 0x702f3f3d116a69bdull},
    {"ESU16", 30, kNow, 50, 0x50a863c497f4e8f6ull},
    {"ESU16", 86'400, kNow, 1, 0x715268f4be074a9eull},
    {"ESU16", 86'400, kNow, 3, 0x396d523b8a92ac59ull},
    {"ESU16", 60, kNow, 1'000, 0x7c5e02b6aece338eull},
    {"ESU16", 60, -20 * kHour + 7, 100, 0xb41709e7f681f22full},
    {"ESU16", 60, 0, 10, 0xdc1709dee3d1e9aeull},
    {"ESU16", 60, 59'999, 2, 0x85a4f435fcd96483ull},
    {"ESZ16", 120, kNow, 100, 0x81ebf793c5076e39ull},
    {"KOSPI200", 60, kNow, 100, 0xb1ced90ea7c881d1ull},
    {"KOSPI200", 600, kNow + 5'000, 20, 0x1961914f9e816633ull},
    {"201JB245", 60, kNow, 100, 0xf8f8f656dc18dff0ull},
    {"201JB245", 60, kNow + 1'000, 100, 0xf8f8f656dc18dff0ull},
    {"EUR/USD", 900, kNow, 1, 0x3f5e2dbad55b5399ull},
};

// The same session with room for every minute, for a few, and for none.
class BarsWithCacheTest : public ::testing::TestWithParam<size_t> {};

TEST_P(BarsWithCacheTest, EveryRequestAnswersTheBarsOfAFreshMarket) {
  SimulatedMarket m(3, SampleClock(), GetParam());
  for (const BarRequest& r : kRequests) {
    const Product& p = *m.products().Find(r.code);
    EXPECT_EQ(Checksum(m.Bars(p, r.periodSecs, r.atMs, r.count)), r.checksum)
        << r.code << " period " << r.periodSecs << " at " << r.atMs << " count " << r.count;
    EXPECT_LE(m.barCacheSize(), GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Capacities, BarsWithCacheTest,
                         ::testing::Values(SimulatedMarket::kBarCacheCapacity, size_t{7},
                                           size_t{0}));

// Beyond its capacity the cache forgets what it learnt first and keeps the
// rest.
TEST(BarCacheTest, ForgetsTheOldestBeyondItsCapacity) {
  BarCache cache(3);
  auto key = [](int64_t minute) { return BarCache::Key{5, minute * 600, minute * 600 + 600, 1}; };
  for (int64_t minute = 0; minute < 5; ++minute) {
    BarTally tally;
    tally.Record(100 + minute, minute + 1);
    cache.Put(key(minute), tally);
    cache.Put(key(minute), BarTally{});  // a second put keeps the first tally
  }
  EXPECT_EQ(cache.size(), 3u);
  for (int64_t minute = 0; minute < 5; ++minute) {
    const BarTally* kept = cache.Find(key(minute));
    ASSERT_EQ(kept != nullptr, minute >= 2) << "minute " << minute;
    if (kept) {
      EXPECT_EQ(kept->close, 100 + minute);
    }
  }
  EXPECT_EQ(cache.Find(BarCache::Key{6, 1200, 1800, 1}), nullptr) << "another product";
  EXPECT_EQ(cache.Find(BarCache::Key{5, 1200, 1800, 2}), nullptr) << "another stride";
}

}  // namespace
}  // namespace zqk::test
