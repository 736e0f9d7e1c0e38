// Orders through the agent's ABI: SendOrder's reply and the account's order
// feed, matched against the simulated market. The tests price their orders
// and predict the fills from a market of their own with the agent's seed and
// clock, which agrees with the agent's step for step.
#include <gtest/gtest.h>

#include <algorithm>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/orders/OrderMessages.h"
#include "sandbox/settings/SandboxSettings.h"
#include "tests/sandbox/MarketFixture.h"
#include "tests/sandbox/SandboxSession.h"

namespace zqk::test {
namespace {

using sandbox::market::Book;
using sandbox::market::Product;

// What the order form would hold.
struct Order {
  std::string side = "1";
  std::string type = "1";  // 1 limit, 2 market, 3 stop, 4 stop limit
  std::string fill = {};   // blank: the market's resting condition
  std::string price = {};
  std::string qty = "1";
  std::string original = {};
  std::string stop = {};
  std::string product = {};
  std::string account = {};
  std::string password = "6042";
  std::string strategy = "1";
  std::string until = {};
  std::string exercise = {};
};

using Composer = std::string (*)(const Order&);

std::string DomesticNew(const Order& o) {
  return Fields({{o.account, 11},
                 {o.password, 8},
                 {o.product, 32},
                 {o.side, 1},
                 {o.type, 1},
                 {o.fill.empty() ? "1" : o.fill, 1},
                 {o.price, 13},
                 {o.qty, 5}});
}
std::string DomesticChange(const Order& o) {
  return DomesticNew(o) + Fields({{o.original, 7}});
}
std::string OverseasNew(const Order& o) {
  return Fields({{o.account, 6},
                 {o.password, 8},
                 {o.product, 32},
                 {o.side, 1},
                 {o.type, 1},
                 {o.fill.empty() ? "1" : o.fill, 1},
                 {o.price, 15},
                 {o.qty, 10},
                 {o.strategy, 1},
                 {o.stop, 15},
                 {"", 10},
                 {o.exercise, 1},
                 {o.until, 8}});
}
std::string OverseasChange(const Order& o) {
  return Fields({{o.account, 6},
                 {o.password, 8},
                 {o.product, 32},
                 {o.type, 1},
                 {o.fill.empty() ? "1" : o.fill, 1},
                 {o.price, 15},
                 {o.qty, 10},
                 {o.original, 10},
                 {"1", 1},
                 {o.stop, 15},
                 {"", 10}});
}
std::string FxNew(const Order& o) {
  return Fields({{o.account, 6},
                 {o.password, 8},
                 {o.product, 32},
                 {o.side, 1},
                 {o.price, 20},
                 {o.qty, 15},
                 {o.type.size() == 3 ? o.type
                  : o.type == "2"    ? "CMO"
                                     : "CEO",
                  3}});
}
std::string FxAmend(const Order& o) {
  return Fields({{o.account, 6},
                 {o.password, 8},
                 {o.product, 32},
                 {o.original, 20},
                 {o.price, 20},
                 {o.qty, 15}});
}
std::string FxCancel(const Order& o) {
  return Fields({{o.account, 6}, {o.password, 8}, {o.product, 32}, {o.original, 20}});
}

struct MarketCase {
  const char* name;
  const char* account;   // as the console's order-real edit has it
  const char* product;   // one the account holds no position in
  const char* codes[3];  // new, amend, cancel
  Composer compose[3];
  int32_t acceptance, open, fill, confirmation, available;
};

const MarketCase kDomestic{"Domestic",
                           "06801004   ",
                           "101G3000",
                           {"g12001.DO1601&", "g12001.DO1901&", "g12001.DO1701&"},
                           {&DomesticNew, &DomesticChange, &DomesticChange},
                           181,
                           182,
                           185,
                           183,
                           184};
const MarketCase kOverseas{"Overseas",
                           "015872     ",
                           "ESZ16",
                           {"g12003.AO0401%", "g12003.AO0402%", "g12003.AO0403%"},
                           {&OverseasNew, &OverseasChange, &OverseasChange},
                           196,
                           186,
                           189,
                           187,
                           188};
const MarketCase kFx{"Fx",
                     "017539     ",
                     "USD/JPY",
                     {"g12003.AO0501%", "g12003.AO0502%", "g12003.AO0503%"},
                     {&FxNew, &FxAmend, &FxCancel},
                     197,
                     191,
                     189,
                     187,
                     188};

class OrderDeskTest : public SandboxSession {
 protected:
  OrderDeskTest() : market_(kSeed, SampleClock()) {}

  void SignIn(const MarketCase& m) {
    SandboxSession::SignIn();
    ASSERT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", m.account}), 0);
    Run(1000);  // the open-order list of the registration
  }
  const Product& P(const char* code) { return *market_.products().Find(code); }
  int64_t Step() { return market_.StepAt(host_->now()); }
  Book BookNow(const char* code) { return market_.BookAt(P(code), Step()); }
  std::string Price(const char* code, int64_t raw) {
    return sandbox::market::FormatDecimal(P(code), raw);
  }
  // Sends what the form holds in market `m` as order kind `kind` (0 new,
  // 1 amend, 2 cancel) and returns the events of the next second.
  std::vector<Seen> Order(const MarketCase& m, int kind, struct Order o) {
    if (o.account.empty()) {
      o.account = std::string(m.account).substr(0, std::string(m.account).find(' '));
    }
    if (o.product.empty()) o.product = m.product;
    rqId_ = Send(m.codes[kind], m.compose[kind](o));
    return Run(1000);
  }
  // The events delivered together with the first.
  static std::vector<Seen> FirstBatch(const std::vector<Seen>& events) {
    std::vector<Seen> out;
    for (const Seen& e : events) {
      if (e.at == events.front().at) out.push_back(e);
    }
    return out;
  }
  // OnTrReply as -1, OnRealData as its real type, OnRequestMessage as 0.
  static std::vector<int32_t> Types(const std::vector<Seen>& events) {
    std::vector<int32_t> out;
    for (const Seen& s : events) out.push_back(s.dispid == kOnTrReply ? -1 : s.type);
    return out;
  }

  sandbox::market::SimulatedMarket market_;
  int32_t rqId_ = 0;
};

class MarketOrderTest : public OrderDeskTest, public ::testing::WithParamInterface<MarketCase> {};

TEST_P(MarketOrderTest, MarketOrderFillsAtOnceAtTheAsk) {
  const MarketCase& m = GetParam();
  SignIn(m);
  const int64_t sentAt = host_->now();
  const Book book = BookNow(m.product);
  const std::vector<Seen> events = Order(m, 0, {.type = "2", .price = "0"});
  ASSERT_EQ(Types(events),
            (std::vector<int32_t>{-1, m.acceptance, m.fill, 192, m.open, m.available}));
  for (const Seen& e : events) EXPECT_EQ(e.at, sentAt + kLatency);
  const Seen& reply = events[0];
  EXPECT_EQ(reply.key, m.codes[0]);
  EXPECT_EQ(reply.rqId, rqId_);
  EXPECT_EQ(reply["처리코드"], "0000");
  const std::string number = reply["주문번호"];
  EXPECT_EQ(number.size(), m.acceptance == 181 ? 7u : 10u);
  EXPECT_EQ(events[1]["주문번호"], number) << "the console compares these exactly";
  EXPECT_EQ(events[2]["주문번호"], number);
  EXPECT_EQ(events[2]["체결가격"], Price(m.product, book.asks[0].price));
  EXPECT_EQ(events[3]["진입수량"], "1");
  EXPECT_EQ(events[4]["잔량"], "0");
  EXPECT_EQ(events[5]["계좌번호"], std::string(m.account).substr(0, m.acceptance == 181 ? 8 : 6));
}

TEST_P(MarketOrderTest, LimitOrderRestsUntilTheAsksComeDownToIt) {
  const MarketCase& m = GetParam();
  SignIn(m);
  const int64_t limit = BookNow(m.product).bids[0].price;
  const int64_t placed = Step();
  const std::vector<Seen> accepted = Order(m, 0, {.price = Price(m.product, limit)});
  ASSERT_EQ(Types(accepted), (std::vector<int32_t>{-1, m.acceptance, m.open, m.available}));
  EXPECT_EQ(accepted[2]["잔량"], "1");

  int64_t cross = placed + 1;
  while (market_.BookAt(P(m.product), cross).asks[0].price > limit) ++cross;
  ASSERT_LT(cross, placed + 36'000) << "the market comes back within an hour";
  const int64_t fillAt = market_.MsOfStep(cross) + kLatency;
  EXPECT_TRUE(Run(fillAt - host_->now() - 1).empty()) << "nothing before the market crosses";
  const std::vector<Seen> filled = Run(1);
  ASSERT_EQ(Types(filled), (std::vector<int32_t>{m.fill, 192, m.open, m.available}));
  EXPECT_EQ(filled[0]["주문번호"], accepted[0]["주문번호"]);
  EXPECT_EQ(filled[0]["체결가격"], Price(m.product, limit)) << "a resting order fills at its limit";
  EXPECT_EQ(filled[2]["잔량"], "0");
}

TEST_P(MarketOrderTest, AmendMovesARestingOrderAndCancelEndsIt) {
  const MarketCase& m = GetParam();
  SignIn(m);
  const Product& p = P(m.product);
  const int64_t ask = BookNow(m.product).asks[0].price;
  const std::string far = Price(m.product, ask + 40 * p.tick);
  const std::string farther = Price(m.product, ask + 50 * p.tick);
  const std::string first = Order(m, 0, {.side = "2", .price = far, .qty = "3"}).at(0)["주문번호"];

  const std::vector<Seen> amended =
      Order(m, 1, {.side = "2", .price = farther, .qty = "2", .original = first});
  ASSERT_EQ(Types(amended),
            (std::vector<int32_t>{-1, m.acceptance, m.confirmation, m.open, m.open, m.available}));
  const std::string second = amended[0]["주문번호"];
  EXPECT_EQ(amended[0]["접수구분"], "2");
  EXPECT_EQ(amended[0]["원주문번호"], first);
  EXPECT_NE(second, first);
  EXPECT_EQ(amended[1]["주문번호"], second);
  EXPECT_EQ(amended[2]["확인구분"], "2");
  EXPECT_EQ(amended[3]["주문번호"], first);
  EXPECT_EQ(amended[3]["잔량"], "0") << "the amending order replaces the old one";
  EXPECT_EQ(amended[4]["주문번호"], second);
  EXPECT_EQ(amended[4]["주문가격"], farther);
  EXPECT_EQ(amended[4]["잔량"], "2");

  const std::vector<Seen> cancelled = Order(m, 2, {.side = "2", .qty = "", .original = second});
  ASSERT_EQ(Types(cancelled),
            (std::vector<int32_t>{-1, m.acceptance, m.confirmation, m.open, m.available}));
  EXPECT_EQ(cancelled[0]["접수구분"], "3");
  EXPECT_EQ(cancelled[2]["확인구분"], "3");
  EXPECT_EQ(cancelled[2]["확인수량"], "2");
  EXPECT_EQ(cancelled[3]["주문번호"], second);
  EXPECT_EQ(cancelled[3]["잔량"], "0");

  const std::vector<Seen> again = Order(m, 2, {.side = "2", .qty = "", .original = second});
  ASSERT_EQ(Types(again), (std::vector<int32_t>{0, -1}));
  EXPECT_EQ(again[0].code, "-220");
  EXPECT_EQ(again[1]["처리코드"], "-220");
}

INSTANTIATE_TEST_SUITE_P(Markets, MarketOrderTest, ::testing::Values(kDomestic, kOverseas, kFx),
                         [](const auto& info) { return std::string(info.param.name); });

struct SampleCase {
  const char* name;
  MarketCase market;
  const char* product;
  std::string record;  // as the market radio writes it into the order edit
  const char* limit;   // the acceptance's 주문가격
};

void PrintTo(const SampleCase& c, std::ostream* os) {
  *os << c.name;
}

class SampleOrderTest : public OrderDeskTest, public ::testing::WithParamInterface<SampleCase> {};

// The console's sample records, short as they are, are real orders: each buys
// one contract at once at the best ask, however far above the market the
// sample's limit lies.
TEST_P(SampleOrderTest, BuysOneAtTheAsk) {
  const SampleCase& c = GetParam();
  SignIn(c.market);
  const Book book = BookNow(c.product);
  Send(c.market.codes[0], c.record);
  const std::vector<Seen> events = FirstBatch(Run(1000));
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0]["처리코드"], "0000") << events[0]["처리메시지"];
  EXPECT_EQ(events[1].type, c.market.acceptance);
  EXPECT_EQ(events[1]["주문가격"], c.limit);
  EXPECT_EQ(events[2].type, c.market.fill);
  EXPECT_EQ(events[2]["체결가격"], Price(c.product, book.asks[0].price));
}

INSTANTIATE_TEST_SUITE_P(Console, SampleOrderTest,
                         ::testing::Values(
                             // A limit of 110.00 for an option worth some 47 points.
                             SampleCase{"Domestic", kDomestic, "201JB245",
                                        "06801004   6042    201JB245" + std::string(24, ' ') +
                                            "111110" + std::string(11, ' ') + "1",
                                        "110.00"},
                             SampleCase{"Overseas", kOverseas, "ESU16",
                                        "0158726042    ESU16" + std::string(27, ' ') + "120" + "0" +
                                            std::string(14, ' ') + "1" + std::string(9, ' ') + "1" +
                                            std::string(34, ' '),
                                        "0"},
                             SampleCase{"Fx", kFx, "EUR/USD",
                                        "0175396042    EUR/USD" + std::string(25, ' ') +
                                            "11.24633" + std::string(13, ' ') + "1" +
                                            std::string(14, ' ') + "CEO",
                                        "1.24633"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FillConditionCase {
  const char* name;
  const char* condition;
  int32_t extra;  // ordered beyond what the best ask offers
  std::vector<int32_t> types;
  const char* filled;  // of the best ask's size: "all", or "none"
};

class FillConditionTest : public OrderDeskTest,
                          public ::testing::WithParamInterface<FillConditionCase> {};

TEST_P(FillConditionTest, WhatTheBookLacks) {
  const FillConditionCase& c = GetParam();
  SignIn(kDomestic);
  const sandbox::market::BookLevel best = BookNow("101G3000").asks[0];
  // What follows later is the resting part's.
  const std::vector<Seen> events = FirstBatch(Order(kDomestic, 0,
                                                    {.fill = c.condition,
                                                     .price = Price("101G3000", best.price),
                                                     .qty = std::to_string(best.size + c.extra)}));
  ASSERT_EQ(Types(events), c.types);
  const Seen& open = events[events.size() - 2];
  if (std::string(c.filled) == "all") {
    EXPECT_EQ(events[2]["체결수량"], std::to_string(best.size));
  }
  EXPECT_EQ(open["잔량"],
            c.extra > 0 && std::string(c.condition) == "1" ? std::to_string(c.extra) : "0");
}

INSTANTIATE_TEST_SUITE_P(
    Domestic, FillConditionTest,
    ::testing::Values(
        FillConditionCase{"FasRestsTheRest", "1", 2, {-1, 181, 185, 192, 182, 184}, "all"},
        FillConditionCase{"FakCancelsTheRest", "3", 2, {-1, 181, 185, 192, 183, 182, 184}, "all"},
        FillConditionCase{"FokThatCannotFillKillsAll", "2", 1, {-1, 181, 183, 182, 184}, "none"},
        FillConditionCase{"FokThatFillsWhole", "2", 0, {-1, 181, 185, 192, 182, 184}, "all"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrderDeskTest, StopOrderWakesWhenTheMarketTradesThroughIt) {
  SignIn(kOverseas);
  const char* code = kOverseas.product;
  const Product& p = P(code);
  const int64_t stop = BookNow(code).asks[0].price + 2 * p.tick;
  const int64_t placed = Step();
  const std::vector<Seen> accepted = Order(kOverseas, 0, {.type = "3", .price = Price(code, stop)});
  ASSERT_EQ(Types(accepted), (std::vector<int32_t>{-1, 196, 186, 188}));
  EXPECT_EQ(accepted[1]["주문가격"], Price(code, stop));

  int64_t wake = placed + 1;
  auto reached = [&](int64_t step) {
    for (const auto& t : market_.TradesAt(p, step)) {
      if (t.price >= stop) return true;
    }
    return false;
  };
  while (!reached(wake) && wake < placed + 36'000) ++wake;
  ASSERT_LT(wake, placed + 36'000);
  const std::vector<Seen> filled = Run(market_.MsOfStep(wake) + kLatency - host_->now());
  ASSERT_EQ(Types(filled), (std::vector<int32_t>{189, 192, 186, 188}));
  EXPECT_EQ(filled[0]["체결가격"], Price(code, market_.BookAt(p, wake).asks[0].price))
      << "a woken stop order buys at the market";
}

TEST_F(OrderDeskTest, ClosingFillsReportTheClose) {
  SignIn(kDomestic);
  Order(kDomestic, 0, {.type = "2", .qty = "2"});
  const std::vector<Seen> closed = Order(kDomestic, 0, {.side = "2", .type = "2", .qty = "2"});
  ASSERT_EQ(Types(closed), (std::vector<int32_t>{-1, 181, 185, 193, 182, 184}))
      << "no position record: nothing is left";
  EXPECT_EQ(closed[3]["매매구분"], "2");
  EXPECT_EQ(closed[3]["청산수량"], "2");
  EXPECT_EQ(closed[3]["청산가격"], closed[2]["체결가격"]);
}

struct ExpiryCase {
  const char* name;
  MarketCase market;
  const char* condition;
  bool ends;
};

class ExpiryTest : public OrderDeskTest, public ::testing::WithParamInterface<ExpiryCase> {};

TEST_P(ExpiryTest, DayOrdersEndAtMidnight) {
  const ExpiryCase& c = GetParam();
  Start(R"({"replyLatencyMs": 40, "replyJitterMs": 0, "clockStart": "2016-09-01T23:59:00"})");
  SignIn(c.market);
  const int64_t ask = market_.products().Find(c.market.product)->reference;
  const std::string number =
      Order(c.market, 0, {.fill = c.condition, .price = Price(c.market.product, ask / 2 / 25 * 25)})
          .at(0)["주문번호"];
  const std::vector<Seen> events = Run(120'000);
  if (!c.ends) {
    EXPECT_TRUE(events.empty());
    return;
  }
  // The order ends, and with it the account's seeded day orders that still
  // rest: each with its confirmation, open order and available amount.
  ASSERT_FALSE(events.empty());
  ASSERT_EQ(events.size() % 3, 0u);
  bool ours = false;
  for (size_t i = 0; i < events.size(); i += 3) {
    ASSERT_EQ(Types({events[i], events[i + 1], events[i + 2]}),
              (std::vector<int32_t>{c.market.confirmation, c.market.open, c.market.available}));
    EXPECT_EQ(events[i]["처리메세지"], sandbox::orders::kTextExpired);
    EXPECT_EQ(events[i].at, 60'000 + kLatency) << "the first step of the next day";
    ours = ours || events[i]["원주문번호"] == number;
  }
  EXPECT_TRUE(ours) << number;
}

INSTANTIATE_TEST_SUITE_P(Conditions, ExpiryTest,
                         ::testing::Values(ExpiryCase{"DomesticFas", kDomestic, "1", true},
                                           ExpiryCase{"OverseasDay", kOverseas, "0", true},
                                           ExpiryCase{"OverseasGtc", kOverseas, "1", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  MarketCase market;
  int kind;            // 0 new, 1 amend, 2 cancel
  struct Order order;  // original "#": the resting sell order of 3 at 300.00
  const char* processing;
  const char* detail;            // "#": the resting order's number
  const char* code = nullptr;    // another TR code of the market
  const char* record = nullptr;  // the record as typed, instead of the form's
};

class OrderRefusalTest : public OrderDeskTest, public ::testing::WithParamInterface<RefusalCase> {};

// Every refused order, of any kind and market, is answered by a request
// message with the reply's code and text, then by the reply itself.
TEST_P(OrderRefusalTest, TheRequestMessageAndTheReplySayWhy) {
  const RefusalCase& c = GetParam();
  SignIn(kDomestic);
  const std::string resting =
      Order(kDomestic, 0, {.side = "2", .price = "300.00", .qty = "3"}).at(0)["주문번호"];
  struct Order o = c.order;
  if (o.original == "#") o.original = resting;
  if (o.account.empty()) {
    o.account = std::string(c.market.account).substr(0, std::string(c.market.account).find(' '));
  }
  if (o.product.empty()) o.product = c.market.product;
  const char* code = c.code ? c.code : c.market.codes[c.kind];
  const int64_t sentAt = host_->now();
  const int32_t rqId = Send(code, c.record ? std::string(c.record) : c.market.compose[c.kind](o));
  const std::vector<Seen> events = Run(1000);
  ASSERT_EQ(Types(events), (std::vector<int32_t>{0, -1}))
      << "a refused order leaves the feed quiet";
  const Seen& said = events[0];
  EXPECT_EQ(said.dispid, kOnRequestMessage);
  EXPECT_EQ(said.at, sentAt + kLatency);
  EXPECT_EQ(said.rqId, rqId);
  const Seen& reply = events[1];
  EXPECT_EQ(reply.at, sentAt + kLatency);
  EXPECT_EQ(reply.key, code);
  EXPECT_EQ(reply.rqId, rqId);
  EXPECT_EQ(reply["처리코드"], c.processing);
  EXPECT_EQ(reply["주문번호"], "");
  const std::string detail = std::string(c.detail) == "#" ? resting : c.detail;
  const std::string message = reply["처리메시지"];
  if (detail.empty()) {
    EXPECT_NE(message.back(), ']') << message;
  } else {
    EXPECT_EQ(message.substr(message.size() - detail.size() - 2), "[" + detail + "]") << message;
  }
  EXPECT_EQ(reply["처리구분"], std::string(c.processing) + " " + message)
      << "the domestic reply's line shows 처리구분 only";
  EXPECT_EQ(said.code, c.processing);
  EXPECT_EQ(said.text, message);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, OrderRefusalTest,
    ::testing::Values(
        // A record may stop early: what it lacks is refused for what it is.
        RefusalCase{"EmptyRecord", kDomestic, 0, {}, "-204", "", nullptr, ""},
        RefusalCase{"StopsAfterTheProduct",
                    kDomestic,
                    0,
                    {},
                    "-209",
                    "",
                    nullptr,
                    "06801004   6042    101G3000"},
        RefusalCase{"StopsBeforeTheQuantity",
                    kOverseas,
                    0,
                    {},
                    "-214",
                    "",
                    nullptr,
                    "0158726042    ESU16                           120"},
        RefusalCase{"GuestsAccount",
                    kDomestic,
                    0,
                    {.price = "262.55", .account = "07300001"},
                    "-204",
                    "07300001"},
        RefusalCase{"OverseasAccount",
                    kDomestic,
                    0,
                    {.price = "262.55", .account = "016304"},
                    "-205",
                    "016304"},
        // Twelve digits in an 11-byte field: the record's fields all move.
        RefusalCase{"OverlongAccount",
                    kDomestic,
                    0,
                    {.price = "262.55", .account = "068010040000"},
                    "-204",
                    "06801004000"},
        RefusalCase{
            "WrongPassword", kDomestic, 0, {.price = "262.55", .password = "6043"}, "-206", ""},
        RefusalCase{"UnknownProduct",
                    kDomestic,
                    0,
                    {.price = "262.55", .product = "101Z9000"},
                    "-207",
                    "101Z9000"},
        RefusalCase{
            "Index", kDomestic, 0, {.price = "262.55", .product = "KOSPI200"}, "-208", "KOSPI200"},
        RefusalCase{"CmeOption",
                    kDomestic,
                    0,
                    {.price = "4.65", .product = "201JB245"},
                    "-208",
                    "201JB245",
                    "g12001.DO2201&"},
        RefusalCase{
            "FxOrderOfAFuture", kFx, 0, {.price = "2175.00", .product = "ESU16"}, "-208", "ESU16"},
        RefusalCase{"Side", kDomestic, 0, {.side = "3", .price = "262.55"}, "-209", "3"},
        RefusalCase{"DomesticStop", kDomestic, 0, {.type = "3", .price = "262.55"}, "-210", "3"},
        RefusalCase{"FxOrderType", kFx, 0, {.type = "XYZ", .price = "101.850"}, "-210", "XYZ"},
        RefusalCase{
            "DomesticFillCondition", kDomestic, 0, {.fill = "4", .price = "262.55"}, "-211", "4"},
        RefusalCase{"LimitWithoutPrice", kDomestic, 0, {}, "-212", ""},
        RefusalCase{"TooManyDecimals", kDomestic, 0, {.price = "262.555"}, "-212", "262.555"},
        RefusalCase{"OffTheTickGrid", kDomestic, 0, {.price = "262.51"}, "-213", "262.51"},
        RefusalCase{"ZeroQuantity", kDomestic, 0, {.price = "262.55", .qty = "0"}, "-214", "0"},
        RefusalCase{"QuantityBeyondTheLimit",
                    kOverseas,
                    0,
                    {.price = "2175.00", .qty = "100000"},
                    "-214",
                    "100000"},
        RefusalCase{"Strategy", kOverseas, 0, {.price = "2175.00", .strategy = "3"}, "-215", "3"},
        RefusalCase{
            "StopLimitWithoutStop", kOverseas, 0, {.type = "4", .price = "2175.00"}, "-216", ""},
        RefusalCase{"GtdWithoutDate", kOverseas, 0, {.fill = "6", .price = "2175.00"}, "-217", ""},
        RefusalCase{"GtdInThePast",
                    kOverseas,
                    0,
                    {.fill = "6", .price = "2175.00", .until = "20160831"},
                    "-217",
                    "20160831"},
        RefusalCase{"NoSuchDate",
                    kOverseas,
                    0,
                    {.price = "2175.00", .until = "20161332"},
                    "-217",
                    "20161332"},
        RefusalCase{"Exercise", kOverseas, 0, {.price = "2175.00", .exercise = "2"}, "-218", "2"},
        RefusalCase{"AmendOfNoOrder",
                    kDomestic,
                    1,
                    {.side = "2", .original = "9999999"},
                    "-219",
                    "9999999"},
        RefusalCase{"CancelOfAnotherProduct",
                    kDomestic,
                    2,
                    {.side = "2", .original = "#", .product = "101M3000"},
                    "-221",
                    "101M3000"},
        RefusalCase{
            "AmendToTheOtherSide", kDomestic, 1, {.side = "1", .original = "#"}, "-222", "1"},
        RefusalCase{"AmendToAMarketOrder",
                    kDomestic,
                    1,
                    {.side = "2", .type = "2", .original = "#"},
                    "-223",
                    "2"},
        RefusalCase{"AmendOfMoreThanIsOpen",
                    kDomestic,
                    1,
                    {.side = "2", .qty = "4", .original = "#"},
                    "-224",
                    "4/3"},
        RefusalCase{"CmeCancelOfARegularOrder",
                    kDomestic,
                    2,
                    {.side = "2", .original = "#"},
                    "-225",
                    "#",
                    "g12001.DO2001&"},
        RefusalCase{"CmeAmendOfNoOrder",
                    kDomestic,
                    1,
                    {.side = "2", .price = "262.55", .original = "9999998"},
                    "-219",
                    "9999998",
                    "g12001.DO2101&"},
        RefusalCase{"OverseasAmendOfNoOrder",
                    kOverseas,
                    1,
                    {.original = "9999999999"},
                    "-219",
                    "9999999999"},
        RefusalCase{"OverseasCancelWithoutNumber", kOverseas, 2, {}, "-219", ""},
        RefusalCase{"FxAmendOfNoOrder", kFx, 1, {.original = "1234567"}, "-219", "1234567"},
        RefusalCase{"FxCancelWrongPassword",
                    kFx,
                    2,
                    {.original = "1234567", .password = "0000"},
                    "-206",
                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

class SeededOrderTest : public OrderDeskTest, public ::testing::WithParamInterface<MarketCase> {};

// The accounts' seeded history never leaves an order crossed at the start,
// and its resting orders fill at their limit at the first step the market
// reaches them, like any order sent later.
TEST_P(SeededOrderTest, RestingOrdersFillWhenTheMarketReachesThem) {
  const MarketCase& m = GetParam();
  const sandbox::market::Ledger ledger(sandbox::BuiltInUsers(), market_);
  const sandbox::market::AccountBook& book = *ledger.Find(m.account);
  struct Resting {
    std::string number;
    std::string limit;
    int64_t reachedAt = -1;  // the first step the market reaches it
  };
  std::vector<Resting> resting;
  constexpr int64_t kRunMs = 3 * kHour;
  for (const sandbox::market::Order& o : book.orders()) {
    if (o.Open() <= 0) continue;
    const sandbox::market::OrderTicket& t = o.ticket;
    const bool buy = t.side == sandbox::market::Side::kBuy;
    Resting r{o.number, sandbox::market::FormatDecimal(*t.product, t.price)};
    const Book start = market_.BookAt(*t.product, 0);
    EXPECT_TRUE(buy ? t.price < start.asks[0].price : t.price > start.bids[0].price)
        << o.number << " crosses the market at the start";
    for (int64_t s = 1; s <= market_.StepAt(kRunMs) && r.reachedAt < 0; ++s) {
      const Book b = market_.BookAt(*t.product, s);
      if (buy ? b.asks[0].price <= t.price : b.bids[0].price >= t.price) r.reachedAt = s;
    }
    resting.push_back(r);
  }
  ASSERT_FALSE(resting.empty());

  // Signed in with the feed registered at the start, so that no fill passes
  // unseen.
  ASSERT_EQ(host_->Long(Dispid::kStartComm, {1}), 0);
  ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  ASSERT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", m.account}), 0);
  std::vector<Seen> fills;
  for (int64_t ran = 0; ran < kRunMs; ran += kHour) {
    for (const Seen& f : OfType(Run(kHour), m.fill)) fills.push_back(f);
  }
  int reached = 0;
  for (const Resting& r : resting) {
    auto fill = std::find_if(fills.begin(), fills.end(),
                             [&](const Seen& f) { return f["주문번호"] == r.number; });
    if (r.reachedAt < 0) {
      EXPECT_EQ(fill, fills.end()) << r.number << " filled, though the market never reached it";
      continue;
    }
    ++reached;
    ASSERT_NE(fill, fills.end()) << r.number << " reached at step " << r.reachedAt;
    EXPECT_EQ(fill->at, market_.MsOfStep(r.reachedAt) + kLatency) << r.number;
    EXPECT_EQ(fill->operator[]("체결가격"), r.limit) << r.number;
  }
  EXPECT_GT(reached, 0) << "the run reaches none of the account's resting orders";
}

INSTANTIATE_TEST_SUITE_P(Markets, SeededOrderTest, ::testing::Values(kDomestic, kOverseas, kFx),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrderDeskTest, RecordsGoOnlyToARegisteredFeed) {
  SandboxSession::SignIn();
  Order(kDomestic, 0, {.type = "2"});
  EXPECT_EQ(Types(Run(0)), std::vector<int32_t>{}) << "drained";
  EXPECT_EQ(Types(Order(kDomestic, 0, {.type = "2"})), std::vector<int32_t>{-1});

  Order(kDomestic, 0, {.side = "2", .price = "300.00"});
  ASSERT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", kDomestic.account}), 0);
  const std::vector<Seen> listed = Run(1000);
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed.back().type, 184);
  for (size_t i = 0; i + 1 < listed.size(); ++i) EXPECT_EQ(listed[i].type, 199);
  EXPECT_EQ(listed[listed.size() - 2]["주문가격"], "300.00") << "the newest open order last";

  ASSERT_EQ(host_->Long(Dispid::kRemoveOrderReal, {"demo", "06801004"}), 0);
  EXPECT_EQ(Types(Order(kDomestic, 0, {.type = "2"})), std::vector<int32_t>{-1});
}

TEST_F(OrderDeskTest, JitterNeverPutsAFillBeforeItsAcceptance) {
  Start(R"({"replyLatencyMs": 10, "replyJitterMs": 500, "clockStart": "2016-09-01T09:00:00"})");
  SignIn(kDomestic);
  for (int i = 0; i < 6; ++i) {
    Send(kDomestic.codes[0], DomesticNew({.side = i % 2 ? "2" : "1",
                                          .type = "2",
                                          .product = "101G3000",
                                          .account = "06801004"}));
    host_->Advance(3);
  }
  const std::vector<Seen> events = Run(10'000);
  std::map<std::string, std::vector<int32_t>> byOrder;
  for (const Seen& e : events) {
    if (e.dispid == kOnTrReply || e.type == 181 || e.type == 185 || e.type == 182) {
      byOrder[e["주문번호"]].push_back(e.dispid == kOnTrReply ? -1 : e.type);
    }
  }
  ASSERT_EQ(byOrder.size(), 6u) << "six numbers, each its own";
  for (const auto& [number, types] : byOrder) {
    EXPECT_EQ(types, (std::vector<int32_t>{-1, 181, 185, 182})) << number;
  }
  for (size_t i = 1; i < events.size(); ++i) EXPECT_GE(events[i].at, events[i - 1].at);
}

}  // namespace
}  // namespace zqk::test
