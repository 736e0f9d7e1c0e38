// The decoder table: one row per TR code, in the order the codes are compared.
// A row is a shape (ReplyShapes.h and the reply-specific ones) and its
// parameters; a reply of a new shape adds one shape type and its Decode.
#include "replies/TrReplyDecoders.h"

#include <array>
#include <variant>

#include "protocol/TrCodes.h"
#include "replies/AccountList.h"
#include "replies/MasterFileDecoder.h"
#include "replies/QuoteReplies.h"
#include "replies/ReplyShapes.h"
#include "replies/SymbolRecord.h"

namespace zqk {
namespace {

using namespace reply;
using enum FieldText;

// A field whose label is its own name.
constexpr ReplyField Named(std::string_view name, FieldText text = kAsIs) {
  return {name, name, text};
}

constexpr std::string_view kContinueQuestion = "조회를 계속 할까요?";
constexpr std::string_view kOrderReplyLabel = "주문응답 번호";

constexpr ReplyField kProductCode[] = {{"종목코드"}};
constexpr ReplyField kDomesticOrderReply[] = {
    {"접수구분"}, {"처리구분", "처리"}, Named("계좌번호"), Named("주문번호")};
// The overseas and FX order replies carry a processing code and message where
// the domestic one has its processing kind and account: labelled as such.
constexpr ReplyField kForeignOrderReply[] = {
    {"접수구분"}, Named("처리코드"), Named("처리메시지"), Named("주문번호")};
constexpr ReplyField kDomesticOrderRows[] = {Named("계좌번호", kTrailingTrimmed),
                                             {"주문번호", " 주문번호"},
                                             {"종목코드", " 종목", kTrailingTrimmed},
                                             {"매매구분", " 매매구분"}};
constexpr ReplyField kOverseasDeposit[] = {Named("통화구분", kTrailingTrimmed),
                                           {"예탁금총액", " 예탁금총액"},
                                           {"예탁금잔액", " 예탁금잔액"}};
constexpr ReplyField kFxAssets[] = {Named("계좌명", kTrailingTrimmed),
                                    {"예탁총액", " 예탁총액"},
                                    {"위탁증거금", " 위탁증거금"},
                                    {"유지증거금", " 유지증거금"}};
constexpr ReplyField kDailyRows[] = {{"일자"}, {"시간"}, {"종가"}, {"체결량"}};
constexpr ReplyField kAccountCheck[] = {{"처리코드"}, {"처리메시지"}, {"계좌번호"},
                                        {"계좌명"},   {"구분"},       {"일치여부"}};
constexpr ReplyField kSymbolRows[] = {{"종목코드"}, {"종목명"}, {"현재가"}, {"전일대비구분"}};
constexpr ReplyField kOrderRows[] = {{"주문번호"}, {"계좌번호"}, {"종목코드"}, {"주문가격"}};
constexpr ReplyField kOrderFillRows[] = {
    {"처리일자"}, {"주문번호"}, {"주문/체결구분"}, {"종목코드"}};
constexpr ReplyField kServerTime[] = {{"서버일자", "서버날짜"}, Named("서버시간")};
constexpr ReplyField kTitle[] = {{"제목"}};
constexpr ReplyField kAccountMatch[] = {Named("처리코드"), Named("처리메시지"), Named("계좌번호"),
                                        Named("일치여부"), Named("계좌구분")};
constexpr ReplyField kAccountSymbol[] = {Named("계좌번호"), Named("계좌명"), Named("종목")};
constexpr ReplyField kLastTrade[] = {{"품목명"}, {"체결시간"}, {"현재가"}};
constexpr ReplyField kUserAccounts[] = {Named("사용자ID", kTrailingTrimmed),
                                        {"계좌번호", " 계좌번호"},
                                        {"대출구분", " 대출구분"},
                                        {"TMP1", " TMP1"}};
constexpr ReplyField kBarRows[] = {{"시작일자"}, {"시작시간"}, {"종가"}, {"체결량"}};
constexpr ReplyField kDeposit[] = {Named("계좌번호"), Named("예탁금액-총액"),
                                   Named("주문가능금액")};
constexpr ReplyField kValuation[] = {Named("계좌번호"), Named("종목"), Named("평가손익")};
constexpr ReplyField kSettlement[] = {Named("계좌번호"), Named("가결제금액"),
                                      Named("평가예탁총액")};
constexpr ReplyField kChartSummary[] = {{"차트카운트", "응답개수", kDecimal}, Named("이전키")};
constexpr ReplyField kChartRows[] = {
    {"날짜시간", "DtTm"}, {"종가", " C"}, {"시가", " O"}, {"고가", " H"}, {"저가", " L"}};

// A master file, written beside the executable.
struct MasterFileDownload {
  void Decode(const Reply& r) const { DecodeMasterFile(r.trCode, r.agent, r.out, r.executableDir); }
};

using TrShape =
    std::variant<SingleRecord, RepeatedRecords, FixedLine, FixedBlock, SizedBlock, AccountListBlock,
                 OverseasPriceRecord, FxQuoteRecord, SymbolRecord, MasterFileDownload>;

struct TrDecoder {
  std::string_view trCode;
  TrShape shape;
};

const std::array<TrDecoder, 34> kTrDecoders{{
    {tr::kDomesticProducts, RepeatedRecords{.line = {kProductCode, LineForm::kJoined},
                                            .blockWidth = 32,
                                            .blockForm = BlockLine::kAlone,
                                            .silentWhenEmpty = true}},
    {tr::kDomesticNewOrder, SingleRecord{.line = {kDomesticOrderReply, {}, kOrderReplyLabel}}},
    {tr::kDomesticSymbol, SymbolRecord{}},
    {tr::kDomesticFills,
     RepeatedRecords{
         .header = "국내 체결내역 : 조회", .line = {kDomesticOrderRows}, .countAfter = "체결수량"}},
    {tr::kDomesticOpenOrders, RepeatedRecords{.header = "국내 미체결내역 : 조회",
                                              .line = {kDomesticOrderRows},
                                              .countAfter = "미체결수량"}},
    {tr::kOverseasDeposit,
     RepeatedRecords{.header = "해외 예탁자산 및 증거금 응답", .line = {kOverseasDeposit}}},
    {tr::kOverseasPrice, OverseasPriceRecord{}},
    {tr::kOverseasNewOrder, SingleRecord{.line = {kForeignOrderReply, {}, kOrderReplyLabel}}},
    {tr::kOverseasSymbolService, FixedLine{"해외 종목 서비스 요청 완료!!!"}},
    {tr::kFxAssets, RepeatedRecords{.header = "FX 계좌정보 : 자산내역조회", .line = {kFxAssets}}},
    {tr::kFxMaster, FxQuoteRecord{}},
    {tr::kFxNewOrder, SingleRecord{.line = {kForeignOrderReply, {}, kOrderReplyLabel}}},
    {"o44005",
     RepeatedRecords{.record = kOutRec2, .countBefore = "응답개수", .line = {kDailyRows}}},
    {tr::kAccountList, AccountListBlock{}},
    {"l41601", FixedBlock{1360}},
    {"g11004.AQ0207%", SingleRecord{.line = {kAccountCheck}}},
    {"o51100", RepeatedRecords{.line = {kSymbolRows}}},
    {"o51200",
     RepeatedRecords{.line = {kDailyRows}, .blockWidth = 145, .question = kContinueQuestion}},
    {"g11004.AQ0401%", RepeatedRecords{.line = {kOrderRows}, .blockWidth = 226}},
    {"g11004.AQ0408%",
     RepeatedRecords{.line = {kOrderFillRows}, .blockWidth = 226, .question = kContinueQuestion}},
    {"o44011", SingleRecord{.line = {kServerTime}}},
    {"n51003", SingleRecord{.line = {kTitle}, .question = "n51003 조회를 계속 할까요?"}},
    {"g11002.DQ0321&", SingleRecord{.line = {kAccountMatch}}},
    {"g11002.DQ0110&", SingleRecord{.line = {kAccountSymbol}}},
    {"n51006", SizedBlock{"전체사이즈", 266}},
    {"l41600", SingleRecord{.line = {kLastTrade, LineForm::kJoined}}},
    {"g11002.CQ0101&", RepeatedRecords{.line = {kUserAccounts}}},
    {"o44010", RepeatedRecords{.countField = "수신봉개수",
                               .record = kOutRec2,
                               .countBefore = "응답개수",
                               .line = {kBarRows}}},
    {kMasterFileTrCode, MasterFileDownload{}},
    {"g11002.DQ0242&", SingleRecord{.line = {kDeposit}}},
    {"g11002.DQ1305&", RepeatedRecords{.line = {kValuation}}},
    {"g11002.DQ1306&", RepeatedRecords{.line = {kValuation}}},
    {"g11002.DQ1303&", SingleRecord{.line = {kSettlement}}},
    {"v90003",
     RepeatedRecords{.summary = {kChartSummary}, .record = kOutRec2, .line = {kChartRows}}},
}};

}  // namespace

bool DecodeTrReply(std::string_view trCode, int32_t rqId, AgentReader& agent, DecoderOutput& out,
                   const std::filesystem::path& executableDir) {
  for (const TrDecoder& d : kTrDecoders) {
    if (d.trCode != trCode) continue;
    const Reply reply{d.trCode, rqId, agent, out, executableDir};
    std::visit([&reply](const auto& shape) { shape.Decode(reply); }, d.shape);
    return true;
  }
  return false;
}

}  // namespace zqk
