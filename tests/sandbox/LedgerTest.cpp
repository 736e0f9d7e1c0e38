// The accounts ledger: seeded histories, and the operations that orders
// change it through, with positions netted by product and cash following.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/settings/SandboxSettings.h"
#include "tests/sandbox/MarketFixture.h"

namespace zqk::test {
namespace {

using namespace sandbox::market;
using sandbox::Market;

class LedgerTest : public ::testing::Test {
 protected:
  LedgerTest() : market_(11, SampleClock()), ledger_(sandbox::BuiltInUsers(), market_) {}

  // A fresh account holding nothing.
  AccountBook Empty(Market m) {
    AccountBook book("demo", sandbox::Account{"99999999", "0000", m, "test"});
    book.Deposit(m == Market::kDomestic ? "KRW" : "USD", 1'000'000);
    return book;
  }

  SimulatedMarket market_;
  Ledger ledger_;
};

TEST_F(LedgerTest, EveryAccountStartsWithAPlausibleHistory) {
  for (const sandbox::User& u : sandbox::BuiltInUsers()) {
    for (const sandbox::Account& a : u.accounts) {
      const AccountBook* book = ledger_.Find(a.number + "   ");
      ASSERT_NE(book, nullptr) << a.number;
      EXPECT_EQ(book->userId(), u.id);
      EXPECT_GE(book->orders().size(), 6u) << a.number;
      EXPECT_FALSE(book->fills().empty()) << a.number;
      EXPECT_FALSE(book->positions().empty()) << a.number;
      std::set<std::string> numbers;
      bool resting = false;
      for (const Order& o : book->orders()) {
        EXPECT_TRUE(numbers.insert(o.number).second) << "order numbers are unique";
        // The width of the order records' order-number field.
        EXPECT_EQ(o.number.size(), a.market == Market::kDomestic ? 7u : 10u);
        EXPECT_LT(o.atMs, 0) << "seeded before the agent's start";
        EXPECT_EQ(o.ticket.product->market, a.market);
        resting = resting || o.Open() > 0;
      }
      EXPECT_TRUE(resting || book->orders().size() < 8) << a.number;
      for (const Valuation& v : book->Value(market_, 0)) {
        EXPECT_GT(v.Equity(), 0) << a.number << " " << v.currency;
        EXPECT_LE(v.Available(), v.Equity());
        EXPECT_GE(v.margin, v.maintenance);
      }
    }
  }
  EXPECT_EQ(ledger_.Find("00000000"), nullptr);
  EXPECT_EQ(ledger_.OfUser("demo").size(), 5u);
  EXPECT_EQ(ledger_.OfUser("demo").front()->account().number, "07215003") << "settings order";
}

TEST_F(LedgerTest, SameSeedSameHistory) {
  SimulatedMarket again(11, SampleClock());
  Ledger other(sandbox::BuiltInUsers(), again);
  const AccountBook& a = *ledger_.Find("016304");
  const AccountBook& b = *other.Find("016304");
  ASSERT_EQ(a.orders().size(), b.orders().size());
  for (size_t i = 0; i < a.orders().size(); ++i) {
    EXPECT_EQ(a.orders()[i].number, b.orders()[i].number);
    EXPECT_EQ(a.orders()[i].ticket.price, b.orders()[i].ticket.price);
    EXPECT_EQ(a.orders()[i].atMs, b.orders()[i].atMs);
  }
}

// Fills move a net position: each row fills one order and states the
// position and the realised profit that follow.
struct FillStep {
  Side side;
  int32_t quantity;
  int64_t price;  // raw
  Side positionSide;
  int32_t positionQuantity;  // 0: flat
  double averagePrice;
  double realized;  // of this fill, in KRW
};

TEST_F(LedgerTest, FillsNetThePositionAndBookProfits) {
  const Product& future = *market_.products().Find("101G3000");  // 500,000 KRW a point in 2016
  AccountBook book = Empty(Market::kDomestic);
  const FillStep steps[] = {
      {Side::kBuy, 2, 25000, Side::kBuy, 2, 25000, 0},
      {Side::kBuy, 2, 25100, Side::kBuy, 4, 25050, 0},
      {Side::kSell, 1, 25150, Side::kBuy, 3, 25050, 500'000},
      {Side::kSell, 5, 24950, Side::kSell, 2, 24950, -1'500'000},
      {Side::kBuy, 2, 24900, Side::kBuy, 0, 0, 500'000},
  };
  double realized = 0;
  double fees = 0;
  for (const FillStep& s : steps) {
    OrderTicket t{&future, s.side, '1', '1', s.price, 0, s.quantity, ""};
    const std::string number = book.Place(t, 1000).number;
    const Fill* f = book.ApplyFill(number, s.price, s.quantity, 1000);
    ASSERT_NE(f, nullptr);
    EXPECT_DOUBLE_EQ(f->realized, s.realized) << s.quantity << " at " << s.price;
    realized += f->realized;
    fees += f->fee;
    const Position* pos = book.FindPosition(future);
    if (s.positionQuantity == 0) {
      EXPECT_EQ(pos, nullptr);
      continue;
    }
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->side, s.positionSide);
    EXPECT_EQ(pos->quantity, s.positionQuantity);
    EXPECT_DOUBLE_EQ(pos->averagePrice, s.averagePrice);
  }
  EXPECT_GT(fees, 0);
  EXPECT_DOUBLE_EQ(book.cash().front().Cash(), 1'000'000 + realized - fees);
}

TEST_F(LedgerTest, AmendAndCancelMoveOnlyWhatIsOpen) {
  const Product& es = *market_.products().Find("ESU16");
  AccountBook book = Empty(Market::kOverseas);
  const std::string first = book.Place({&es, Side::kBuy, '1', '0', 217000, 0, 5, ""}, 0).number;
  ASSERT_NE(book.ApplyFill(first, 217000, 2, 0), nullptr);

  const Order* amended = book.Amend(first, 216900, 0, 10);
  ASSERT_NE(amended, nullptr);
  EXPECT_EQ(amended->original, first);
  EXPECT_EQ(amended->ticket.quantity, 3) << "the open part moves to the amending order";
  EXPECT_EQ(amended->ticket.price, 216900);
  const std::string second = amended->number;
  EXPECT_EQ(book.FindOrder(first)->Open(), 0);
  EXPECT_EQ(book.Amend(first, 216800, 0, 20), nullptr) << "nothing open any more";

  const Order* cancel = book.Cancel(second, 1, 30);
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->action, OrderAction::kCancel);
  EXPECT_EQ(cancel->ticket.quantity, 1);
  EXPECT_EQ(book.FindOrder(second)->Open(), 2);
  EXPECT_EQ(book.Cancel(cancel->number, 0, 40), nullptr) << "a cancel order has nothing open";

  const Fill* fill = book.ApplyFill(second, 216900, 10, 50);
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(fill->quantity, 2) << "never more than is open";
  EXPECT_EQ(book.ApplyFill(second, 216900, 1, 60), nullptr);
  EXPECT_EQ(book.FindPosition(es)->quantity, 4);
  EXPECT_EQ(book.Cancel("0000000000", 0, 70), nullptr);
}

TEST_F(LedgerTest, OpenOrdersAndPositionsHoldMargin) {
  const Product& es = *market_.products().Find("ESU16");
  AccountBook book = Empty(Market::kOverseas);
  const double before = book.Available(es, market_, 0);
  book.Place({&es, Side::kSell, '1', '0', 230000, 0, 2, ""}, 0);
  const double resting = book.Available(es, market_, 0);
  EXPECT_NEAR(before - resting, 2 * MarginPerContract(es, 230000, Side::kSell), 0.01);
  const Valuation eur = book.ValueIn("EUR", market_, 0);
  EXPECT_EQ(eur.Equity(), 0) << "a currency the account does not hold";
}

// The margin of open orders is kept as orders open, fill, move and end; at
// any moment it is what the open orders of the book add up to, each at its
// price or, without one, at the market's last, and each currency appears as
// its first open order does.
TEST_F(LedgerTest, OrderMarginIsWhatTheOpenOrdersAddUpTo) {
  struct Desk {
    Market market;
    std::vector<const char*> products;
  };
  const Desk desks[] = {{Market::kDomestic, {"101G3000", "201JB245"}},
                        {Market::kOverseas, {"ESU16", "FDAXU16", "HSIU16"}}};
  int ordered = 0;  // moments with two currencies of orders alone
  for (const Desk& d : desks) {
    AccountBook book = Empty(d.market);
    std::mt19937 random(5);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    for (int op = 0; op < 400; ++op) {
      const int64_t at = op * kMinute;
      const size_t kind = pick(10);
      const std::vector<Order>& orders = book.orders();
      const std::string target = orders.empty() ? "" : orders[pick(orders.size())].number;
      if (kind < 5 || target.empty()) {
        const Product& p = *market_.products().Find(d.products[pick(d.products.size())]);
        const int64_t last = market_.At(p, at).session.last;
        const bool priced = pick(4) != 0;
        book.Place({&p, pick(2) ? Side::kBuy : Side::kSell, priced ? '1' : '2', '1',
                    priced ? last + static_cast<int64_t>(pick(20)) - 10 : 0, 0,
                    static_cast<int32_t>(1 + pick(5)), ""},
                   at);
      } else if (kind < 7) {
        // Fills in the main currency only: the others stay currencies of
        // orders alone, whose order in the valuation follows the orders.
        if (book.FindOrder(target)->ticket.product->code == d.products[0]) {
          book.ApplyFill(target, 100, static_cast<int32_t>(1 + pick(3)), at);
        }
      } else if (kind < 9) {
        book.Amend(target, pick(2) ? 0 : 1 + static_cast<int64_t>(pick(300000)),
                   static_cast<int32_t>(pick(3)), at);
      } else {
        book.Cancel(target, static_cast<int32_t>(pick(3)), at);
      }

      std::map<std::string, double> expected;
      std::vector<std::string> firstSeen;
      for (const Order& o : book.orders()) {
        if (o.Open() <= 0) continue;
        const Product& p = *o.ticket.product;
        const int64_t price = o.ticket.price > 0 ? o.ticket.price : market_.At(p, at).session.last;
        if (!expected.contains(p.currency)) firstSeen.push_back(p.currency);
        expected[p.currency] += MarginPerContract(p, price, o.ticket.side) * o.Open();
      }
      std::vector<std::string> orderCurrencies;
      for (const Valuation& v : book.Value(market_, at)) {
        const double want = expected.contains(v.currency) ? expected[v.currency] : 0.0;
        ASSERT_NEAR(v.orderMargin, want, 1e-9 * std::max(1.0, want)) << v.currency << " op " << op;
        if (expected.contains(v.currency)) orderCurrencies.push_back(v.currency);
      }
      // Beyond the main currency (first) and those of cash and positions,
      // which come before.
      auto held = [&](const std::string& currency) {
        return currency == book.MainCurrency() ||
               std::any_of(book.cash().begin(), book.cash().end(),
                           [&](const CashBalance& c) { return c.currency == currency; }) ||
               std::any_of(book.positions().begin(), book.positions().end(),
                           [&](const Position& x) { return x.product->currency == currency; });
      };
      std::erase_if(firstSeen, held);
      std::erase_if(orderCurrencies, held);
      ASSERT_EQ(orderCurrencies, firstSeen) << "op " << op;
      ordered += firstSeen.size() >= 2;
    }
  }
  EXPECT_GT(ordered, 0);
}

TEST_F(LedgerTest, FxAccountsCountEverythingInDollars) {
  const Product& yen = *market_.products().Find("USD/JPY");
  AccountBook book = Empty(Market::kFxMargin);
  const int64_t price = market_.At(yen, 0).session.last;
  const std::string number = book.Place({&yen, Side::kBuy, '1', '1', price, 0, 1, ""}, 0).number;
  book.ApplyFill(number, price, 1, 0);
  const std::vector<Valuation> values = book.Value(market_, 0);
  ASSERT_EQ(values.size(), 1u) << "one dollar entry, whatever the pairs settle in";
  EXPECT_EQ(values[0].currency, "USD");
  // One lot of 100,000 dollars at 10% margin, whatever the yen price (the
  // trade price and the rate of the conversion differ by the spread).
  EXPECT_NEAR(values[0].margin, 10'000, 20);
  const Valuation later = book.ValueIn("USD", market_, 4 * kHour);
  const double yenProfit =
      static_cast<double>(market_.At(yen, 4 * kHour).session.last - price) * yen.RawValue();
  EXPECT_NEAR(later.unrealized, ToUsd(yenProfit, "JPY", market_, 4 * kHour), 0.01);
  EXPECT_EQ(book.CurrencyOf(yen), "USD");
}

}  // namespace
}  // namespace zqk::test
