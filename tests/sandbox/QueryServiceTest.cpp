// The sandbox's query services through the agent's ABI: every service
// answers its sample request with the fields the console reads, refuses what
// it cannot answer with a reason, pages where it continues, and draws from
// one deterministic market.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "tests/sandbox/AbiTestHost.h"
#include "tests/support/BuiltFile.h"
#include "tests/support/TempDir.h"

namespace zqk::test {
namespace {

constexpr int32_t kOnTrReply = static_cast<int32_t>(EventDispid::kOnTrReply);
constexpr int32_t kOnRequestMessage = static_cast<int32_t>(EventDispid::kOnRequestMessage);

std::string Pad(std::string_view s, size_t width) {
  std::string out(s);
  out.resize(std::max(width, s.size()), ' ');
  return out;
}

// Three-digit field numbers from 000 to `last`, as the console's samples
// write them.
std::string FieldNumbers(int last) {
  std::string list;
  char number[16];
  for (int i = 0; i <= last; ++i) {
    std::snprintf(number, sizeof number, "%03d", i);
    list += number;
  }
  return list;
}

// The demo user's accounts as the inputs carry them.
const std::string kDomestic = Pad("06801004", 11) + Pad("6042", 8);
const std::string kDomestic2 = Pad("07215003", 11) + Pad("6042", 8);
const std::string kOverseas = "0163043961    ";  // the console's sample
const std::string kOverseas2 = "0158726042    ";
const std::string kFx = "1torem58 0175396042" + std::string(24, ' ');  // the console's sample

struct Answer {
  int32_t rqId = 0;
  bool replied = false;
  std::vector<FiredEvent> messages;  // request messages about this request
};

class SandboxSession {
 public:
  explicit SandboxSession(uint64_t seed = 20160901) {
    const std::filesystem::path settings = dir_ / "sandbox.json";
    std::ofstream(settings) << R"({"replyLatencyMs": 10, "replyJitterMs": 0, "seed": )" << seed
                            << R"(, "clockStart": "2016-09-01T09:00:00"})";
    setenv("ZQK_SANDBOX_SETTINGS", settings.c_str(), 1);
    host = std::make_unique<AbiTestHost>(ZQK_SANDBOX_AGENT);
    EXPECT_EQ(host->Create(kAgentClassId), ZQK_OK);
    host->Long(Dispid::kStartComm, {1});
    host->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"});
    // Half an hour of trading before the first question.
    host->Advance(30 * 60'000);
  }

  Answer Send(bool fid, std::string_view code, std::string_view input,
              std::string_view fieldList = {}, std::string_view key = {}) {
    host->events.clear();
    Answer a;
    const int32_t length = static_cast<int32_t>(input.size());
    a.rqId = fid ? host->Long(Dispid::kRequestFid, {code, input, fieldList, length, key})
                 : host->Long(Dispid::kRequestTr, {code, input, length, key});
    host->Advance(1000);
    for (const FiredEvent& e : host->events) {
      if (e.dispid == kOnTrReply && e.args.at(0).str == code && e.args.at(1).i4 == a.rqId) {
        a.replied = true;
      }
      if (e.dispid == kOnRequestMessage && e.args.at(0).i4 == a.rqId) a.messages.push_back(e);
    }
    return a;
  }

  int32_t Count(std::string_view code, std::string_view record) {
    return host->Long(Dispid::kGetRepeatCount, {code, -1, record});
  }
  std::string Field(std::string_view code, std::string_view record, int32_t row,
                    std::string_view name) {
    return host->Str(Dispid::kGetFieldValue, {code, -1, record, row, name});
  }
  std::string Block(std::string_view code, int32_t offset, int32_t length) {
    return host->Str(Dispid::kGetDataBlock, {code, -1, offset, length, 0, "A"});
  }
  std::string NextKey(int32_t rqId) { return host->Str(Dispid::kGetNextKey, {rqId, ""}); }

  TempDir dir_;
  std::unique_ptr<AbiTestHost> host;
};

struct Fields {
  const char* record;
  std::vector<const char*> names;
};

struct ServiceCase {
  const char* name;
  bool fid;
  const char* code;
  std::string input;
  std::string fieldList;
  std::vector<Fields> fields;  // read from every row of the record
  int32_t minRows;             // of the first record listed
  int32_t rowWidth;            // of the raw block, per row of the first record; 0: none
  int32_t blockLength;         // a fixed raw block; 0: none
};

std::vector<ServiceCase> SampleCases() {
  const std::string es = Pad("ESU16", 32);
  return {
      {"DomesticProductSample",
       false,
       "g11002.DQ0622&",
       "101F",
       "",
       {{"OutRec1", {"종목코드"}}},
       2,
       32,
       0},
      {"SymbolSample",
       true,
       "s20001",
       "101M300020001",
       FieldNumbers(232),
       {{"OutRec1",
         {"단축코드", "한글종목명", "이론가", "전일미결제약정수량　", "현재가", "전일대비　",
          "매도호가5", "매수호가건수5", "델타", "이론가대비"}}},
       1,
       0,
       0},
      {"DomesticFills",
       false,
       "g11002.DQ0107&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "주문번호", "종목코드", "매매구분"}}},
       1,
       0,
       0},
      {"DomesticOpenOrders",
       false,
       "g11002.DQ0104&",
       kDomestic2,
       "",
       {{"OutRec1", {"계좌번호", "주문번호", "종목코드", "매매구분"}}},
       1,
       0,
       0},
      {"OverseasDepositSample",
       false,
       "g11004.AQ0605%",
       kOverseas,
       "",
       {{"OutRec1", {"통화구분", "예탁금총액", "예탁금잔액"}}},
       4,
       0,
       0},
      {"OverseasPriceSample",
       true,
       "o51000",
       es,
       FieldNumbers(37),
       {{"OutRec1", {"종목코드", "국내시간", "현재가", "누적거래량"}}},
       1,
       0,
       0},
      {"ProductService", false, "o51211", "", "", {{"OutRec1", {"처리코드", "종목수"}}}, 1, 0, 0},
      {"FxAssetsSample",
       false,
       "g11004.AQ0901%",
       kFx,
       "",
       {{"OutRec1", {"계좌명", "예탁총액", "위탁증거금", "유지증거금"}}},
       1,
       0,
       0},
      {"FxPriceSample",
       true,
       "x00001",
       Pad("EUR/USD", 10),
       "000001002010",
       {{"OutRec1", {"종목코드", "매도가격", "매수가격", "호가시간"}}},
       1,
       0,
       0},
      {"RecentTicks",
       false,
       "o44005",
       es + "  30",
       "",
       {{"OutRec2", {"일자", "시간", "종가", "체결량"}}},
       30,
       0,
       0},
      {"ItemBoard", false, "l41601", "CL", "", {{"OutRec1", {"종목코드"}}}, 10, 0, 1360},
      {"OverseasPasswordCheck",
       false,
       "g11004.AQ0207%",
       kOverseas,
       "",
       {{"OutRec1", {"처리코드", "처리메시지", "계좌번호", "계좌명", "구분", "일치여부"}}},
       1,
       0,
       0},
      {"OverseasProducts",
       false,
       "o51100",
       "CME",
       "",
       {{"OutRec1", {"종목코드", "종목명", "현재가", "전일대비구분"}}},
       20,
       0,
       0},
      {"MinuteBars",
       false,
       "o51200",
       es,
       "",
       {{"OutRec1", {"일자", "시간", "종가", "체결량"}}},
       20,
       145,
       0},
      {"OverseasOpenOrders",
       false,
       "g11004.AQ0401%",
       kOverseas2,
       "",
       {{"OutRec1", {"주문번호", "계좌번호", "종목코드", "주문가격"}}},
       1,
       226,
       0},
      {"OverseasOrderHistory",
       false,
       "g11004.AQ0408%",
       kOverseas,
       "",
       {{"OutRec1", {"처리일자", "주문번호", "주문/체결구분", "종목코드"}}},
       5,
       226,
       0},
      {"ServerTime", false, "o44011", "", "", {{"OutRec1", {"서버일자", "서버시간"}}}, 1, 0, 0},
      {"NewsTitles", false, "n51003", "", "", {{"OutRec1", {"제목"}}}, 1, 0, 0},
      {"DomesticPasswordCheck",
       false,
       "g11002.DQ0321&",
       kDomestic,
       "",
       {{"OutRec1", {"처리코드", "처리메시지", "계좌번호", "일치여부", "계좌구분"}}},
       1,
       0,
       0},
      {"DomesticHolding",
       false,
       "g11002.DQ0110&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "계좌명", "종목"}}},
       1,
       0,
       0},
      {"ItemPrice",
       false,
       "l41600",
       "CL",
       "",
       {{"OutRec1", {"품목명", "체결시간", "현재가"}}},
       1,
       0,
       0},
      {"UserAccounts",
       false,
       "g11002.CQ0101&",
       "demo",
       "",
       {{"OutRec1", {"사용자ID", "계좌번호", "대출구분", "TMP1"}}},
       5,
       0,
       0},
      {"Bars",
       false,
       "o44010",
       es + "  5  12",
       "",
       {{"OutRec1", {"수신봉개수"}}, {"OutRec2", {"시작일자", "시작시간", "종가", "체결량"}}},
       1,
       0,
       0},
      {"DomesticDeposit",
       false,
       "g11002.DQ0242&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "예탁금액-총액", "주문가능금액"}}},
       1,
       0,
       0},
      {"DomesticFuturesValuation",
       false,
       "g11002.DQ1305&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "종목", "평가손익"}}},
       1,
       0,
       0},
      {"DomesticOptionsValuation",
       false,
       "g11002.DQ1306&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "종목", "평가손익"}}},
       1,
       0,
       0},
      {"DomesticSettlement",
       false,
       "g11002.DQ1303&",
       kDomestic,
       "",
       {{"OutRec1", {"계좌번호", "가결제금액", "평가예탁총액"}}},
       1,
       0,
       0},
      {"ChartData",
       false,
       "v90003",
       es + "D  10",
       "",
       {{"OutRec1", {"차트카운트", "이전키"}},
        {"OutRec2", {"날짜시간", "종가", "시가", "고가", "저가"}}},
       1,
       0,
       0},
  };
}

class ServiceSampleTest : public ::testing::TestWithParam<ServiceCase> {};

TEST_P(ServiceSampleTest, RepliesWithEveryFieldTheConsoleReads) {
  const ServiceCase& c = GetParam();
  SandboxSession s;
  const Answer a = s.Send(c.fid, c.code, c.input, c.fieldList);
  ASSERT_TRUE(a.replied) << c.code;
  EXPECT_TRUE(a.messages.empty()) << c.code << ": " << a.messages.at(0).args.at(2).str;
  const int32_t rows = s.Count(c.code, c.fields.front().record);
  EXPECT_GE(rows, c.minRows) << c.code;
  for (const Fields& f : c.fields) {
    const int32_t n = s.Count(c.code, f.record);
    EXPECT_GE(n, 1) << c.code << " " << f.record;
    for (int32_t row = 0; row < n; ++row) {
      for (const char* name : f.names) {
        EXPECT_NE(s.Field(c.code, f.record, row, name), "")
            << c.code << " " << f.record << "[" << row << "] " << name;
      }
    }
  }
  if (c.rowWidth > 0) {
    const int32_t length = rows * c.rowWidth;
    EXPECT_EQ(s.Block(c.code, 0, length + 100).size(), static_cast<size_t>(length)) << c.code;
  }
  if (c.blockLength > 0) {
    EXPECT_EQ(s.Block(c.code, 0, 100'000).size(), static_cast<size_t>(c.blockLength)) << c.code;
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, ServiceSampleTest, ::testing::ValuesIn(SampleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QueryServiceTest, AccountListLaysOutFortyTwoBytesAnAccount) {
  SandboxSession s;
  const Answer a = s.Send(false, "g11004.AQ0101%", "");
  ASSERT_TRUE(a.replied);
  const std::string data = s.host->Str(Dispid::kGetLastData);
  struct Expected {
    const char* number;
    const char* kind;
  };
  const Expected accounts[] = {
      {"07215003", "1"}, {"06801004", "1"}, {"016304", "2"}, {"015872", "2"}, {"017539", "3"}};
  ASSERT_EQ(data.size(), 5u + 42 * std::size(accounts));
  EXPECT_EQ(data.substr(0, 5), "00005");
  for (size_t k = 0; k < std::size(accounts); ++k) {
    EXPECT_EQ(data.substr(5 + 42 * k, 11), Pad(accounts[k].number, 11));
    EXPECT_EQ(data.substr(46 + 42 * k, 1), accounts[k].kind);
    EXPECT_EQ(data.substr(16 + 42 * k, 30).find_first_not_of(' '), 0u) << "a name, left-aligned";
  }
}

TEST(QueryServiceTest, NewsBodyIsItsHeaderAndSizeBytes) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(false, "n51003", "").replied);
  const std::string id = s.Field("n51003", "OutRec1", 0, "뉴스ID");
  ASSERT_TRUE(s.Send(false, "n51006", id).replied);
  const int32_t size = std::stoi(s.Field("n51006", "OutRec1", 0, "전체사이즈"));
  EXPECT_GT(size, 0);
  const std::string block = s.Block("n51006", 0, size + 266);
  EXPECT_EQ(block.size(), static_cast<size_t>(size) + 266);
  EXPECT_EQ(block.substr(0, 12), id);
  EXPECT_EQ(s.Block("n51006", 0, size + 267), block) << "nothing beyond";
}

TEST(QueryServiceTest, BarCountFollowsTheHeader) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(false, "o44010", Pad("CLV16", 32) + " 15  7").replied);
  EXPECT_EQ(s.Field("o44010", "OutRec1", 0, "수신봉개수"), "7");
  EXPECT_EQ(s.Count("o44010", "OutRec2"), 7);
  EXPECT_GT(s.Field("o44010", "OutRec2", 0, "시작시간"),
            s.Field("o44010", "OutRec2", 1, "시작시간"))
      << "newest first";
}

TEST(QueryServiceTest, BlockReadsStayWithinTheData) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(false, "l41601", "ES").replied);
  struct Case {
    int32_t offset;
    int32_t length;
    size_t expected;
  };
  const Case cases[] = {
      {0, 10, 10},     {1350, 100, 10},     {1359, 1, 1},
      {1360, 1, 0},    {-1, 5, 0},          {0, 0, 0},
      {0, -3, 0},      {5, INT_MAX, 1355},  {INT_MAX, INT_MAX, 0},
      {INT_MIN, 4, 0}, {INT_MAX - 1, 2, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(s.Block("l41601", c.offset, c.length).size(), c.expected)
        << c.offset << "+" << c.length;
  }
  EXPECT_EQ(s.host->Str(Dispid::kGetDataBlock, {"l41601", 82, 0, 10, 0, "A"}), "")
      << "a reply is read with real type -1";
  EXPECT_EQ(s.Field("l41601", "OutRec1", INT_MAX, "종목코드"), "");
  EXPECT_EQ(s.Field("l41601", "OutRec1", -1, "종목코드"), "");
}

struct RefusalCase {
  const char* name;
  bool fid;
  const char* code;
  std::string input;
  std::string fieldList;
  std::string key;
  const char* messageCode;
  const char* text;
};

std::vector<RefusalCase> RefusalCases() {
  const std::string es = Pad("ESU16", 32);
  return {
      {"AnotherUsersAccount", false, "g11002.DQ0107&", Pad("07300001", 11) + Pad("1111", 8), "", "",
       "-108", "등록되지 않은 계좌입니다[07300001]"},
      {"UnknownAccount", false, "g11002.DQ0242&", Pad("12345678", 11) + Pad("6042", 8), "", "",
       "-108", "등록되지 않은 계좌입니다[12345678]"},
      {"NoAccount", false, "g11002.DQ0104&", "", "", "", "-108", "등록되지 않은 계좌입니다"},
      // The 11-byte field ends inside 가: the detail stops before it.
      {"AccountCutInsideACharacter", false, "g11002.DQ0107&", "0680100423가" + Pad("6042", 8), "",
       "", "-108", "등록되지 않은 계좌입니다[0680100423]"},
      {"WrongPassword", false, "g11002.DQ0107&", Pad("06801004", 11) + Pad("0000", 8), "", "",
       "-109", "계좌 비밀번호가 일치하지 않습니다[06801004]"},
      {"AccountOfAnotherMarket", false, "g11004.AQ0605%", "0175396042", "", "", "-114",
       "해당 시장의 계좌가 아닙니다[017539]"},
      {"WrongToken", false, "g11004.AQ0901%", "xxxxxxxx 0175396042", "", "", "-115",
       "사용자 토큰이 일치하지 않습니다"},
      {"UnknownProduct", true, "o51000", Pad("ESX99", 32), "", "", "-113",
       "등록되지 않은 종목입니다[ESX99]"},
      {"ProductOfAnotherMarket", true, "s20001", "ESU16", "", "", "-113",
       "등록되지 않은 종목입니다[ESU16]"},
      {"IndexHasNoSymbolRecord", true, "s20001", "KOSPI200", "", "", "-113",
       "등록되지 않은 종목입니다[KOSPI200]"},
      {"FieldListNotInThrees", true, "s20001", "101G3000", "0001", "", "-117",
       "FID 필드 목록이 올바르지 않습니다[length 4]"},
      {"FieldBeyondTheRecord", true, "x00001", "EUR/USD", "000017", "", "-117",
       "FID 필드 목록이 올바르지 않습니다[017]"},
      {"FieldListWithLetters", true, "o51000", es, "00a", "", "-117",
       "FID 필드 목록이 올바르지 않습니다[00a]"},
      {"CountNotANumber", false, "o44005", es + "abcd", "", "", "-120",
       "입력 형식이 올바르지 않습니다[건수 abcd]"},
      {"CountOutOfRange", false, "o44005", es + "   0", "", "", "-120",
       "입력 형식이 올바르지 않습니다[건수 0]"},
      {"MinutesNotABarSize", false, "o44010", es + "  7", "", "", "-120",
       "입력 형식이 올바르지 않습니다[분 7]"},
      {"BadDate", false, "g11002.DQ0107&", kDomestic + "20161399", "", "", "-120",
       "입력 형식이 올바르지 않습니다[체결일자 20161399]"},
      {"AnotherUsersId", false, "g11002.CQ0101&", "guest", "", "", "-105",
       "로그인한 사용자가 아닙니다[guest]"},
      {"UnknownExchange", false, "o51211", "NOPE", "", "", "-118",
       "등록되지 않은 거래소입니다[NOPE]"},
      {"UnknownItem", false, "l41600", "ZZ", "", "", "-113", "등록되지 않은 종목입니다[ZZ]"},
      {"NewsToCome", false, "n51006", "209912312340", "", "", "-119",
       "해당 뉴스가 없습니다[209912312340]"},
      {"NewsIdMalformed", false, "n51006", "2016", "", "", "-120",
       "입력 형식이 올바르지 않습니다[뉴스ID 2016]"},
      {"BarKeyMalformed", false, "o51200", es, "", "garbage", "-116",
       "연속조회 키가 올바르지 않습니다[garbage]"},
      {"BarKeyInTheFuture", false, "o51200", es, "", "20991231235900", "-116",
       "연속조회 키가 올바르지 않습니다[20991231235900]"},
      {"HistoryKeyBeyondTheEnd", false, "g11004.AQ0408%", kOverseas, "", "0000009999", "-116",
       "연속조회 키가 올바르지 않습니다[0000009999]"},
      {"NewsKeyOffTheGrid", false, "n51003", "", "", "201609010901", "-116",
       "연속조회 키가 올바르지 않습니다[201609010901]"},
  };
}

class ServiceRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ServiceRefusalTest, SaysWhyAndSendsNoReply) {
  const RefusalCase& c = GetParam();
  SandboxSession s;
  const Answer a = s.Send(c.fid, c.code, c.input, c.fieldList, c.key);
  EXPECT_FALSE(a.replied);
  ASSERT_EQ(a.messages.size(), 1u);
  EXPECT_EQ(a.messages[0].args.at(1), S(c.messageCode));
  EXPECT_EQ(a.messages[0].args.at(2), S(c.text));
}

INSTANTIATE_TEST_SUITE_P(Rules, ServiceRefusalTest, ::testing::ValuesIn(RefusalCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QueryServiceTest, AnEmptyListSaysSoBeforeItsReply) {
  SandboxSession s;
  const Answer a = s.Send(false, "g11002.DQ0622&", "999");
  EXPECT_TRUE(a.replied);
  EXPECT_EQ(s.Count("g11002.DQ0622&", "OutRec1"), 0);
  ASSERT_EQ(a.messages.size(), 1u);
  EXPECT_EQ(a.messages[0].args.at(2), S("조회할 내역이 없습니다"));
}

// Filters of the account queries: each row asks for one and counts the rows.
TEST(QueryServiceTest, FiltersNarrowTheRows) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(false, "g11002.DQ0107&", kDomestic).replied);
  const int32_t all = s.Count("g11002.DQ0107&", "OutRec1");
  const std::string day = s.Field("g11002.DQ0107&", "OutRec1", 0, "체결일자");
  struct Case {
    const char* code;
    std::string input;
    int32_t rows;  // -1: as many as without the filter
  };
  const Case cases[] = {
      {"g11002.DQ0107&", kDomestic + day, -1},
      {"g11002.DQ0107&", kDomestic + "20000101", 0},
      {"g11004.AQ0605%", "0163043961USD", 1},
      {"g11004.AQ0605%", "0163043961KRW", 0},
      {"o51100", "OCLV16P", 11},
      {"o51100", "EUREX", 30},
      {"g11002.DQ0622&", "201FC", 9},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(s.Send(false, c.code, c.input).replied) << c.code << " " << c.input;
    EXPECT_EQ(s.Count(c.code, "OutRec1"), c.rows < 0 ? all : c.rows) << c.code << " " << c.input;
  }
}

// A product list shows what trades on the clock's date: on 2016-09-01 the
// March and June 2016 futures have expired and the 2019 options are not
// listed yet.
TEST(QueryServiceTest, ProductListsShowWhatTradesToday) {
  SandboxSession s;
  struct Case {
    const char* code;
    const char* prefix;
    std::vector<std::string> codes;  // empty: only the count is checked
    int32_t rows;
  };
  const Case cases[] = {
      {"g11002.DQ0622&", "101F", {"101F9000", "101FC000"}, 2},
      {"g11002.DQ0622&", "105F", {"105F9000", "105FA000", "105FB000", "105FC000"}, 4},
      {"g11002.DQ0622&", "201JB", {}, 0},
      {"o51100", "ESU16", {"ESU16"}, 1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(s.Send(false, c.code, c.prefix).replied) << c.prefix;
    ASSERT_EQ(s.Count(c.code, "OutRec1"), c.rows) << c.prefix;
    for (size_t i = 0; i < c.codes.size(); ++i) {
      EXPECT_EQ(s.Field(c.code, "OutRec1", static_cast<int32_t>(i), "종목코드"), c.codes[i]);
    }
  }
  // Every row of the whole list: listed by today, not yet expired.
  ASSERT_TRUE(s.Send(false, "g11002.DQ0622&", "").replied);
  const int32_t rows = s.Count("g11002.DQ0622&", "OutRec1");
  EXPECT_GT(rows, 100);
  for (int32_t i = 0; i < rows; ++i) {
    EXPECT_GE(std::stoi(s.Field("g11002.DQ0622&", "OutRec1", i, "최종거래일")), 20160901);
  }
}

TEST(QueryServiceTest, FieldListSelectsTheFields) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(true, "x00001", Pad("EUR/USD", 10), "000001002010").replied);
  EXPECT_NE(s.Field("x00001", "OutRec1", 0, "매도가격"), "");
  EXPECT_EQ(s.Field("x00001", "OutRec1", 0, "종목명"), "") << "field 003 was not asked for";
  ASSERT_TRUE(s.Send(true, "x00001", Pad("EUR/USD", 10), "").replied);
  EXPECT_NE(s.Field("x00001", "OutRec1", 0, "종목명"), "") << "no list: every field";
  // A name that stands at two numbers is there when either is asked for.
  ASSERT_TRUE(s.Send(true, "s20001", "101G3000", "015").replied);  // entry 16 of 233
  EXPECT_NE(s.Field("s20001", "OutRec1", 0, "이론가"), "");
  EXPECT_EQ(s.Field("s20001", "OutRec1", 0, "현재가"), "");
}

// An option's intrinsic value is struck against the index carried to expiry
// at the day's carry: on 2016-09-01 the KOSPI200's dividend yield (1.7 %)
// exceeded the won's rate (1.25 %).
TEST(QueryServiceTest, SymbolRecordCarriesTheIndexAtTheDaysCarry) {
  SandboxSession s;
  ASSERT_TRUE(s.Send(true, "s20001", "201FC240", "").replied);  // deep in the money
  const double index = std::stod(s.Field("s20001", "OutRec1", 0, "KOSPI200지수"));
  const double intrinsic = std::stod(s.Field("s20001", "OutRec1", 0, "내재가치"));
  const double years = std::stod(s.Field("s20001", "OutRec1", 0, "잔존일수")) / 365;
  ASSERT_GT(intrinsic, 0);
  EXPECT_NEAR(intrinsic + 240, index * (1 + (1.25 - 1.7) / 100 * years), 0.02);
}

// Each paged service, followed page by page: what identifies a row, and how
// rows must order from one page to the next.
struct PagingCase {
  const char* name;
  const char* code;
  std::string input;
  std::vector<const char*> identity;  // fields that together identify a row
  int minPages;
};

class PagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(PagingTest, ContinuesOverSeveralPagesWithoutRepeatingARow) {
  const PagingCase& c = GetParam();
  SandboxSession s;
  std::set<std::string> seen;
  std::string key;
  int pages = 0;
  for (; pages < 40; ++pages) {
    const Answer a = s.Send(false, c.code, c.input, {}, key);
    ASSERT_TRUE(a.replied) << c.code << " page " << pages << " key " << key;
    const int32_t rows = s.Count(c.code, "OutRec1");
    ASSERT_GE(rows, 1);
    for (int32_t row = 0; row < rows; ++row) {
      std::string id;
      for (const char* f : c.identity) id += s.Field(c.code, "OutRec1", row, f) + "|";
      EXPECT_TRUE(seen.insert(id).second) << c.code << ": " << id << " shown twice";
    }
    key = s.NextKey(a.rqId);
    if (key.empty()) break;
  }
  EXPECT_GE(pages + 1, c.minPages) << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Services, PagingTest,
    ::testing::Values(
        PagingCase{"MinuteBars", "o51200", Pad("ESU16", 32) + " 60  10", {"일자", "시간"}, 3},
        PagingCase{"OrderHistory",
                   "g11004.AQ0408%",
                   kOverseas,
                   {"주문번호", "주문/체결구분", "처리일자"},
                   3},
        PagingCase{"NewsTitles", "n51003", "  2", {"뉴스ID"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// Newest first holds within one moment too: an order filled as it arrived
// shows its fills above its own line, in both overseas accounts' histories.
TEST(QueryServiceTest, OrderHistoryShowsFillsAboveTheirOrder) {
  for (const std::string& account : {kOverseas, std::string("0158726042")}) {
    SandboxSession s;
    std::set<std::string> ordersSeen;
    int fillsChecked = 0;
    std::string key;
    do {
      const Answer a = s.Send(false, "g11004.AQ0408%", account, {}, key);
      ASSERT_TRUE(a.replied) << account << " key " << key;
      for (int32_t row = 0; row < s.Count("g11004.AQ0408%", "OutRec1"); ++row) {
        const std::string number = s.Field("g11004.AQ0408%", "OutRec1", row, "주문번호");
        if (s.Field("g11004.AQ0408%", "OutRec1", row, "주문/체결구분") != "4") {
          ordersSeen.insert(number);
          continue;
        }
        ++fillsChecked;
        EXPECT_FALSE(ordersSeen.contains(number))
            << account << ": a fill of " << number << " below the order";
      }
      key = s.NextKey(a.rqId);
    } while (!key.empty());
    EXPECT_GT(fillsChecked, 0) << account;
  }
}

TEST(QueryServiceTest, SameSeedSameReplyAndPricesMove) {
  auto price = [](SandboxSession& s, const char* field) {
    EXPECT_TRUE(s.Send(true, "o51000", Pad("ESU16", 32)).replied);
    return s.Field("o51000", "OutRec1", 0, field);
  };
  SandboxSession a;
  SandboxSession b;
  SandboxSession other(77);
  EXPECT_EQ(price(a, "현재가"), price(b, "현재가"));
  EXPECT_EQ(price(a, "누적거래량"), price(b, "누적거래량"));
  EXPECT_NE(price(a, "누적거래량"), price(other, "누적거래량"));
  const int64_t before = std::stoll(price(a, "누적거래량"));
  a.host->Advance(60'000);
  EXPECT_GT(std::stoll(price(a, "누적거래량")), before) << "the market trades on";
}

}  // namespace
}  // namespace zqk::test
