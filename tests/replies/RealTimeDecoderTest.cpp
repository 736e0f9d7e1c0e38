// Real-time records through the fixture agent and the dialog's OnRealData:
// each real type's lines and display, the trimming, and the order-number
// filter of the order feed. No key is ever registered with AddReal: data for
// any key is decoded like any other.
#include <gtest/gtest.h>

#include <optional>

#include "replies/RealTimeDecoder.h"
#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

using test::Fields;
using test::Texts;

struct RealCase {
  int32_t realType;
  Fields fields;
  std::string block;
  Texts lines;
  std::optional<Texts> display = std::nullopt;  // 1027 to 1030, when the record sets them
};

class RealTypes : public testing::TestWithParam<RealCase> {};

const Fields kTrade = {
    {"종목코드", "101G3000 "}, {"체결시간", " 090001"}, {"현재가", "250.10"}, {"누적거래량", "12"}};
const Fields kOrder = {{"주문번호", " 0000123 "},
                       {"종목코드", "101G3000\t"},
                       {"매매구분", " 1 "},
                       {"주문가격", "250.10 "},
                       {"주문수량", "3 "}};

TEST_P(RealTypes, LogAndDisplayAsTheTableSays) {
  const RealCase& c = GetParam();
  test::FixtureDialog f;
  f.FireReal("NOT-REGISTERED", c.realType, c.fields, c.block);
  EXPECT_EQ(f.Lines(), c.lines);
  const Texts display = {f.model().Text(id::kRealProduct), f.model().Text(id::kRealTime),
                         f.model().Text(id::kRealPrice), f.model().Text(id::kRealVolume)};
  EXPECT_EQ(display, c.display.value_or(Texts(4)));
  EXPECT_TRUE(f.rig.host.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RealTypes,
    testing::Values(
        RealCase{58,
                 {{"kfutcode", "101G3000  "},
                  {"hotime", " 090001 "},
                  {"offerho1", "250.10\r\n"},
                  {"bidho1", "250.05"}},
                 "",
                 {"호가실시간 kfutcode[101G3000]hotime[ 090001]offerho1[250.10]bidho1[250.05]"}},
        RealCase{65, kTrade, "", {}, Texts{"101G3000 ", " 090001", "250.10", "12"}},
        RealCase{71, kTrade, "", {}, Texts{"101G3000 ", " 090001", "250.10", "12"}},
        RealCase{101,
                 {{"지수", "250.10  "}, {"전일비", " -1.5 "}, {"등락율", "0.6"}},
                 "",
                 {"지수[250.10]전일비[ -1.5]등락율[0.6]"}},
        RealCase{171,
                 {{"단축코드", "EUR/USD "},
                  {"호가시간", "090001"},
                  {"매도호가", " 1.0852"},
                  {"매수호가", "1.0850 "}},
                 "",
                 {"FX시세  종목[EUR/USD ] 호가시간[090001] 매도호가[ 1.0852]매수호가[1.0850 ]"},
                 Texts{"EUR/USD ", "090001", " 1.0852", "1.0850 "}},
        RealCase{
            181, kOrder, "", {"주문접수 번호[ 0000123]종목[101G3000]매매[ 1 ]가격[250.10]수량[3]"}},
        RealCase{183, {}, "", {"리얼번호[183] 수신!"}},
        RealCase{184,
                 {{"계좌번호", "06801004   "}, {"주문가능금액", " 1000 "}},
                 "",
                 {"리얼번호[184]계좌번호[06801004   ]주문가능금액[ 1000 ]"}},
        RealCase{188,
                 {{"계좌번호", "06801004"}, {"주문가능금액", "5"}},
                 "",
                 {"리얼번호[188]계좌번호[06801004]주문가능금액[5]"}},
        RealCase{
            193,
            {{"종목코드", "6EU16 "}, {"매매구분", "2 "}, {"청산가격", "1.1 "}, {"청산수량", "1 "}},
            "",
            {"청산 종목[6EU16]매매[2 ]가격[1.1]수량[1]"}},
        RealCase{199,
                 kOrder,
                 "",
                 {"Yes미체결 주문번호[ 0000123]종목[101G3000]매매[ 1 ]가격[250.10]수량[3]"}},
        RealCase{208, {}, "0123456789ABCDEFGHIJ", {"0123456789ABCDE"}},
        RealCase{51, kTrade, "", {}}, RealCase{52, kTrade, "", {}}, RealCase{66, kTrade, "", {}},
        RealCase{75, kTrade, "", {}}, RealCase{187, kOrder, "", {}},
        RealCase{50, kTrade, "", {"[50] 알수없는 실시간 요청값"}},
        RealCase{209, {}, "", {"[209] 알수없는 실시간 요청값"}},
        RealCase{-1, {}, "", {"[-1] 알수없는 실시간 요청값"}}));

TEST(RawBlock, IsReadUnderTheKeyZero) {
  test::FixtureDialog f;
  f.FireReal("101G3000", 208, {}, "0123456789ABCDEF");
  EXPECT_EQ(f.ArgsOf("GetDataBlock"), (std::vector<Texts>{{"0", "208", "0", "15", "0", "A"}}));
}

TEST(OverseasTrade, ConvertsThePriceInAChainAndShowsTheBlockStart) {
  // Each conversion answers from the result of the one before.
  test::FixtureDialog f(R"({"results": {"FormatValue": {"cases": [
      {"args": [null, "12345", 0], "result": "123.45"},
      {"args": [null, "123.45", 1], "result": "f1"},
      {"args": [null, "f1", 2], "result": "f2"},
      {"args": [null, "f2", 0], "result": "f3"}]}}})");
  f.FireReal("6EU16", 82,
             {{"종목코드", "6EU16"},
              {"기준체결시간", "153000"},
              {"체결가", "12345"},
              {"누적거래량", "77"}},
             std::string("AB가나다라마바사아자차카").append(200, 'x'));
  EXPECT_EQ(f.Lines(), (Texts{"Real 82 Recv[12345]->[123.45]->[f1]->[f2]->[f3]", "AB가나다라"}));
  EXPECT_EQ(f.model().Text(id::kRealProduct), "6EU16");
  EXPECT_EQ(f.model().Text(id::kRealTime), "153000");
  EXPECT_EQ(f.model().Text(id::kRealPrice), "123.45");
  EXPECT_EQ(f.model().Text(id::kRealVolume), "77");
  EXPECT_EQ(f.ArgsOf("FormatValue"), (std::vector<Texts>{{"6EU16", "12345", "0"},
                                                         {"6EU16", "12345", "0"},
                                                         {"6EU16", "123.45", "1"},
                                                         {"6EU16", "f1", "2"},
                                                         {"6EU16", "f2", "0"}}));
  EXPECT_EQ(f.ArgsOf("GetDataBlock"), (std::vector<Texts>{{"6EU16", "82", "0", "230", "0", "A"}}));
}

// A sequence of order-feed records and what the log shows of it.
struct FilterCase {
  std::string name;
  std::vector<std::pair<int32_t, std::string>> records;  // real type, order number
  Texts lines;
  std::string lastOrderNo;
};

class OrderFilter : public testing::TestWithParam<FilterCase> {};

Fields OrderRecord(int32_t realType, const std::string& orderNo) {
  Fields fields = {{"주문번호", orderNo}, {"종목코드", "ES "}, {"매매구분", "1 "}};
  const std::vector<std::string_view> rest =
      realType == 185 ? std::vector<std::string_view>{"체결가격", "체결수량", "체결시간"}
      : realType == 192 ? std::vector<std::string_view>{"진입가격", "진입수량"}
      : realType == 197 ? std::vector<std::string_view>{}
                        : std::vector<std::string_view>{"주문가격", "주문수량", "잔량"};
  for (std::string_view name : rest) fields.emplace_back(name, "9 ");
  if (realType == 196 || realType == 197) {
    fields.emplace_back("처리코드", " 0000 ");
    fields.emplace_back("처리메세지", " 정상 ");
  }
  return fields;
}

TEST_P(OrderFilter, LogsOnlyTheRecordsOfTheLastAcceptedOrder) {
  const FilterCase& c = GetParam();
  test::FixtureDialog f;
  for (const auto& [realType, orderNo] : c.records) {
    f.FireReal("06801004", realType, OrderRecord(realType, orderNo));
  }
  EXPECT_EQ(f.Lines(), c.lines);
  EXPECT_EQ(f.dlg().m_strLastOrderNo, c.lastOrderNo);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, OrderFilter,
    testing::Values(FilterCase{"NothingBeforeAnAcceptanceThenEveryFilteredType",
                               {{182, "7"},
                                {185, "7"},
                                {186, "7"},
                                {189, "7"},
                                {191, "7"},
                                {192, "7"},
                                {181, "7  "},
                                {182, "7"},
                                {185, "7"},
                                {186, "7"},
                                {189, "7"},
                                {191, "7"},
                                {192, "7"}},
                               {"주문접수 번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "미체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]잔량[9]",
                                "체결 주문번호[7]종목[ES ]매매[1 ]가격[9 ]수량[9 ]체결시간[9 ]",
                                "미체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "미체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "미청산 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]"},
                               "7"},
                    FilterCase{"AnEmptyNumberPassesBeforeAnyAcceptance",
                               {{186, ""}, {186, "8"}},
                               {"미체결 주문번호[]종목[ES]매매[1 ]가격[9]수량[9]"},
                               ""},
                    FilterCase{"TheFillComparesItsNumberUntrimmed",
                               {{181, "7"}, {185, "7 "}, {182, "7 "}},
                               {"주문접수 번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "미체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]잔량[9]"},
                               "7"},
                    FilterCase{"TheSecondAcceptanceTrimsBothEnds",
                               {{196, "  8 "}, {186, "8"}},
                               {"[196] 주문접수코드[0000][정상]",
                                "[196] 주문접수 번호[8]종목[ES]매매[1 ]가격[9]수량[9]",
                                "미체결 주문번호[8]종목[ES]매매[1 ]가격[9]수량[9]"},
                               "8"},
                    FilterCase{"TheThirdAcceptanceTrimsTheRightOnly",
                               {{197, " 9 "}, {189, "9"}, {189, " 9"}},
                               {"주문접수 번호[ 9]처리코드[ 0000]처리메시지[ 정상]",
                                "체결 주문번호[ 9]종목[ES]매매[1 ]가격[9]수량[9]"},
                               " 9"},
                    FilterCase{"ALaterAcceptanceReplacesTheNumber",
                               {{181, "7"}, {181, "8"}, {185, "7"}, {199, "7"}},
                               {"주문접수 번호[7]종목[ES]매매[1 ]가격[9]수량[9]",
                                "주문접수 번호[8]종목[ES]매매[1 ]가격[9]수량[9]",
                                "Yes미체결 주문번호[7]종목[ES]매매[1 ]가격[9]수량[9]"},
                               "8"}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zqk
