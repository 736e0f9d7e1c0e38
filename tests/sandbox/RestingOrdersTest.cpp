// The exchange's index of working orders: at a step it hands out exactly the
// orders that the step can reach (a crossed limit, a stop a trade reaches, an
// expiry, an awake order without a limit), oldest first, so that skipping the
// others changes nothing.
#include <gtest/gtest.h>

#include <limits>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/orders/RestingOrders.h"
#include "tests/sandbox/MarketFixture.h"

namespace zqk::test {
namespace {

using namespace sandbox::market;
using sandbox::orders::RestingOrders;
using sandbox::orders::WorkingOrder;

constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
constexpr int64_t kStep = 10;

struct Resting {
  Side side;
  char type;  // '1' limit, '2' market, '3' stop, '4' stop limit
  int64_t price;
  int64_t stop = 0;
  bool triggered = true;
  int64_t expiresAtStep = kNever;
};

struct DueCase {
  const char* name;
  std::vector<Resting> orders;
  int64_t ask;  // best ask and bid of the step's book, each with size
  int64_t bid;
  std::vector<int64_t> trades;
  std::vector<size_t> due;  // by place in `orders`
  int32_t askSize = 5;
};

class RestingOrdersIndex : public ::testing::Test {
 protected:
  RestingOrdersIndex()
      : market_(1, SampleClock()),
        product_(*market_.products().Find("ESZ16")),
        book_("demo", sandbox::Account{"99999", "0000", sandbox::Market::kOverseas, "test"}) {}

  std::string Place(const Resting& r) {
    OrderTicket t;
    t.product = &product_;
    t.side = r.side;
    t.priceType = r.type;
    t.price = r.price;
    t.stopPrice = r.stop;
    t.quantity = 1;
    const std::string number = book_.Place(t, 0).number;
    orders_.Add(WorkingOrder{&book_, number, r.triggered, r.expiresAtStep});
    return number;
  }
  // What the index hands out at a step whose book has `ask` and `bid` on top
  // and whose trades are at `prices`.
  std::vector<RestingOrders::Id> DueIds(int64_t ask, int64_t bid, std::vector<int64_t> prices,
                                        int32_t askSize = 5) {
    Book book;
    book.asks[0] = {ask, askSize, 1};
    book.asks[1] = {ask + 25, 7, 1};
    book.bids[0] = {bid, 5, 1};
    std::vector<Trade> trades;
    for (int64_t p : prices) trades.push_back(Trade{kStep, p, 1, true});
    return orders_.DueAt(
        kStep, [&](const Product&) -> const Book& { return book; },
        [&](const Product&) { return trades; });
  }
  std::vector<std::string> Due(int64_t ask, int64_t bid, std::vector<int64_t> prices,
                               int32_t askSize = 5) {
    std::vector<std::string> numbers;
    for (const RestingOrders::Id id : DueIds(ask, bid, std::move(prices), askSize)) {
      numbers.push_back(orders_[id].number);
    }
    return numbers;
  }

  SimulatedMarket market_;
  const Product& product_;
  AccountBook book_;
  RestingOrders orders_;
};

class RestingOrdersTest : public RestingOrdersIndex,
                          public ::testing::WithParamInterface<DueCase> {};

TEST_P(RestingOrdersTest, HandsOutWhatTheStepReachesOldestFirst) {
  const DueCase& c = GetParam();
  std::vector<std::string> numbers;
  for (const Resting& r : c.orders) numbers.push_back(Place(r));
  std::vector<std::string> expected;
  for (size_t i : c.due) expected.push_back(numbers[i]);
  EXPECT_EQ(Due(c.ask, c.bid, c.trades, c.askSize), expected);
}

const Side kBuy = Side::kBuy;
const Side kSell = Side::kSell;

INSTANTIATE_TEST_SUITE_P(
    Steps, RestingOrdersTest,
    ::testing::Values(
        DueCase{"LimitsAtTheTouch",
                {{kBuy, '1', 1000}, {kBuy, '1', 975}, {kSell, '1', 950}, {kSell, '1', 975}},
                1000,
                950,
                {},
                {0, 2}},
        DueCase{"AskWithoutSizeCrossesNothing", {{kBuy, '1', 1000}}, 1000, 950, {}, {}, 0},
        DueCase{"StopsReachedByATrade",
                {{kBuy, '3', 0, 1050, false},
                 {kBuy, '3', 0, 1075, false},
                 {kSell, '3', 0, 925, false},
                 {kSell, '4', 900, 900, false}},
                1000,
                950,
                {925, 1050, 1000},
                {0, 2}},
        DueCase{"NoTradeWakesAStop", {{kBuy, '3', 0, 1050, false}}, 1000, 950, {}, {}},
        DueCase{"AwakeOrdersWithoutALimitEveryStep",
                {{kBuy, '2', 0}, {kSell, '3', 0, 900}, {kBuy, '1', 500}},
                1000,
                950,
                {},
                {0, 1}},
        DueCase{"Expiries",
                {{kBuy, '1', 500, 0, true, kStep},
                 {kBuy, '1', 500, 0, true, kStep + 1},
                 {kSell, '3', 0, 100, false, kStep - 5}},
                1000,
                950,
                {},
                {0, 2}},
        DueCase{"OldestFirstWhateverTheReason",
                {{kSell, '3', 0, 1000, false},
                 {kBuy, '1', 500, 0, true, kStep},
                 {kBuy, '1', 1025},
                 {kBuy, '2', 0},
                 {kBuy, '1', 500}},
                1000,
                950,
                {1000},
                {0, 1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RestingOrdersIndex, AWokenStopRestsAtItsLimitAndAnEndedOrderLeaves) {
  const std::string number = Place({kBuy, '4', 1025, 1050, false});
  EXPECT_TRUE(Due(1000, 950, {}).empty());
  const std::vector<RestingOrders::Id> woken = DueIds(1100, 950, {1050});
  ASSERT_EQ(woken.size(), 1u);
  const RestingOrders::Id id = woken[0];
  WorkingOrder* w = orders_.Find(book_, number);
  ASSERT_EQ(w, &orders_[id]);
  w->triggered = true;  // as the exchange marks it
  orders_.Refile(id);
  EXPECT_TRUE(Due(1050, 950, {1050}).empty()) << "a limit now, no longer a stop";
  EXPECT_EQ(Due(1025, 950, {}), std::vector<std::string>{number});

  book_.ApplyFill(number, 1025, 1, 0);
  orders_.Refile(id);
  EXPECT_TRUE(orders_.empty());
  EXPECT_EQ(orders_.Find(book_, number), nullptr);
  EXPECT_TRUE(Due(1025, 950, {}).empty());
}

}  // namespace
}  // namespace zqk::test
