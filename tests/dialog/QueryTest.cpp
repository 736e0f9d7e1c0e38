// RqTest against the fixture agent: what is asked and sent in TR and FID mode,
// the account rewrite, the byte length, the continuation key and the RQID line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

using test::AgentCall;
using Calls = std::vector<AgentCall>;

struct QueryCase {
  const char* name;
  bool fidMode;
  std::string code;   // edit 1010 or 1011
  std::string input;  // edit 1012 or 1013
  int32_t commState;
  std::string nextKey;  // continued with this key; empty: a press of RqTest
  Calls calls;
  std::string line;
  std::string keyAfter;
  bool english = false;
};

void PrintTo(const QueryCase& c, std::ostream* os) {
  *os << c.name;
}

class RqTest : public testing::TestWithParam<QueryCase> {
 protected:
  test::FixtureDialog fx;
};

TEST_P(RqTest, SendsWhatTheEditsHold) {
  const QueryCase& c = GetParam();
  fx.Load(std::u8string(u8R"({"results": {"GetCommState": )") +
          std::u8string(reinterpret_cast<const char8_t*>(std::to_string(c.commState).c_str())) +
          u8R"(, "GetAccountText": "PW123456", "RequestTr": 101, "RequestFid": 201}})");
  if (c.english) fx.dlg().Click(id::kEnglish);
  if (c.fidMode) {
    fx.dlg().Click(id::kFidMode);
    fx.dlg().EditText(id::kFidCode, c.code);
    fx.dlg().EditText(id::kFidInput, c.input);
    fx.dlg().EditText(id::kFidFieldList, c.code.empty() ? "" : "000001002");
  } else {
    fx.dlg().EditText(id::kTrCode, c.code);
    fx.dlg().EditText(id::kTrInput, c.input);
  }
  if (c.nextKey.empty()) {
    fx.dlg().Click(id::kRqTest);
  } else {
    fx.dlg().ContinueQuery(c.nextKey);
  }
  EXPECT_EQ(fx.calls, c.calls);
  EXPECT_EQ(fx.Lines(), std::vector<std::string>{c.line});
  EXPECT_EQ(fx.dlg().m_strNextKey, c.keyAfter);
}

const std::string kInput30 = "06801004   ABCDEFGHIJKLMNOPQRS";  // 30 bytes

INSTANTIATE_TEST_SUITE_P(
    Presses, RqTest,
    testing::Values(
        QueryCase{"tr_state_0_sends_nothing_and_keeps_the_key",
                  false,
                  "o51200",
                  "ESH24",
                  0,
                  "K1",
                  {{"GetCommState", {}}},
                  "요청한 RQID[0]",
                  "K1"},
        QueryCase{"tr_state_2_in_english",
                  false,
                  "o51200",
                  "ESH24",
                  2,
                  "",
                  {{"GetCommState", {}}},
                  "Request RQID[2]",
                  "",
                  true},
        QueryCase{"tr_plain_code_sends_the_key_once",
                  false,
                  "o51200",
                  "ESH24",
                  1,
                  "K1",
                  {{"GetCommState", {}}, {"RequestTr", {"o51200", "ESH24", "5", "K1"}}},
                  "요청한 RQID[101]",
                  ""},
        // 0 to 10, the 8 returned bytes, then 19 to 26; 27 to 29 dropped.
        QueryCase{"open_orders_rewrite_of_30_bytes",
                  false,
                  "g11002.DQ0104&",
                  kInput30,
                  1,
                  "",
                  {{"GetCommState", {}},
                   {"GetAccountText", {"06801004   "}},
                   {"RequestTr", {"g11002.DQ0104&", "06801004   PW123456IJKLMNOP", "27", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"fills_rewrite_of_exactly_the_account",
                  false,
                  "g11002.DQ0107&",
                  "06801004   ",
                  1,
                  "",
                  {{"GetCommState", {}},
                   {"GetAccountText", {"06801004   "}},
                   {"RequestTr", {"g11002.DQ0107&", "06801004   PW123456", "19", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"fills_rewrite_of_a_short_account",
                  false,
                  "g11002.DQ0107&",
                  "0680",
                  1,
                  "",
                  {{"GetCommState", {}},
                   {"GetAccountText", {"0680"}},
                   {"RequestTr", {"g11002.DQ0107&", "0680PW123456", "12", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"fills_rewrite_with_nothing_past_the_text",
                  false,
                  "g11002.DQ0107&",
                  "06801004   6042",
                  1,
                  "",
                  {{"GetCommState", {}},
                   {"GetAccountText", {"06801004   "}},
                   {"RequestTr", {"g11002.DQ0107&", "06801004   PW123456", "19", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"code_in_other_case_is_sent_unchanged",
                  false,
                  "G11002.DQ0107&",
                  kInput30,
                  1,
                  "",
                  {{"GetCommState", {}}, {"RequestTr", {"G11002.DQ0107&", kInput30, "30", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"code_with_trailing_blank_is_sent_unchanged",
                  false,
                  "g11002.DQ0107& ",
                  kInput30,
                  1,
                  "",
                  {{"GetCommState", {}}, {"RequestTr", {"g11002.DQ0107& ", kInput30, "30", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"length_counts_bytes",
                  false,
                  "n51003",
                  "공지 1",
                  1,
                  "",
                  {{"GetCommState", {}}, {"RequestTr", {"n51003", "공지 1", "6", ""}}},
                  "요청한 RQID[101]",
                  ""},
        QueryCase{"fid_mode_asks_no_state",
                  true,
                  "o51000",
                  "ESH24",
                  0,
                  "K9",
                  {{"RequestFid", {"o51000", "ESH24", "000001002", "5", "K9"}}},
                  "요청한 RQID[201]",
                  ""},
        QueryCase{"fid_mode_with_empty_edits",
                  true,
                  "",
                  "",
                  0,
                  "",
                  {{"RequestFid", {"", "", "", "0", ""}}},
                  "Request RQID[201]",
                  "",
                  true}),
    [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

TEST(RqTestContinuation, TheKeyGoesWithOneRequestOnly) {
  test::FixtureDialog fx;
  fx.Load(u8R"({"results": {"GetCommState": 1, "RequestTr": [101, 102]}})");
  fx.dlg().EditText(id::kTrCode, "o51200");
  fx.dlg().EditText(id::kTrInput, "ESH24");
  fx.dlg().ContinueQuery("NEXT0001");
  fx.dlg().Click(id::kRqTest);
  EXPECT_EQ(fx.CallsOf("RequestTr"), (Calls{{"RequestTr", {"o51200", "ESH24", "5", "NEXT0001"}},
                                            {"RequestTr", {"o51200", "ESH24", "5", ""}}}));
  EXPECT_EQ(fx.Lines(), (std::vector<std::string>{"요청한 RQID[101]", "요청한 RQID[102]"}));
}

}  // namespace
}  // namespace zqk
