// An order against one step's book: what an arriving order takes, what a
// resting one fills, when a stop wakes.
#include <gtest/gtest.h>

#include <vector>

#include "sandbox/orders/Matching.h"

namespace zqk::test {
namespace {

using namespace sandbox::orders;
using sandbox::market::Book;
using sandbox::market::Side;

// Asks 101..105 and bids 100..96 (raw), sizes 2, 3, 4, 5, 6 from the best.
Book Ladder() {
  Book b;
  for (size_t i = 0; i < 5; ++i) {
    const int32_t size = static_cast<int32_t>(i) + 2;
    b.asks[i] = {101 + static_cast<int64_t>(i), size, 1};
    b.bids[i] = {100 - static_cast<int64_t>(i), size, 1};
  }
  return b;
}

struct TakeCase {
  const char* name;
  Side side;
  int64_t limit;  // 0: market
  int32_t quantity;
  bool resting;
  std::vector<Execution> expected;
  int64_t crossing;  // CrossingSize before
};

class TakeTest : public ::testing::TestWithParam<TakeCase> {};

TEST_P(TakeTest, TakesTheCrossingLevelsOnce) {
  const TakeCase& c = GetParam();
  Book book = Ladder();
  EXPECT_EQ(CrossingSize(book, c.side, c.limit), c.crossing);
  std::vector<Execution> got;
  if (c.resting) {
    if (auto e = FillResting(book, c.side, c.limit, c.quantity)) got.push_back(*e);
  } else {
    got = Take(book, c.side, c.limit, c.quantity);
  }
  EXPECT_EQ(got, c.expected);
  // What was taken is gone for the next order of the step.
  int32_t taken = 0;
  for (const Execution& e : got) taken += e.quantity;
  EXPECT_EQ(CrossingSize(book, c.side, c.limit), c.crossing - taken);
}

INSTANTIATE_TEST_SUITE_P(
    Book, TakeTest,
    ::testing::Values(
        TakeCase{
            "MarketBuyWalksTheAsks", Side::kBuy, 0, 6, false, {{101, 2}, {102, 3}, {103, 1}}, 20},
        TakeCase{"MarketSellBeyondTheBookTakesAll",
                 Side::kSell,
                 0,
                 99,
                 false,
                 {{100, 2}, {99, 3}, {98, 4}, {97, 5}, {96, 6}},
                 20},
        TakeCase{"LimitBuyStopsAtItsPrice", Side::kBuy, 102, 9, false, {{101, 2}, {102, 3}}, 5},
        TakeCase{"LimitSellBelowTheBidTakesBetterPrices", Side::kSell, 99, 1, false, {{100, 1}}, 5},
        TakeCase{"LimitThatDoesNotCross", Side::kBuy, 100, 1, false, {}, 0},
        TakeCase{"RestingBuyFillsAtItsLimit", Side::kBuy, 103, 4, true, {{103, 4}}, 9},
        TakeCase{"RestingSellPartlyFilled", Side::kSell, 100, 5, true, {{100, 2}}, 2},
        TakeCase{"RestingThatDoesNotCross", Side::kSell, 101, 5, true, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StopTest, WakesWhenTheMarketTradesAtOrThroughTheStop) {
  struct Row {
    Side side;
    int64_t stop;
    int64_t price;
    bool reached;
  };
  for (const Row& r : {Row{Side::kBuy, 105, 104, false}, Row{Side::kBuy, 105, 105, true},
                       Row{Side::kBuy, 105, 107, true}, Row{Side::kSell, 95, 96, false},
                       Row{Side::kSell, 95, 95, true}, Row{Side::kSell, 95, 0, false}}) {
    EXPECT_EQ(StopReached(r.side, r.stop, r.price), r.reached) << r.stop << " " << r.price;
  }
  const std::vector<sandbox::market::Trade> trades = {{0, 103, 1, true}, {0, 106, 2, true}};
  EXPECT_TRUE(StopReached(Side::kBuy, 105, trades));
  EXPECT_FALSE(StopReached(Side::kSell, 102, trades));
  EXPECT_FALSE(StopReached(Side::kBuy, 105, std::vector<sandbox::market::Trade>{}));
}

}  // namespace
}  // namespace zqk::test
