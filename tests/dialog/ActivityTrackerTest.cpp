// The activity of a session: how requests leave the flight, the pages and
// latencies of finished ones, figures per code and feeds; then a session of
// the dialog against the fixture agent on the virtual clock, which must make
// exactly the agent calls it makes without the tracking.
#include "dialog/ActivityTracker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

struct Ended {
  int32_t rqId;
  RequestEnd end;
  std::vector<int64_t> latencies;
  bool operator==(const Ended&) const = default;
};

void PrintTo(const Ended& e, std::ostream* os) {
  *os << "{" << e.rqId << " end " << static_cast<int>(e.end) << " pages";
  for (int64_t l : e.latencies) *os << ' ' << l;
  *os << "}";
}

struct FlightRow {
  const char* name;
  std::function<void(ActivityTracker&)> steps;
  int64_t lookAt;                  // ms of agent time when the figures are read
  std::vector<int32_t> inFlight;   // RQIDs, oldest first
  std::vector<size_t> pagesSoFar;  // of those
  std::vector<Ended> finished;     // newest first
};

class RequestFlights : public testing::TestWithParam<FlightRow> {};

TEST_P(RequestFlights, EndAsTheyShould) {
  const FlightRow& r = GetParam();
  ActivityTracker t;
  r.steps(t);
  t.Expire(r.lookAt);
  std::vector<int32_t> ids;
  std::vector<size_t> pages;
  for (const InFlightRequest& f : t.InFlight()) {
    ids.push_back(f.rqId);
    pages.push_back(f.pagesSoFar);
  }
  EXPECT_EQ(ids, r.inFlight);
  EXPECT_EQ(pages, r.pagesSoFar);
  std::vector<Ended> finished;
  for (const FinishedRequest& f : t.Finished())
    finished.push_back({f.rqId, f.end, f.pageLatencyMs});
  EXPECT_EQ(finished, r.finished);
}

using E = RequestEnd;
INSTANTIATE_TEST_SUITE_P(
    Table, RequestFlights,
    testing::Values(FlightRow{"AnsweredAtItsFirstReply",
                              [](ActivityTracker& t) {
                                t.RequestSent(1, "s20001", 1000, 0);
                                t.RequestSent(2, "o51000", 1100, 0);
                                t.ReplyArrived(1, 1250);
                              },
                              1300,
                              {2},
                              {0},
                              {{1, E::kAnswered, {250}}}},
                    FlightRow{"RefusedByARequestMessage",
                              [](ActivityTracker& t) {
                                t.RequestSent(7, "g11002.DQ0107&", 0, 0);
                                t.RequestMessage(7, 40);
                                t.RequestMessage(8, 50);  // never sent: nothing
                              },
                              100,
                              {},
                              {},
                              {{7, E::kRefused, {}}}},
                    FlightRow{"DroppedAtDisconnect",
                              [](ActivityTracker& t) {
                                t.RequestSent(1, "a", 0, 0);
                                t.RequestSent(2, "b", 10, 0);
                                t.Disconnected(20);
                                t.ReplyArrived(1, 30);  // the next agent's RQID 1: not the old one
                              },
                              40,
                              {},
                              {},
                              {{2, E::kDropped, {}}, {1, E::kDropped, {}}}},
                    FlightRow{"NoAnswerAfterThirtySeconds",
                              [](ActivityTracker& t) {
                                t.RequestSent(1, "a", 0, 0);
                                t.RequestSent(2, "a", 1, 0);
                              },
                              30'000,
                              {2},
                              {0},
                              {{1, E::kNoAnswer, {}}}},
                    FlightRow{"ALateReplyCountsNowhere",
                              [](ActivityTracker& t) {
                                t.RequestSent(1, "a", 0, 0);
                                t.ReplyArrived(1, 30'000);
                              },
                              30'000,
                              {},
                              {},
                              {{1, E::kNoAnswer, {}}}},
                    FlightRow{"PagesOfAContinuedQuery",
                              [](ActivityTracker& t) {
                                t.RequestSent(1, "o51200", 0, 0);
                                t.ReplyArrived(1, 100);
                                t.RequestSent(2, "o51200", 5000, 0, 1);  // Yes to "continue?"
                                t.ReplyArrived(2, 5030);
                                t.RequestSent(3, "o51200", 9000, 0, 2);
                              },
                              9000,
                              {3},
                              {2},
                              {{1, E::kAnswered, {100, 30}}}},
                    FlightRow{"FurtherRepliesToOneRqidArePages",
                              [](ActivityTracker& t) {
                                t.RequestSent(4, "n51003", 0, 0);
                                t.ReplyArrived(4, 10);
                                t.ReplyArrived(4, 25);
                              },
                              30,
                              {},
                              {},
                              {{4, E::kAnswered, {10, 25}}}},
                    FlightRow{"ARefusedRqidIsNoRequest",
                              [](ActivityTracker& t) {
                                t.RequestSent(0, "a", 0, 0);
                                t.RequestSent(-104, "a", 0, 0);
                              },
                              10,
                              {},
                              {},
                              {}},
                    FlightRow{"OneRqidTwiceIsAnsweredOldestFirst",
                              [](ActivityTracker& t) {
                                t.RequestSent(5, "a", 0, 0);
                                t.RequestSent(5, "a", 100, 0);
                                t.ReplyArrived(5, 150);
                              },
                              200,
                              {5},
                              {0},
                              {{5, E::kAnswered, {150}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ActivityTracker, KeepsTheNewestThousandFinished) {
  ActivityTracker t;
  for (int32_t id = 1; id <= 1500; ++id) {
    t.RequestSent(id, "a", id, 0);
    t.ReplyArrived(id, id + 1);
  }
  ASSERT_EQ(t.Finished().size(), ActivityTracker::kFinishedKept);
  EXPECT_EQ(t.Finished().front().rqId, 1500);
  EXPECT_EQ(t.Finished().back().rqId, 501);
  // The figures per code count them all.
  EXPECT_EQ(t.Codes().at(0).pages, 1500u);
}

TEST(ActivityTracker, FiguresPerCodeAreNearestRankPercentiles) {
  ActivityTracker t;
  for (int32_t i = 1; i <= 100; ++i) {
    t.RequestSent(i, "o51000", 0, 0);
    t.ReplyArrived(i, 101 - i);  // latencies 100 down to 1
  }
  t.RequestSent(200, "o51000", 0, 0);
  t.RequestMessage(200, 5);
  t.RequestSent(201, "s20001", 0, 0);
  t.Expire(40'000);
  const std::vector<CodeActivity> codes = t.Codes();
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0].code, "o51000");
  EXPECT_EQ(codes[0].requests, 101u);
  EXPECT_EQ(codes[0].pages, 100u);
  EXPECT_EQ(codes[0].refused, 1u);
  EXPECT_EQ(codes[0].medianMs, 50);
  EXPECT_EQ(codes[0].p99Ms, 99);
  EXPECT_EQ(codes[0].maxMs, 100);
  EXPECT_EQ(codes[1].code, "s20001");
  EXPECT_EQ(codes[1].noAnswer, 1u);
  EXPECT_FALSE(codes[1].medianMs);
}

TEST(ActivityTracker, FeedsCountTheirRecordsAndRate) {
  ActivityTracker t;
  t.QuoteFeedAdded("101G3000  ", 65, 500);
  t.QuoteFeedAdded("ESU16", 82, 500);
  t.OrderFeedAdded("07215003   ");
  for (int64_t ms = 500; ms < 10'500; ms += 250) t.RealData("101G3000", 65, ms);  // 4 a second
  t.RealData("ESU16", 82, 9'000);
  t.RealData("ESU16", 65, 9'000);      // not registered
  t.RealData("07215003", 181, 9'000);  // the account's order feed
  std::vector<QuoteFeedActivity> quotes = t.QuoteFeeds(10'500);
  ASSERT_EQ(quotes.size(), 2u);
  EXPECT_EQ(quotes[0].key, "101G3000");
  EXPECT_EQ(quotes[0].records, 40u);
  EXPECT_EQ(quotes[0].perSecond, 4.0);
  EXPECT_EQ(quotes[1].records, 1u);
  EXPECT_EQ(quotes[1].perSecond, 0.2);
  EXPECT_FALSE(t.QuoteFeeds(900)[0].perSecond);  // no whole second yet
  ASSERT_EQ(t.OrderFeeds().size(), 1u);
  EXPECT_EQ(t.OrderFeeds()[0].records, 1u);

  t.QuoteFeedRemoved("ESU16", 82);
  EXPECT_EQ(t.QuoteFeeds(10'500).size(), 1u);
  t.Disconnected(11'000);
  EXPECT_TRUE(t.QuoteFeeds(11'000).empty());
  EXPECT_TRUE(t.OrderFeeds().empty());
}

// A session of the dialog: a paged query, a refused query, an order, a quote
// feed and the order feed, on the virtual clock of the fixture agent.
TEST(ActivityOfTheDialog, FollowsTheSessionWithTheSameAgentCalls) {
  test::FixtureDialog fx;
  fx.Load(
      u8R"({"results": {"GetCommState": 1, "RequestTr": [11, 12, 13], "SendOrder": 21,
      "AddReal": 0, "AddOrderReal": 0, "GetNextKey": ["k2", ""]}})");
  CZQKCommClientDlg& dlg = fx.dlg();
  const int64_t start = dlg.NowMs();
  fx.model().SetText(id::kTrCode, "o51200");
  fx.rig.host.answers.push_back(MessageBoxResult::kYes);
  dlg.Click(id::kRqTest);  // RQID 11
  fx.rig.ui.Advance(120);
  fx.FireReply("o51200", 11, test::Fields{});  // page 1, then Yes: RQID 12
  fx.rig.ui.Advance(40);
  fx.FireReply("o51200", 12, test::Fields{});  // page 2, no key: done
  fx.model().SetText(id::kTrCode, "g11002.DQ0107&");
  dlg.Click(id::kRqTest);  // RQID 13
  fx.rig.ui.Advance(10);
  dlg.OnRequestMessage(13, "-108", "등록되지 않은 계좌입니다");
  fx.model().SetText(id::kOrderTrCode, "g12001.DO1601&");
  dlg.Click(id::kSendOrder);  // RQID 21, never answered
  fx.model().SetText(id::kRealKey, "101G3000");
  fx.model().SetText(id::kRealType, "65");
  dlg.Click(id::kRealRegister);
  fx.model().SetText(id::kOrderRealAccount, "07215003");
  dlg.Click(id::kOrderRealRegister);
  fx.FireReal("101G3000", 65, test::Fields{});
  fx.FireReal("07215003", 181, test::Fields{});
  fx.rig.ui.Advance(31'000);

  const ActivityTracker& a = dlg.Activity();
  EXPECT_TRUE(a.InFlight().empty());
  ASSERT_EQ(a.Finished().size(), 3u);
  EXPECT_EQ(a.Finished()[0].rqId, 21);
  EXPECT_EQ(a.Finished()[0].end, RequestEnd::kNoAnswer);
  EXPECT_EQ(a.Finished()[1].rqId, 13);
  EXPECT_EQ(a.Finished()[1].end, RequestEnd::kRefused);
  EXPECT_EQ(a.Finished()[2].rqId, 11);
  EXPECT_EQ(a.Finished()[2].sentMs, start);
  EXPECT_EQ(a.Finished()[2].pageLatencyMs, (std::vector<int64_t>{120, 40}));
  ASSERT_EQ(a.QuoteFeeds(dlg.NowMs()).size(), 1u);
  EXPECT_EQ(a.QuoteFeeds(dlg.NowMs())[0].records, 1u);
  ASSERT_EQ(a.OrderFeeds().size(), 1u);
  EXPECT_EQ(a.OrderFeeds()[0].records, 1u);

  // Exactly the calls of the commands and decoders, none for the tracking.
  std::vector<std::string> names;
  for (const test::AgentCall& c : fx.calls) {
    if (c.name != "GetFieldValue" && c.name != "GetRepeatCount" && c.name != "GetDataBlock")
      names.push_back(c.name);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"GetCommState", "RequestTr", "GetNextKey", "GetCommState",
                                      "RequestTr", "GetNextKey", "GetCommState", "GetAccountText",
                                      "RequestTr", "SendOrder", "AddReal", "AddOrderReal"}));
}

}  // namespace
}  // namespace zqk
