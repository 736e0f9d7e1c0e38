// Quote feeds through the agent's ABI: which keys and types AddReal takes,
// what each tick carries (checked against a market of the test's own with
// the agent's seed and clock), and when ticks come and stop.
#include <gtest/gtest.h>

#include <functional>

#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/SimulatedMarket.h"
#include "tests/sandbox/MarketFixture.h"
#include "tests/sandbox/SandboxSession.h"

namespace zqk::test {
namespace {

using sandbox::market::SimulatedMarket;
using sandbox::market::Snapshot;

class QuoteFeedTest : public SandboxSession {
 protected:
  QuoteFeedTest() : market_(kSeed, SampleClock()) {}

  void Restart(int tickRate) {
    Start(Settings(tickRate));
    SignIn();
  }
  int32_t Add(std::string_view key, int32_t type) {
    return host_->Long(Dispid::kAddReal, {key, type});
  }

  SimulatedMarket market_;
};

struct RefusedFeedCase {
  const char* name;
  const char* key;
  int32_t type;
  const char* code;
  const char* text;
};

class RefusedFeedTest : public QuoteFeedTest,
                        public ::testing::WithParamInterface<RefusedFeedCase> {};

TEST_P(RefusedFeedTest, FailsAndSaysWhy) {
  const RefusedFeedCase& c = GetParam();
  SignIn();
  EXPECT_EQ(Add(c.key, c.type), std::stoi(c.code));
  const std::vector<Seen> events = Run(2000);
  ASSERT_EQ(events.size(), 1u) << "the message, and no tick";
  EXPECT_EQ(events[0].dispid, kOnAgentMessage);
  EXPECT_EQ(events[0].code, c.code);
  EXPECT_EQ(events[0].text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Registrations, RefusedFeedTest,
    ::testing::Values(RefusedFeedCase{"UnknownKey", "101Z9000", 65, "-130",
                                      "실시간을 제공하지 않는 종목입니다[101Z9000]"},
                      RefusedFeedCase{"EmptyKey", "   ", 65, "-130",
                                      "실시간을 제공하지 않는 종목입니다"},
                      RefusedFeedCase{"UnknownType", "101G3000", 50, "-131",
                                      "제공하지 않는 실시간 구분입니다[50]"},
                      RefusedFeedCase{"TypeOfAnEmptyEdit", "101G3000", 0, "-131",
                                      "제공하지 않는 실시간 구분입니다[0]"},
                      RefusedFeedCase{"OrderFeedType", "101G3000", 185, "-132",
                                      "주문체결 실시간은 계좌로 등록합니다(AddOrderReal)[185]"},
                      RefusedFeedCase{"OverseasKeyForADomesticType", "ESU16", 65, "-133",
                                      "종목과 맞지 않는 실시간 구분입니다[ESU16/65]"},
                      RefusedFeedCase{"FutureForTheOptionModel", "101G3000", 66, "-133",
                                      "종목과 맞지 않는 실시간 구분입니다[101G3000/66]"},
                      RefusedFeedCase{"IndexForQuotes", "KOSPI200", 58, "-133",
                                      "종목과 맞지 않는 실시간 구분입니다[KOSPI200/58]"},
                      RefusedFeedCase{"PairForOverseasTrades", "EUR/USD", 82, "-133",
                                      "종목과 맞지 않는 실시간 구분입니다[EUR/USD/82]"},
                      RefusedFeedCase{"ProductForTheServerClock", "101G3000", 208, "-133",
                                      "종목과 맞지 않는 실시간 구분입니다[101G3000/208]"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TickCase {
  const char* name;
  const char* key;  // as typed
  int32_t type;
  const char* eventKey;
  const char* field;
  // The value the tick must carry, from the product's state then.
  std::function<std::string(const Snapshot&)> expected;
};

std::string Decimal(const Snapshot& s, int64_t raw) {
  return sandbox::market::FormatDecimal(*s.product, raw);
}

class TickTest : public QuoteFeedTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TickTest, CarriesTheMarketAtTheTick) {
  const TickCase& c = GetParam();
  SignIn();
  ASSERT_EQ(Add(c.key, c.type), 0);
  const std::vector<Seen> ticks = OfType(Run(250), c.type);
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(ticks[0].key, c.eventKey) << "the product's code, without the blanks";
  const Snapshot s = market_.At(*market_.products().Find(c.eventKey), ticks[0].at);
  EXPECT_EQ(ticks[0][c.field], c.expected(s));
}

INSTANTIATE_TEST_SUITE_P(
    Types, TickTest,
    ::testing::Values(
        TickCase{"FuturesTrade", "101G3000", 65, "101G3000", "현재가",
                 [](const Snapshot& s) { return Decimal(s, s.session.last); }},
        TickCase{"OptionsTrade", "201JB245", 71, "201JB245", "누적거래량",
                 [](const Snapshot& s) { return std::to_string(s.session.volume); }},
        TickCase{"BestQuotes", "101G3000", 58, "101G3000", "offerho1",
                 [](const Snapshot& s) { return Decimal(s, s.book.asks[0].price); }},
        TickCase{"DomesticBook", "301FC247", 51, "301FC247", "매수잔량1",
                 [](const Snapshot& s) { return std::to_string(s.book.bids[0].size); }},
        TickCase{"OverseasTradeRaw", "ESU16                           ", 82, "ESU16", "체결가",
                 [](const Snapshot& s) { return std::to_string(s.session.last); }},
        TickCase{"OverseasBookRaw", "CLV16", 52, "CLV16", "매도호가1",
                 [](const Snapshot& s) { return std::to_string(s.book.asks[0].price); }},
        TickCase{"Index", "KOSPI200", 101, "KOSPI200", "지수",
                 [](const Snapshot& s) { return Decimal(s, s.session.last); }},
        TickCase{"FxQuotes", "EUR/USD   ", 171, "EUR/USD", "매수호가",
                 [](const Snapshot& s) { return Decimal(s, s.book.bids[0].price); }},
        TickCase{"FxBook", "USD/JPY", 75, "USD/JPY", "매도호가1",
                 [](const Snapshot& s) { return Decimal(s, s.book.asks[0].price); }},
        TickCase{"OptionModel", "201JB245", 66, "201JB245", "내재변동성",
                 [](const Snapshot& s) {
                   return sandbox::market::FormatAmount(s.product->impliedVol * 100, 2);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuoteFeedTest, RawBlocksOfTheOverseasTradeAndTheServerClock) {
  SignIn();
  ASSERT_EQ(Add("ZBU16", 82), 0);
  ASSERT_EQ(Add("0", 208), 0);
  const std::vector<Seen> ticks = Run(250);
  const std::vector<Seen> trade = OfType(ticks, 82);
  const std::vector<Seen> clock = OfType(ticks, 208);
  ASSERT_EQ(trade.size(), 1u);
  ASSERT_EQ(clock.size(), 1u);
  EXPECT_EQ(trade[0].block.size(), 230u);
  EXPECT_EQ(trade[0].block.substr(0, 10), "ZBU16     ");
  EXPECT_EQ(trade[0].block.substr(46, 15).find(trade[0]["체결가"]), 0u);
  // The console's chain over the raw price: decimal, quoted, raw, decimal.
  const std::string raw = trade[0]["체결가"];
  const std::string decimal = host_->Str(Dispid::kFormatValue, {"ZBU16", raw, 0});
  const std::string quoted = host_->Str(Dispid::kFormatValue, {"ZBU16", decimal, 1});
  EXPECT_NE(decimal, raw);
  EXPECT_NE(quoted.find('\''), std::string::npos) << quoted;
  EXPECT_EQ(host_->Str(Dispid::kFormatValue, {"ZBU16", quoted, 2}), raw);
  EXPECT_EQ(clock[0].key, "0");
  EXPECT_EQ(clock[0].block,
            "20160901090001"
            "1")
      << "agent time 1250 ms is 09:00:01";
}

struct RateCase {
  int tickRate;
  int64_t firstTickAt;  // after sign-in at 1000 ms
  size_t inTenSeconds;
};

class TickRateTest : public QuoteFeedTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TickRateTest, EveryFeedTicksAtTheRateOnceATick) {
  const RateCase& c = GetParam();
  Restart(c.tickRate);
  ASSERT_EQ(Add("101G3000", 65), 0);
  ASSERT_EQ(Add("101G3000   ", 65), 0) << "the same feed again";
  ASSERT_EQ(Add("ESU16", 82), 0);
  const std::vector<Seen> ticks = Run(10'000);
  const std::vector<Seen> domestic = OfType(ticks, 65);
  EXPECT_EQ(domestic.size(), c.inTenSeconds);
  EXPECT_EQ(OfType(ticks, 82).size(), c.inTenSeconds);
  if (!domestic.empty()) {
    EXPECT_EQ(domestic[0].at, c.firstTickAt);
  }
}

INSTANTIATE_TEST_SUITE_P(Settings, TickRateTest,
                         ::testing::Values(RateCase{1, 2000, 10}, RateCase{3, 1334, 30},
                                           RateCase{4, 1250, 40}, RateCase{50, 1020, 500},
                                           RateCase{0, 0, 0}),
                         [](const auto& info) {
                           return "PerSecond" + std::to_string(info.param.tickRate);
                         });

struct StopCase {
  const char* name;
  std::function<void(AbiTestHost&)> stop;
  size_t domesticTicksAfter;  // in the next two seconds
};

class TickStopTest : public QuoteFeedTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(TickStopTest, TicksEndWithTheFeed) {
  const StopCase& c = GetParam();
  SignIn();
  ASSERT_EQ(Add("101G3000", 65), 0);
  ASSERT_EQ(Add("ESU16", 82), 0);
  Run(1000);
  c.stop(*host_);
  EXPECT_EQ(OfType(Run(2000), 65).size(), c.domesticTicksAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, TickStopTest,
    ::testing::Values(
        StopCase{"RemoveReal",
                 [](AbiTestHost& h) {
                   EXPECT_EQ(h.Long(Dispid::kRemoveReal, {"101G3000  ", 65}), 0);
                 },
                 0},
        StopCase{"RemoveOfAnotherFeed",
                 [](AbiTestHost& h) {
                   EXPECT_EQ(h.Long(Dispid::kRemoveReal, {"ESU16", 82}), 0);
                 },
                 8},
        StopCase{"Logout", [](AbiTestHost& h) { EXPECT_EQ(h.Long(Dispid::kLogout, {"demo"}), 1); },
                 0},
        StopCase{"StopComm", [](AbiTestHost& h) { h.Call(Dispid::kStopComm, {1}); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zqk::test
