// The buttons that pass the edits' texts to the agent as they are: quote-feed
// registration, order sending, the account's order feed, master files,
// business days and the information lookup.
#include <gtest/gtest.h>

#include "tests/support/FixtureDialog.h"
#include "text/DecimalText.h"

namespace zqk {
namespace {

using test::Texts;

constexpr std::string_view kResults = R"({"results": {
    "AddReal": 7, "RemoveReal": -9, "SendOrder": [42, -3], "AddOrderReal": 0,
    "RemoveOrderReal": 0,
    "GetBusinessDay": {"cases": [{"args": [3], "result": "20240105"},
                                 {"args": [1], "result": ""}]},
    "GetInfo": {"cases": [{"args": [null, ""], "result": "모의투자"},
                          {"args": [null, "1"], "result": ""}]}}})";

class AgentButtons : public testing::Test {
 protected:
  void English() { f.dlg().Click(id::kEnglish); }
  test::FixtureDialog f{kResults};
};

struct RegisterCase {
  std::string key;
  std::string typeText;
  bool english;
  std::string realType;  // as AddReal receives it
  std::string line;
};

class RealRegister : public AgentButtons, public testing::WithParamInterface<RegisterCase> {};

TEST_P(RealRegister, PassesTheKeyAsTypedAndTheTypeAsAtolReadsIt) {
  const RegisterCase& c = GetParam();
  if (c.english) English();
  f.dlg().EditText(id::kRealKey, c.key);
  f.dlg().EditText(id::kRealType, c.typeText);
  f.dlg().Click(id::kRealRegister);
  f.dlg().Click(id::kRealUnregister);
  EXPECT_EQ(f.ArgsOf("AddReal"), std::vector<Texts>{(Texts{c.key, c.realType})});
  EXPECT_EQ(f.ArgsOf("RemoveReal"), std::vector<Texts>{(Texts{c.key, c.realType})});
  EXPECT_EQ(f.Lines(), Texts{c.line});  // the removal logs nothing
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RealRegister,
    testing::Values(
        RegisterCase{"101G3000", "65", false, "65", "실시간 종목[101G3000] 구분[65] 등록결과[7]"},
        RegisterCase{"101G3000  ", "65abc", true, "65",
                     "Market Quotes Real Input Product[101G3000  ] Type[65abc] Register "
                     "Result[7]"},
        RegisterCase{"", "", false, "0", "실시간 종목[] 구분[] 등록결과[7]"},
        RegisterCase{"EUR/USD", " \t-171x", false, "-171",
                     "실시간 종목[EUR/USD] 구분[ \t-171x] 등록결과[7]"},
        RegisterCase{"6EU16", "abc82", true, "0",
                     "Market Quotes Real Input Product[6EU16] Type[abc82] Register Result[7]"}));

TEST_F(AgentButtons, SendOrderPassesTheRecordAsTypedAndLogsTheNumber) {
  f.dlg().EditText(id::kOrderTrCode, "g12001.DO1601&");
  f.dlg().EditText(id::kOrderRecord, "  06801004 6042 ");
  f.dlg().Click(id::kSendOrder);
  English();
  f.dlg().EditText(id::kOrderRecord, "");
  f.dlg().Click(id::kSendOrder);
  EXPECT_EQ(f.ArgsOf("SendOrder"),
            (std::vector<Texts>{{"g12001.DO1601&", "  06801004 6042 "}, {"g12001.DO1601&", ""}}));
  EXPECT_EQ(f.Lines(), (Texts{"주문요청 요청번호[42]", "Request Order No[-3]"}));
}

TEST_F(AgentButtons, OrderFeedUsesTheUserIdOfTheEditAtThePress) {
  f.dlg().EditText(id::kUserId, "alice");
  f.dlg().Click(id::kLogin);
  f.dlg().EditText(id::kUserId, "bob");
  f.dlg().EditText(id::kOrderRealAccount, "06801004   ");
  f.dlg().Log().Clear();
  f.dlg().Click(id::kOrderRealRegister);
  f.dlg().Click(id::kOrderRealRegister);
  f.dlg().Click(id::kOrderRealUnregister);
  English();
  f.dlg().Click(id::kOrderRealRegister);
  f.dlg().Click(id::kOrderRealUnregister);
  const Texts args = {"bob", "06801004   "};
  EXPECT_EQ(f.ArgsOf("AddOrderReal"), (std::vector<Texts>{args, args, args}));
  EXPECT_EQ(f.ArgsOf("RemoveOrderReal"), (std::vector<Texts>{args, args}));
  EXPECT_EQ(f.Lines(), (Texts{"실시간 주문체결/미체결 등록", "실시간 주문체결/미체결 등록",
                              "실시간 주문체결/미체결 해지", "Order Real Input Register",
                              "Order Real Input UnRegister"}));
}

struct OrderFeedCase {
  const char* name;
  ControlId button;
  int32_t result;
  bool english;
  std::string line;
};

class OrderFeedResult : public AgentButtons, public testing::WithParamInterface<OrderFeedCase> {};

// A negative result is a failure and says so with the number; 0 and above
// keep the plain line.
TEST_P(OrderFeedResult, FailureLineCarriesTheResult) {
  const OrderFeedCase& c = GetParam();
  const std::string result = std::to_string(c.result);
  const std::string json =
      R"({"results": {"AddOrderReal": )" + result + R"(, "RemoveOrderReal": )" + result + "}}";
  f.Load(std::u8string(json.begin(), json.end()));
  if (c.english) English();
  f.dlg().Click(c.button);
  EXPECT_EQ(f.Lines(), Texts{c.line});
}

INSTANTIATE_TEST_SUITE_P(
    Results, OrderFeedResult,
    testing::Values(OrderFeedCase{"OtherAccount", id::kOrderRealRegister, -108, false,
                                  "실시간 주문체결/미체결 등록 실패[-108]"},
                    OrderFeedCase{"NoAgentEnglish", id::kOrderRealRegister, -1, true,
                                  "Order Real Input Register Fail[-1]"},
                    OrderFeedCase{"Registered", id::kOrderRealRegister, 0, false,
                                  "실시간 주문체결/미체결 등록"},
                    OrderFeedCase{"PositiveIsSuccess", id::kOrderRealRegister, 3, true,
                                  "Order Real Input Register"},
                    OrderFeedCase{"NotRegistered", id::kOrderRealUnregister, -107, false,
                                  "실시간 주문체결/미체결 해지 실패[-107]"},
                    OrderFeedCase{"NotSignedInEnglish", id::kOrderRealUnregister, -104, true,
                                  "Order Real Input UnRegister Fail[-104]"},
                    OrderFeedCase{"Unregistered", id::kOrderRealUnregister, 0, true,
                                  "Order Real Input UnRegister"}),
    [](const testing::TestParamInfo<OrderFeedCase>& info) { return info.param.name; });

TEST_F(AgentButtons, MasterFileRequestsLogFirstInBothLanguages) {
  struct Row {
    ControlId button;
    std::string kind;
    std::string line;
  };
  const Row rows[] = {{id::kOverseasAllMst, "all", "해외 모든MST파일 정보 서비스 요청"},
                      {id::kOverseasFuturesMst, "futures", "해외 선물MST파일 정보 서비스 요청"},
                      {id::kOverseasOptionMst, "option", "해외 옵션MST파일 정보 서비스 요청"}};
  English();  // the lines have no English form
  for (const Row& r : rows) {
    f.calls.clear();
    f.dlg().Log().Clear();
    f.dlg().Click(r.button);
    EXPECT_EQ(f.ArgsOf("RequestMasterFile"), std::vector<Texts>{(Texts{r.kind, "0"})});
    EXPECT_EQ(f.Lines(), Texts{r.line});
  }
}

TEST(MasterFileRequest, IsLoggedEvenWhenTheCallFails) {
  test::FixtureDialog f(R"({"results": {"RequestMasterFile": {"error": "down"}}})");
  f.dlg().Click(id::kOverseasAllMst);
  EXPECT_EQ(f.Lines(), Texts{"해외 모든MST파일 정보 서비스 요청"});
  EXPECT_EQ(f.rig.host.shown.size(), 1u);
}

TEST_F(AgentButtons, BusinessDaysAndLookupLogTheAnswersAsTheyCome) {
  f.dlg().Click(id::kDomesticTDays);
  f.dlg().Click(id::kOverseasTDays);
  f.dlg().Click(id::kGetInfoTest);
  f.dlg().EditText(id::kInfoName, "");
  f.dlg().Click(id::kGetInfoTest);
  EXPECT_EQ(f.ArgsOf("GetBusinessDay"), (std::vector<Texts>{{"3"}, {"1"}}));
  EXPECT_EQ(f.ArgsOf("GetInfo"),
            (std::vector<Texts>{{"시스템구분", ""}, {"시스템구분", "1"}, {"", ""}, {"", "1"}}));
  EXPECT_EQ(f.Lines(), (Texts{"20240105", "", "모의투자", "", "모의투자", ""}));
}

TEST(LeadingInt32, ReadsAsAtolWithin32Bits) {
  const std::pair<std::string, int32_t> rows[] = {{"65", 65},
                                                  {"65abc", 65},
                                                  {"", 0},
                                                  {"abc", 0},
                                                  {"  +82", 82},
                                                  {"\n-3 4", -3},
                                                  {"- 3", 0},
                                                  {"0x1F", 0},
                                                  {"2147483647", 2147483647},
                                                  {"99999999999", 2147483647},
                                                  {"-99999999999", -2147483647 - 1}};
  for (const auto& [text, value] : rows) EXPECT_EQ(LeadingInt32(text), value) << text;
}

}  // namespace
}  // namespace zqk
