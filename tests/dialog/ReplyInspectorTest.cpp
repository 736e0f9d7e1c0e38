// The reply inspector inside the dialog, against the fixture agent: it reads
// a reply after its decoder and before the decoder's question, reads nothing
// while off, and keeps no more than its caps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/ReplyInspector.h"
#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

using test::AgentCall;

// A page of o51200 with one bar, its block row and a continuation key.
constexpr std::u8string_view kPagedBars =
    u8R"({"OutRec1": [{"일자": "20160901", "시간": "090100", "종가": "2170.25"}],
          "block": {"concat": [{"text": "ESU16", "width": 32}, {"text": "20160901", "width": 113}]},
          "nextKey": "NEXT0001"})";

std::vector<std::string> Names(const std::vector<AgentCall>& calls) {
  std::vector<std::string> names;
  for (const AgentCall& c : calls) names.push_back(c.name);
  return names;
}

TEST(ReplyInspector, ReadsAPagedReplyAfterItsDecoderAndBeforeItsQuestion) {
  test::FixtureDialog fx;
  fx.dlg().Inspector().SetEnabled(true);
  size_t callsAtQuestion = 0;
  size_t entriesAtQuestion = 0;
  fx.rig.host.whileShown = [&] {
    callsAtQuestion = fx.calls.size();
    entriesAtQuestion = fx.dlg().Inspector().Count();
  };
  fx.FireReply("o51200", 7, kPagedBars);

  ASSERT_EQ(fx.rig.host.shown.size(), 1u);
  EXPECT_EQ(callsAtQuestion, fx.calls.size()) << "no read after the question";
  EXPECT_EQ(entriesAtQuestion, 1u);
  const std::vector<std::string> names = Names(fx.calls);
  const auto nextKey = std::find(names.begin(), names.end(), "GetNextKey");
  const auto lastData = std::find(names.begin(), names.end(), "GetLastData");
  ASSERT_NE(nextKey, names.end());
  EXPECT_LT(nextKey, lastData) << "the decoder reads first";

  const InspectorEntry& e = fx.dlg().Inspector().At(0);
  EXPECT_EQ(e.code, "o51200");
  EXPECT_EQ(e.rqId, 7);
  const inspect::Field& close = e.inspection.parts.at(0).rows.at(0).fields.at(5);
  EXPECT_EQ(close.value, "2170.25");
  EXPECT_EQ(close.offset, 8u + 6 + 15 * 3);
}

// Off, the dialog makes the decoder's calls and no more.
TEST(ReplyInspector, OffItMakesNoCallOfItsOwn) {
  std::vector<AgentCall> calls[2];
  for (const bool on : {false, true}) {
    test::FixtureDialog fx;
    fx.dlg().Inspector().SetEnabled(on);
    fx.FireReply("o51200", 7, kPagedBars);
    fx.FireReal("ESU16", 82, {{"종목코드", "ESU16"}});
    calls[on] = fx.calls;
    EXPECT_EQ(fx.dlg().Inspector().Count(), on ? 2u : 0u);
  }
  EXPECT_EQ(test::FixtureDialog().calls.size(), 0u);
  EXPECT_LT(calls[0].size(), calls[1].size());
  EXPECT_TRUE(std::none_of(calls[0].begin(), calls[0].end(),
                           [](const AgentCall& c) { return c.name == "GetLastData"; }));
}

TEST(ReplyInspector, KeepsTheNewestWithinItsCapsAndCountsTheDropped) {
  ReplyInspector byCount(3, 1 << 20);
  for (int i = 0; i < 5; ++i) byCount.Add({.code = std::to_string(i)});
  EXPECT_EQ(byCount.Count(), 3u);
  EXPECT_EQ(byCount.Dropped(), 2u);
  EXPECT_EQ(byCount.At(0).code, "4");
  EXPECT_EQ(byCount.At(2).code, "2");
  EXPECT_EQ(byCount.BySerial(5), &byCount.At(0));
  EXPECT_EQ(byCount.BySerial(2), nullptr);

  ReplyInspector byBytes(100, 4096);
  InspectorEntry big;
  big.inspection.parts.push_back({.rest = std::string(1500, 'x')});
  big.inspection.heldBytes = inspect::HeldBytes(big.inspection);
  for (int i = 0; i < 4; ++i) byBytes.Add(big);
  EXPECT_LE(byBytes.HeldBytes(), 4096u);
  EXPECT_EQ(byBytes.Count() + byBytes.Dropped(), 4u);
  EXPECT_GE(byBytes.Dropped(), 2u);
  EXPECT_LT(byBytes.EntryBudget().bytes, 4096u);
}

}  // namespace
}  // namespace zqk
