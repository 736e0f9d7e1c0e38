// The simulated market: one seeded source of every price, the same whatever
// was asked before, on each product's tick grid, and consistent between its
// sessions, trades and bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sandbox/market/PricePath.h"
#include "sandbox/market/SimulatedMarket.h"
#include "tests/sandbox/MarketFixture.h"

namespace zqk::test {
namespace {

using namespace sandbox::market;

// One product of every kind of model: index, domestic future (carry over the
// index), domestic option (both tick sizes), front and later overseas
// months, a fraction-quoted bond, an overseas option, FX pairs.
constexpr const char* kCodes[] = {"KOSPI200",    "101G3000", "101F9000", "201JB245",
                                  "301FC250",    "ESU16",    "ESZ16",    "ZNZ16",
                                  "OESU16C2175", "EUR/USD",  "USD/JPY"};

bool SameSession(const Session& a, const Session& b) {
  return a.date == b.date && a.firstStep == b.firstStep && a.prevClose == b.prevClose &&
         a.open == b.open && a.high == b.high && a.low == b.low && a.last == b.last &&
         a.volume == b.volume && a.trades == b.trades && a.buyVolume == b.buyVolume &&
         a.lastTradeStep == b.lastTradeStep;
}

bool SameBook(const Book& a, const Book& b) {
  for (size_t i = 0; i < 5; ++i) {
    if (a.asks[i].price != b.asks[i].price || a.asks[i].size != b.asks[i].size ||
        a.bids[i].price != b.bids[i].price || a.bids[i].count != b.bids[i].count) {
      return false;
    }
  }
  return true;
}

bool OnGrid(const Product& p, int64_t price) {
  if (price <= 0) return false;
  return price % p.TickAt(price) == 0;
}

class MarketTest : public ::testing::TestWithParam<const char*> {
 protected:
  const Product& product(SimulatedMarket& m) const {
    const Product* p = m.products().Find(GetParam());
    EXPECT_NE(p, nullptr) << GetParam();
    return *p;
  }
};

TEST_P(MarketTest, SameSeedSameFiguresWhateverWasAskedBefore) {
  SimulatedMarket walked(7, SampleClock());
  SimulatedMarket direct(7, SampleClock());
  SimulatedMarket otherSeed(8, SampleClock());
  const Product& p = product(walked);
  // One market is asked every few seconds, the other only at the end; a
  // third asks the end first and then a moment in the past.
  for (int64_t t = 0; t <= 20 * kMinute; t += 3'700) walked.At(p, t);
  const Snapshot a = walked.At(p, 20 * kMinute + 50);
  const Snapshot b = direct.At(*direct.products().Find(GetParam()), 20 * kMinute + 50);
  EXPECT_TRUE(SameSession(a.session, b.session));
  EXPECT_TRUE(SameBook(a.book, b.book));
  EXPECT_DOUBLE_EQ(a.fair, b.fair);

  const Snapshot past = direct.At(*direct.products().Find(GetParam()), 7 * kMinute);
  const Snapshot pastWalked = walked.At(p, 7 * kMinute);
  EXPECT_TRUE(SameSession(past.session, pastWalked.session)) << "asking the past again";

  const Snapshot other = otherSeed.At(*otherSeed.products().Find(GetParam()), 20 * kMinute + 50);
  EXPECT_NE(a.fair, other.fair) << "another seed, another market";
}

TEST_P(MarketTest, PricesStayOnTheGridAndWithinPlausibleLimits) {
  SimulatedMarket m(20160901, SampleClock());
  const Product& p = product(m);
  const bool index = p.kind == ProductKind::kIndex;
  for (int64_t t = 0; t <= 6 * kHour; t += 9 * kMinute + 321) {
    const Snapshot s = m.At(p, t);
    const Session& x = s.session;
    EXPECT_TRUE(OnGrid(p, x.last)) << p.code << " last " << x.last;
    EXPECT_TRUE(OnGrid(p, x.prevClose)) << p.code;
    if (x.trades > 0) {
      EXPECT_TRUE(OnGrid(p, x.open) && OnGrid(p, x.high) && OnGrid(p, x.low)) << p.code;
      EXPECT_LE(x.low, x.last);
      EXPECT_GE(x.high, x.last);
      EXPECT_LE(x.low, x.open);
      EXPECT_GE(x.high, x.open);
    }
    if (!p.IsOption()) {
      const double ratio = static_cast<double>(x.last) / static_cast<double>(s.driver);
      EXPECT_GT(ratio, 0.5) << p.code;
      EXPECT_LT(ratio, 1.5) << p.code;
      EXPECT_GT(s.driver, 0.7 * static_cast<double>(m.Driver(p).reference));
      EXPECT_LT(s.driver, 1.3 * static_cast<double>(m.Driver(p).reference));
    }
    if (index) {
      EXPECT_EQ(s.book.asks[0].price, 0) << "an index has no book";
      continue;
    }
    EXPECT_LT(s.book.bids[0].price, s.book.asks[0].price);
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_TRUE(OnGrid(p, s.book.asks[i].price)) << p.code << " ask " << i;
      EXPECT_GT(s.book.asks[i].size, 0);
      EXPECT_GE(s.book.asks[i].size, s.book.asks[i].count);
      if (i > 0) {
        EXPECT_GT(s.book.asks[i].price, s.book.asks[i - 1].price);
      }
      if (s.book.bids[i].price == 0) continue;  // a cheap option's book ends at the lowest price
      EXPECT_TRUE(OnGrid(p, s.book.bids[i].price)) << p.code << " bid " << i;
      if (i > 0) {
        EXPECT_LT(s.book.bids[i].price, s.book.bids[i - 1].price);
      }
    }
  }
}

TEST_P(MarketTest, BarsTradesAndTheSessionAgree) {
  SimulatedMarket m(3, SampleClock());
  const Product& p = product(m);
  const int64_t now = 45 * kMinute + 12'345;
  const Snapshot s = m.At(p, now);
  // The minute bars since the agent's start hold the session's trades.
  const std::vector<Bar> bars = m.Bars(p, 60, now, 46);
  ASSERT_EQ(bars.size(), 46u);
  EXPECT_EQ(bars.front().startMs, 0);
  int64_t volume = 0;
  int64_t high = 0;
  for (const Bar& b : bars) {
    volume += b.volume;
    high = std::max(high, b.high);
    EXPECT_LE(b.low, b.open);
    EXPECT_LE(b.low, b.close);
    EXPECT_GE(b.high, b.open);
    EXPECT_GE(b.high, b.close);
  }
  EXPECT_EQ(bars.back().close, s.session.last);
  EXPECT_EQ(volume, s.session.volume);
  if (s.session.trades > 0) {
    EXPECT_EQ(high, s.session.high);
  }
  if (p.kind == ProductKind::kIndex) return;
  // The newest trades are the session's last.
  const std::vector<Trade> recent = m.RecentTrades(p, s.step + 1, 3, s.session.firstStep);
  if (s.session.trades == 0) return;
  ASSERT_FALSE(recent.empty());
  EXPECT_EQ(recent.front().price, s.session.last);
  EXPECT_EQ(recent.front().qty, s.session.lastQty);
  EXPECT_EQ(recent.front().step, s.session.lastTradeStep);
}

INSTANTIATE_TEST_SUITE_P(Products, MarketTest, ::testing::ValuesIn(kCodes), [](const auto& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
});

// The sequential reader reuses the path above the last step it read; it must
// read what random access reads, however it moves.
TEST(PricePathTest, SequentialReadsAgreeWithRandomAccess) {
  const PricePath path(9, 42, 1e-5);
  PricePath::Cursor cursor(path);
  const int64_t first = PricePath::kFirstStep;
  const int64_t last = PricePath::kLastStep;
  const int64_t walk[] = {0,
                          1,
                          2,
                          3,
                          1000,
                          999,
                          -1,
                          -2,
                          123'456,
                          123'457,
                          -98'765,
                          1LL << 35,
                          (1LL << 35) + 1,
                          last,
                          last + 5,
                          first,
                          first - 5,
                          first + 1,
                          0};
  for (int64_t step : walk) EXPECT_DOUBLE_EQ(cursor.At(step), path.At(step)) << step;
  EXPECT_DOUBLE_EQ(path.At(0), 0.0) << "the path starts at the agent's start";
  EXPECT_DOUBLE_EQ(path.At(last + 5), path.At(last)) << "beyond its ends the path holds";
  for (int64_t step = -300; step <= 300; ++step) {
    ASSERT_DOUBLE_EQ(cursor.At(step), path.At(step)) << step;
  }
}

TEST(MarketTest, ASessionIsTheCalendarDay) {
  SimulatedMarket m(5, SampleClock());
  const Product& es = *m.products().Find("ESU16");
  const Snapshot evening = m.At(es, 14 * kHour + 59 * kMinute);  // 23:59
  const Snapshot morning = m.At(es, 15 * kHour + 10 * kMinute);  // 00:10 the next day
  EXPECT_EQ(evening.session.date, 20160901);
  EXPECT_EQ(morning.session.date, 20160902);
  EXPECT_EQ(evening.session.firstStep, 0) << "the first session starts with the agent";
  EXPECT_EQ(morning.session.firstStep, m.StepAt(15 * kHour));
  EXPECT_LT(morning.session.volume, evening.session.volume);
  EXPECT_EQ(morning.session.prevClose, m.PriceAt(es, morning.session.firstStep - 1))
      << "the previous close is the price at midnight";
}

struct KnownPrice {
  const char* code;
  int64_t last;  // raw, of the session two hours after the start
  int64_t ask;   // raw, then
  int64_t volume;
};

// The figures of products the docs, samples and seeded accounts name, as
// they were before the universe grew (with the index carry and the hours of
// each market): a product's prices are seeded by its own code (and its
// family's front month), never by its place among others.
constexpr KnownPrice kKnownPrices[] = {
    {"ESU16", 217575, 217575, 29647},
    {"ESZ16", 216625, 216650, 7346},
    {"CLX16", 4529, 4529, 4681},
    {"GCZ16", 13096, 13097, 2903},
    {"ZNZ16", 132765625, 132765625, 5029},
    {"HSIU16", 22896, 22897, 45427},
    {"OESU16C2175", 2500, 2525, 2139},
    {"101G3000", 26015, 26015, 47121},
    {"201JB245", 3585, 3590, 26936},
    {"EUR/USD", 111569, 111596, 54729},
    {"KOSPI200", 26071, 0, 0},
};

TEST(MarketTest, KnownProductsKeepTheirPrices) {
  SimulatedMarket m(20160901, SampleClock());
  for (const KnownPrice& k : kKnownPrices) {
    const Product* p = m.products().Find(k.code);
    ASSERT_NE(p, nullptr) << k.code;
    const Snapshot s = m.At(*p, 2 * kHour);
    EXPECT_EQ(s.session.last, k.last) << k.code;
    EXPECT_EQ(s.book.asks[0].price, k.ask) << k.code;
    EXPECT_EQ(s.session.volume, k.volume) << k.code;
  }
}

TEST(MarketTest, UniverseHoldsTheConsoleSamplesAndHundredsOfOverseasProducts) {
  const ProductUniverse u;
  for (const char* code : {"101G3000", "101M3000", "201JB245", "ESU16", "EUR/USD", "KOSPI200"}) {
    EXPECT_NE(u.Find(code), nullptr) << code;
  }
  EXPECT_EQ(u.Find("ESU16                           "), u.Find("ESU16")) << "inputs pad codes";
  EXPECT_EQ(u.Find("esu16"), nullptr) << "codes compare exactly";
  EXPECT_GE(u.Matching("101F", sandbox::Market::kDomestic).size(), 4u);
  const auto overseas = u.Matching("", sandbox::Market::kOverseas);
  EXPECT_GE(overseas.size(), 300u);
  std::set<std::string> exchanges;
  size_t options = 0;
  for (const Product* p : overseas) {
    exchanges.insert(p->exchange);
    options += p->IsOption() ? 1 : 0;
    EXPECT_GT(p->expiry, p->listed) << p->code;
    EXPECT_GT(p->reference, 0) << p->code;
    EXPECT_FALSE(p->name.empty()) << p->code;
  }
  EXPECT_GE(exchanges.size(), 5u);
  EXPECT_GE(options, 100u);
  const Product& call = *u.Find("201JB245");
  EXPECT_EQ(call.kind, ProductKind::kCall);
  EXPECT_EQ(call.strike, 24500);
  EXPECT_EQ(call.expiry, 20191114) << "the second Thursday of November 2019";
}

}  // namespace
}  // namespace zqk::test
