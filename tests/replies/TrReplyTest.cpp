// TR replies from the fixture agent through the dialog: records in, the exact
// log lines, display edits, boxes and follow-up requests out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

using Lines = std::vector<std::string>;
using test::AgentCall;

// `text` filled with blanks to `width` bytes.
std::string Pad(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string Bracket(const std::string& text) {
  std::string s = "[";
  s.append(text).append("]");
  return s;
}

class TrReplyTest : public testing::Test {
 protected:
  test::FixtureDialog fx;
};

struct ReplyCase {
  const char* name;
  std::string trCode;
  std::u8string_view page;
  Lines lines;
  std::u8string_view results = u8"{}";  // results of the fixture while the reply is decoded
  bool english = false;
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
  *os << c.name;
}

class DecodedLines : public TrReplyTest, public testing::WithParamInterface<ReplyCase> {};

TEST_P(DecodedLines, AreExactlyTheseLines) {
  const ReplyCase& c = GetParam();
  fx.Load(std::u8string(u8R"({"results": )") + std::u8string(c.results) + u8"}");
  if (c.english) fx.dlg().Click(id::kEnglish);
  fx.FireReply(c.trCode, 7, c.page);
  EXPECT_EQ(fx.Lines(), c.lines);
  EXPECT_TRUE(fx.rig.host.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DecodedLines,
    testing::Values(
        ReplyCase{"fills_none",
                  "g11002.DQ0107&",
                  u8"{}",
                  {"국내 체결내역 : 조회[g11002.DQ0107&]", "체결수량[0]"}},
        // Trailing white space goes from the trimmed fields only; leading
        // blanks stay; missing fields give empty brackets.
        ReplyCase{"fills_three_trimmed_and_empty",
                  "g11002.DQ0107&",
                  u8R"({"OutRec1": [
                    {"계좌번호": "06801004   ", "주문번호": "0000123", "종목코드": "101G3000 \t\r\n", "매매구분": "1"},
                    {"계좌번호": "06801004", "주문번호": "0000124 ", "종목코드": "101G3000", "매매구분": "2 "},
                    {"계좌번호": " 07215003"}]})",
                  {"국내 체결내역 : 조회[g11002.DQ0107&]",
                   "계좌번호[06801004] 주문번호[0000123] 종목[101G3000] 매매구분[1]",
                   "계좌번호[06801004] 주문번호[0000124 ] 종목[101G3000] 매매구분[2 ]",
                   "계좌번호[ 07215003] 주문번호[] 종목[] 매매구분[]", "체결수량[3]"},
                  u8"{}",
                  true},
        ReplyCase{
            "open_orders_one",
            "g11002.DQ0104&",
            u8R"({"OutRec1": [{"계좌번호": "06801004", "주문번호": "7", "종목코드": "101G3000", "매매구분": "2"}]})",
            {"국내 미체결내역 : 조회[g11002.DQ0104&]",
             "계좌번호[06801004] 주문번호[7] 종목[101G3000] 매매구분[2]", "미체결수량[1]"}},
        ReplyCase{"code_in_other_letter_case_is_ignored",
                  "G11002.DQ0107&",
                  u8R"({"OutRec1": [{"계좌번호": "06801004"}]})",
                  {}},
        ReplyCase{"code_with_trailing_blank_is_ignored", "o51211 ", u8"{}", {}},
        ReplyCase{"products_none_logs_not_even_the_block",
                  "g11002.DQ0622&",
                  u8R"({"block": "101G3000"})",
                  {}},
        ReplyCase{"products_two_then_block_alone",
                  "g11002.DQ0622&",
                  u8R"({"OutRec1": [{"종목코드": "101G3000"}, {"종목코드": "201G3250"}],
                        "block": {"concat": [{"text": "101G3000", "width": 32},
                                             {"text": "201G3250", "width": 32}, "surplus"]}})",
                  {"101G3000", "201G3250", Pad("101G3000", 32) + Pad("201G3250", 32)}},
        ReplyCase{"daily_rows_none_still_log_an_empty_block",
                  "o51200",
                  u8R"({"block": "unused"})",
                  {"[]"}},
        ReplyCase{
            "daily_rows_two_and_their_145_byte_rows",
            "o51200",
            u8R"({"OutRec1": [{"일자": "20240102", "시간": "090000", "종가": "4501.25", "체결량": "3"},
                                    {"일자": "20240102", "시간": "090100", "종가": "4502.00", "체결량": "1"}],
                        "block": {"text": "R", "width": 400}})",
            {"[20240102][090000][4501.25][3]", "[20240102][090100][4502.00][1]",
             Bracket(Pad("R", 290))}},
        ReplyCase{
            "domestic_order_reply_with_its_rqid",
            "g12001.DO1601&",
            u8R"({"OutRec1": {"접수구분": "0", "처리구분": "1", "계좌번호": "06801004", "주문번호": "0000125"}})",
            {"주문응답 번호[7][0]처리[1]계좌번호[06801004]주문번호[0000125]"}},
        ReplyCase{
            "overseas_order_reply_labels_code_and_message",
            "g12003.AO0401%",
            u8R"({"OutRec1": {"접수구분": "0", "처리코드": "0000", "처리메시지": "정상 처리", "주문번호": "12"}})",
            {"주문응답 번호[7][0]처리코드[0000]처리메시지[정상 처리]주문번호[12]"}},
        ReplyCase{"daily_rows_of_outrec2_counted_first",
                  "o44005",
                  u8R"({"OutRec1": [{"일자": "ignored"}],
                        "OutRec2": [{"일자": "20240102", "시간": "0900", "종가": "1.5", "체결량": "2"},
                                    {"일자": "20240103"}]})",
                  {"응답개수[2]", "[20240102][0900][1.5][2]", "[20240103][][][]"}},
        ReplyCase{"account_list_header_0",
                  "g11004.AQ0101%",
                  u8R"({"lastData": "00000"})",
                  {"계좌정보 수신완료!!!"}},
        ReplyCase{"account_list_header_2_fields_unchanged",
                  "g11004.AQ0101%",
                  u8R"({"lastData": {"concat": ["00002",
                          {"text": "016304", "width": 11}, {"text": "모의 해외선물", "width": 30}, "1",
                          {"text": "06801004", "width": 11}, {"text": "국내 계좌", "width": 30}, "2"]}})",
                  {"계좌정보 수신완료!!!", "[016304     ][" + Pad("모의 해외선물", 30) + "][1]",
                   "[06801004   ][" + Pad("국내 계좌", 30) + "][2]"}},
        ReplyCase{"account_list_cut_off_last_record",
                  "g11004.AQ0101%",
                  u8R"({"lastData": {"concat": ["00003",
                          {"text": "016304", "width": 11}, {"text": "A", "width": 30}, "1",
                          {"text": "06801004", "width": 11}, {"text": "B", "width": 30}, "2",
                          "07215003   국내"]}})",
                  {"계좌정보 수신완료!!!", "[016304     ][" + Pad("A", 30) + "][1]",
                   "[06801004   ][" + Pad("B", 30) + "][2]", "[07215003   ][국내][]",
                   "계좌정보 건수[3] 중 자료[104바이트]에 온전한 것은 [2]건입니다, 잘린 마지막 "
                   "건은 온 그대로 표시했습니다"}},
        ReplyCase{"account_list_header_larger_than_its_data",
                  "g11004.AQ0101%",
                  u8R"({"lastData": {"concat": ["00009", {"text": "016304", "width": 42}]}})",
                  {"계좌정보 수신완료!!!", "[016304     ][" + Pad("", 30) + "][ ]",
                   "Account list: [1] of [9] records complete in its [47] bytes"},
                  u8"{}",
                  true},
        ReplyCase{"account_list_header_not_a_number",
                  "g11004.AQ0101%",
                  u8R"({"lastData": {"concat": ["x0002", {"text": "016304", "width": 84}]}})",
                  {"계좌정보 수신완료!!!"}},
        ReplyCase{"symbol_rows_none", "o51100", u8"{}", {}},
        ReplyCase{"user_accounts_none", "g11002.CQ0101&", u8"{}", {}},
        // The bar lines follow the count field, not the repeat count.
        ReplyCase{"bars_follow_their_count_field",
                  "o44010",
                  u8R"({"OutRec1": {"수신봉개수": " 003 bars"},
                        "OutRec2": [{"시작일자": "20240102", "시작시간": "0900", "종가": "7.5", "체결량": "9"},
                                    {}, {}, {}, {}]})",
                  {"응답개수[3]", "[20240102][0900][7.5][9]", "[][][][]", "[][][][]"}},
        ReplyCase{"bars_count_without_digits",
                  "o44010",
                  u8R"({"OutRec1": {"수신봉개수": "없음"}, "OutRec2": [{"종가": "1"}]})",
                  {"응답개수[0]"}},
        ReplyCase{
            "deposit_labels_name_their_fields",
            "g11002.DQ0242&",
            u8R"({"OutRec1": {"계좌번호": "06801004", "예탁금액-총액": "1000", "주문가능금액": "800"}})",
            {"계좌번호[06801004]예탁금액-총액[1000]주문가능금액[800]"}},
        ReplyCase{"chart_count_read_as_a_number",
                  "v90003",
                  u8R"({"OutRec1": {"차트카운트": "0002", "이전키": "K9"},
                        "OutRec2": [{"날짜시간": "202401020900", "종가": "4", "시가": "1", "고가": "5", "저가": "0.5"},
                                    {"날짜시간": "202401020901"}]})",
                  {"응답개수[2]이전키[K9]", "DtTm[202401020900] C[4] O[1] H[5] L[0.5]",
                   "DtTm[202401020901] C[] O[] H[] L[]"}},
        // Bad input from the agent.
        ReplyCase{"repeat_count_beyond_what_the_reply_holds",
                  "g11002.DQ0107&",
                  u8R"({"OutRec1": [{"계좌번호": "06801004"}], "lastData": "123456789"})",
                  {"국내 체결내역 : 조회[g11002.DQ0107&]",
                   "계좌번호[06801004] 주문번호[] 종목[] 매매구분[]",
                   "계좌번호[] 주문번호[] 종목[] 매매구분[]",
                   "[g11002.DQ0107&] 반복 건수[2147483647]는 응답 자료[9]바이트에 담길 수 없어 "
                   "[2]건만 읽었습니다",
                   "체결수량[2147483647]"},
                  u8R"({"GetRepeatCount": 2147483647})"},
        ReplyCase{
            "repeat_count_and_block_beyond_the_reply",
            "o51200",
            u8R"({"OutRec1": [{"일자": "20240102"}], "lastData": {"text": "", "width": 300}})",
            {"[20240102][][][]", "[][][][]",
             "[o51200] repeat count[2147483647] is more than the reply's [300] bytes can "
             "hold: [2] records read",
             "[o51200] block length[311385128815] is too large: not read"},
            u8R"({"GetRepeatCount": 2147483647})",
            true},
        ReplyCase{"negative_repeat_count_asks_an_empty_block",
                  "g11004.AQ0408%",
                  u8R"({"OutRec1": [{"처리일자": "x"}], "block": "unused"})",
                  {"[]"},
                  u8R"({"GetRepeatCount": -5})"},
        ReplyCase{"bar_count_beyond_an_empty_reply",
                  "o44010",
                  u8R"({"OutRec1": {"수신봉개수": "99999999999"}})",
                  {"응답개수[2147483647]",
                   "[o44010] 반복 건수[2147483647]는 응답 자료[0]바이트에 담길 수 없어 [0]건만 "
                   "읽었습니다"}},
        ReplyCase{"values_with_nul_and_invalid_bytes_kept_whole",
                  "o51100",
                  u8R"({"OutRec1": [{"종목코드": {"hex": "41 00 42"}, "종목명": {"hex": "ff fe 80"},
                                     "현재가": {"hex": "00"}}]})",
                  {std::string("[A\0B][\xFF\xFE\x80][\0][]", 15)}}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

TEST_F(TrReplyTest, AnUnknownCodeReadsNothing) {
  fx.FireReply("G11002.DQ0107&", 7, u8R"({"OutRec1": [{"계좌번호": "1"}]})");
  fx.FireReply("v90002", 8, u8"{}");
  EXPECT_TRUE(fx.calls.empty());
  EXPECT_TRUE(fx.Lines().empty());
}

TEST_F(TrReplyTest, AFailedReadAbandonsTheReplyAndKeepsEarlierLines) {
  fx.Load(
      u8R"({"results": {"GetFieldValue": {"cases": [
      {"args": [null, null, null, 1], "result": {"error": "통신 장애"}}]}}})");
  fx.FireReply("g11002.DQ0107&", 7,
               u8R"({"OutRec1": [{"계좌번호": "A"}, {"계좌번호": "B"}, {"계좌번호": "C"}]})");
  EXPECT_EQ(fx.Lines(), (Lines{"국내 체결내역 : 조회[g11002.DQ0107&]",
                               "계좌번호[A] 주문번호[] 종목[] 매매구분[]"}));
  ASSERT_EQ(fx.rig.host.shown.size(), 1u);
  EXPECT_EQ(fx.rig.host.shown[0].icon, MessageBoxIcon::kError);
}

// The symbol record: every entry of row 0, all read before the first line,
// each line the entry's label directly followed by the value without its
// surrounding white space.
TEST_F(TrReplyTest, SymbolRecordReadsRowZeroWholeThenLogsEveryEntry) {
  fx.dlg().Log().AddListener([this](LogChange change) {
    if (change == LogChange::kAppended) fx.calls.push_back({"AddLog", {}});
  });
  fx.FireReply("s20001", 7,
               u8R"({"OutRec1": [
      {"단축코드": " \t ", "한글종목명": " 코스피200 F 202403 ", "현재가": "  123.45 ",
       "이론가": "1.5", "전일미결제약정수량　": "77", "전일대비　": "-0.5"},
      {"현재가": "999"}]})");
  ASSERT_EQ(fx.calls.size(), 2u * 233);
  for (size_t i = 0; i < 233; ++i) {
    ASSERT_EQ(fx.calls[i].name, "GetFieldValue") << i;
    EXPECT_EQ(std::vector<std::string>(fx.calls[i].args.begin(), fx.calls[i].args.begin() + 4),
              (std::vector<std::string>{"s20001", "-1", "OutRec1", "0"}));
    EXPECT_EQ(fx.calls[233 + i].name, "AddLog") << i;
  }
  const Lines lines = fx.Lines();
  EXPECT_EQ(lines[0], "[단축코드]");
  EXPECT_EQ(lines[2], "[한글종목명]코스피200 F 202403");
  EXPECT_EQ(lines[51], "[현재가]123.45");
  EXPECT_EQ(lines[29], "[전일미결제약정수량　]77");
  EXPECT_EQ(lines[29].substr(lines[29].size() - 5), "\xA1\xA1]77");
  EXPECT_EQ(lines[56], "[전일대비　]-0.5");
  EXPECT_EQ(lines[57], "[누적거래량]");
  for (size_t at : {14u, 15u, 116u}) EXPECT_EQ(lines[at], "[이론가]1.5") << at;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[이론가]1.5"), 3);
}

// Quote replies fill the display edits; the overseas price runs the agent's
// conversion chain, each step on the result of the one before.
struct QuoteCase {
  const char* name;
  std::string trCode;
  std::u8string_view page;
  std::vector<std::string> display;  // edits 1027 to 1030
  Lines lines;
  std::vector<AgentCall> conversions;
};

void PrintTo(const QuoteCase& c, std::ostream* os) {
  *os << c.name;
}

class QuoteDisplay : public TrReplyTest, public testing::WithParamInterface<QuoteCase> {};

TEST_P(QuoteDisplay, FillsTheEditsAndLogs) {
  const QuoteCase& c = GetParam();
  fx.Load(u8R"({"results": {"FormatValue": ["F1", "F2", "F3", "F4", "F5"]}})");
  // The edits hold the reply before its first record line is logged.
  std::vector<std::string> atFirstLine;
  fx.dlg().Log().AddListener([&](LogChange change) {
    if (change == LogChange::kAppended && fx.dlg().Log().Count() == 2) {
      for (int id = 1027; id <= 1030; ++id) atFirstLine.push_back(fx.model().Text(ControlId{id}));
    }
  });
  fx.FireReply(c.trCode, 7, c.page);
  EXPECT_EQ(atFirstLine, c.display);
  EXPECT_EQ(fx.Lines(), c.lines);
  EXPECT_EQ(fx.CallsOf("FormatValue"), c.conversions);
}

INSTANTIATE_TEST_SUITE_P(
    Quotes, QuoteDisplay,
    testing::Values(
        QuoteCase{
            "overseas_price",
            "o51000",
            u8R"({"OutRec1": {"종목코드": "ESH24", "국내시간": "093000", "현재가": "450025", "누적거래량": "1200"}})",
            {"ESH24", "093000", "F1", "1200"},
            {"해외 현재가시세응답[o51000]", "FID 종목[ESH24]시간[093000]현재가[450025]거래량[1200]",
             "FID Recv[450025]->[F2]->[F3]->[F4]->[F5]"},
            {{"FormatValue", {"ESH24", "450025", "0"}},
             {"FormatValue", {"ESH24", "450025", "0"}},
             {"FormatValue", {"ESH24", "F2", "1"}},
             {"FormatValue", {"ESH24", "F3", "2"}},
             {"FormatValue", {"ESH24", "F4", "0"}}}},
        QuoteCase{
            "fx_quote_ask_as_price_bid_as_volume",
            "x00001",
            u8R"({"OutRec1": {"종목코드": "EURUSD", "매도가격": "1.0871", "매수가격": "1.0869", "호가시간": "101500"}})",
            {"EURUSD", "101500", "1.0871", "1.0869"},
            {"FX 마스터데이타[x00001]",
             "FID 종목[EURUSD]시간[101500]매도가격[1.0871]매수가격[1.0869]"},
            {}}),
    [](const testing::TestParamInfo<QuoteCase>& info) { return std::string(info.param.name); });

// The size reply asks for a block of its size field plus 266 bytes, logs it
// and shows the same line in an OK box; a size whose sum leaves the 32-bit
// range is refused before anything is asked.
struct SizedCase {
  const char* size;
  const char* askedLength;  // nullptr: nothing asked
  Lines lines;
};

void PrintTo(const SizedCase& c, std::ostream* os) {
  *os << "size " << c.size;
}

class SizedBlockReply : public TrReplyTest, public testing::WithParamInterface<SizedCase> {};

TEST_P(SizedBlockReply, AsksSizePlus266) {
  const SizedCase& c = GetParam();
  const std::u8string size(reinterpret_cast<const char8_t*>(c.size));
  fx.FireReply("n51006", 7,
               u8R"({"OutRec1": {"전체사이즈": ")" + size + u8R"("}, "block": "0123456789"})");
  const std::vector<AgentCall> asked = fx.CallsOf("GetDataBlock");
  if (c.askedLength) {
    EXPECT_EQ(
        asked,
        (std::vector<AgentCall>{{"GetDataBlock", {"n51006", "-1", "0", c.askedLength, "0", "A"}}}));
    ASSERT_EQ(fx.rig.host.shown.size(), 1u);
    EXPECT_EQ(fx.rig.host.shown[0].text, c.lines.back());
    EXPECT_EQ(fx.rig.host.shown[0].buttons, MessageBoxButtons::kOk);
  } else {
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(fx.rig.host.shown.empty());
  }
  EXPECT_EQ(fx.Lines(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SizedBlockReply,
    testing::Values(SizedCase{"100", "366", {"[0123456789]"}}, SizedCase{"-1000", "0", {"[]"}},
                    SizedCase{"2147483381", "2147483647", {"[0123456789]"}},
                    SizedCase{"2147483382",
                              nullptr,
                              {"[n51006] 블록 길이[2147483648]가 너무 커서 읽지 않았습니다"}}));

// The paging decoders ask whether to go on when the reply has a continuation
// key; on Yes the query edits are sent again with that key.
struct PagingCase {
  const char* name;
  std::string trCode;
  std::u8string_view nextKey;
  MessageBoxResult answer;
  const char* question;           // nullptr: no box
  std::vector<AgentCall> resent;  // the requests that follow
  bool fidMode = false;
};

void PrintTo(const PagingCase& c, std::ostream* os) {
  *os << c.name;
}

class Paging : public TrReplyTest, public testing::WithParamInterface<PagingCase> {};

TEST_P(Paging, AsksAndResendsOnYes) {
  const PagingCase& c = GetParam();
  fx.Load(u8R"({"results": {"GetCommState": 1, "RequestTr": 102, "RequestFid": 202}})");
  fx.dlg().EditText(id::kTrCode, "o51200");
  fx.dlg().EditText(id::kTrInput, "ESH24");
  fx.dlg().EditText(id::kFidCode, "o51200");
  fx.dlg().EditText(id::kFidInput, "ESH24");
  fx.dlg().EditText(id::kFidFieldList, "000001");
  if (c.fidMode) fx.dlg().Click(id::kFidMode);
  fx.rig.host.answers.push_back(c.answer);
  fx.FireReply(c.trCode, 7,
               std::u8string(u8R"({"OutRec1": {"제목": "t"}, "nextKey": ")") +
                   std::u8string(c.nextKey) + u8"\"}");

  EXPECT_EQ(fx.CallsOf("GetNextKey"), (std::vector<AgentCall>{{"GetNextKey", {"7", ""}}}));
  if (c.question) {
    ASSERT_EQ(fx.rig.host.shown.size(), 1u);
    EXPECT_EQ(fx.rig.host.shown[0].text, c.question);
    EXPECT_EQ(fx.rig.host.shown[0].caption, "라온벼리누리");
    EXPECT_EQ(fx.rig.host.shown[0].buttons, MessageBoxButtons::kYesNo);
  } else {
    EXPECT_TRUE(fx.rig.host.shown.empty());
  }
  std::vector<AgentCall> requests = fx.CallsOf("RequestTr");
  for (const AgentCall& fid : fx.CallsOf("RequestFid")) requests.push_back(fid);
  EXPECT_EQ(requests, c.resent);
  if (!c.resent.empty()) {
    EXPECT_EQ(fx.Lines().back(), c.fidMode ? "요청한 RQID[202]" : "요청한 RQID[102]");
  }
  EXPECT_EQ(fx.dlg().m_strNextKey, "");
}

INSTANTIATE_TEST_SUITE_P(
    Continuations, Paging,
    testing::Values(
        PagingCase{"yes_resends_with_the_key",
                   "o51200",
                   u8"NEXT0001",
                   MessageBoxResult::kYes,
                   "조회를 계속 할까요?",
                   {{"RequestTr", {"o51200", "ESH24", "5", "NEXT0001"}}}},
        PagingCase{"no_drops_the_key",
                   "g11004.AQ0408%",
                   u8"K2",
                   MessageBoxResult::kNo,
                   "조회를 계속 할까요?",
                   {}},
        PagingCase{"titles_ask_their_own_question",
                   "n51003",
                   u8"K3",
                   MessageBoxResult::kYes,
                   "n51003 조회를 계속 할까요?",
                   {{"RequestTr", {"o51200", "ESH24", "5", "K3"}}}},
        PagingCase{"fid_mode_resends_the_fid_query",
                   "g11004.AQ0408%",
                   u8"K4",
                   MessageBoxResult::kYes,
                   "조회를 계속 할까요?",
                   {{"RequestFid", {"o51200", "ESH24", "000001", "5", "K4"}}},
                   true},
        PagingCase{"empty_key_asks_nothing", "o51200", u8"", MessageBoxResult::kYes, nullptr, {}}),
    [](const testing::TestParamInfo<PagingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zqk
