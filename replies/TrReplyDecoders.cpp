// The decoder table: one row per TR code, in the order the codes are compared.
// A row is a shape (ReplyShapes.h and the reply-specific ones) and its
// parameters; a reply of a new shape adds one shape type and its Decode.
#include "replies/TrReplyDecoders.h"

#include <array>
#include <string>
#include <variant>

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
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
namespace f = field;

// Bytes of a block row of the code's reply.
int32_t BlockWidth(std::string_view code) {
  return static_cast<int32_t>(protocol::BlockRowWidth(code));
}

// A field whose label is its own name.
constexpr ReplyField Named(std::string_view name, FieldText text = kAsIs) {
  return {name, name, text};
}

constexpr std::string_view kContinueQuestion = "조회를 계속 할까요?";
constexpr std::string_view kOrderReplyLabel = "주문응답 번호";
// The news titles' question names their code.
const std::string kNewsQuestion = std::string(tr::kNewsTitles).append(" 조회를 계속 할까요?");

constexpr ReplyField kProductCode[] = {{f::kProductCode}};
constexpr ReplyField kDomesticOrderReply[] = {
    {f::kReceiptKind}, {f::kProcessKind, "처리"}, Named(f::kAccountNumber), Named(f::kOrderNumber)};
// The overseas and FX order replies carry a processing code and message where
// the domestic one has its processing kind and account: labelled as such.
constexpr ReplyField kForeignOrderReply[] = {
    {f::kReceiptKind}, Named(f::kProcessCode), Named(f::kProcessMessage), Named(f::kOrderNumber)};
constexpr ReplyField kDomesticOrderRows[] = {Named(f::kAccountNumber, kTrailingTrimmed),
                                             {f::kOrderNumber, " 주문번호"},
                                             {f::kProductCode, " 종목", kTrailingTrimmed},
                                             {f::kBuySell, " 매매구분"}};
constexpr ReplyField kOverseasDeposit[] = {Named(f::kCurrencyKind, kTrailingTrimmed),
                                           {f::kDepositSum, " 예탁금총액"},
                                           {f::kDepositBalance, " 예탁금잔액"}};
constexpr ReplyField kFxAssets[] = {Named(f::kAccountName, kTrailingTrimmed),
                                    {f::kDepositAmount, " 예탁총액"},
                                    {f::kInitialMargin, " 위탁증거금"},
                                    {f::kMaintenanceMargin, " 유지증거금"}};
constexpr ReplyField kDailyRows[] = {{f::kDate}, {f::kTime}, {f::kClose}, {f::kTradeVolume}};
constexpr ReplyField kAccountCheck[] = {{f::kProcessCode},   {f::kProcessMessage},
                                        {f::kAccountNumber}, {f::kAccountName},
                                        {f::kKind},          {f::kPasswordMatch}};
constexpr ReplyField kSymbolRows[] = {
    {f::kProductCode}, {f::kProductName}, {f::kCurrentPrice}, {f::kChangeSign}};
constexpr ReplyField kOrderRows[] = {
    {f::kOrderNumber}, {f::kAccountNumber}, {f::kProductCode}, {f::kOrderPrice}};
constexpr ReplyField kOrderFillRows[] = {
    {f::kProcessDate}, {f::kOrderNumber}, {f::kOrderOrFill}, {f::kProductCode}};
constexpr ReplyField kServerTime[] = {{f::kServerDate, "서버날짜"}, Named(f::kServerTime)};
constexpr ReplyField kTitle[] = {{f::kTitle}};
constexpr ReplyField kAccountMatch[] = {Named(f::kProcessCode), Named(f::kProcessMessage),
                                        Named(f::kAccountNumber), Named(f::kPasswordMatch),
                                        Named(f::kAccountKind)};
constexpr ReplyField kAccountSymbol[] = {Named(f::kAccountNumber), Named(f::kAccountName),
                                         Named(f::kProduct)};
constexpr ReplyField kLastTrade[] = {{f::kItemName}, {f::kFillTime}, {f::kCurrentPrice}};
constexpr ReplyField kUserAccounts[] = {Named(f::kUserId, kTrailingTrimmed),
                                        {f::kAccountNumber, " 계좌번호"},
                                        {f::kLoanKind, " 대출구분"},
                                        {f::kTmp1, " TMP1"}};
constexpr ReplyField kBarRows[] = {
    {f::kStartDate}, {f::kStartTime}, {f::kClose}, {f::kTradeVolume}};
constexpr ReplyField kDeposit[] = {Named(f::kAccountNumber), Named(f::kDepositTotal),
                                   Named(f::kOrderable)};
constexpr ReplyField kValuation[] = {Named(f::kAccountNumber), Named(f::kProduct),
                                     Named(f::kValuationProfit)};
constexpr ReplyField kSettlement[] = {Named(f::kAccountNumber), Named(f::kProvisionalSettlement),
                                      Named(f::kValuedDeposit)};
constexpr ReplyField kChartSummary[] = {{f::kChartCount, "응답개수", kDecimal},
                                        Named(f::kPreviousKey)};
constexpr ReplyField kChartRows[] = {
    {f::kDateTime, "DtTm"}, {f::kClose, " C"}, {f::kOpen, " O"}, {f::kHigh, " H"}, {f::kLow, " L"}};

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

// The block widths come with the codes' layouts: the decoders ask for the
// rows that the replies carry.
const std::array<TrDecoder, 34> kTrDecoders{{
    {tr::kDomesticProducts, RepeatedRecords{.line = {kProductCode, LineForm::kJoined},
                                            .blockWidth = BlockWidth(tr::kDomesticProducts),
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
    {tr::kRecentTrades,
     RepeatedRecords{.record = kOutRec2, .countBefore = "응답개수", .line = {kDailyRows}}},
    {tr::kAccountList, AccountListBlock{}},
    {tr::kItemBoard, FixedBlock{static_cast<int32_t>(protocol::FixedBlockLength(tr::kItemBoard))}},
    {tr::kOverseasPasswordCheck, SingleRecord{.line = {kAccountCheck}}},
    {tr::kOverseasProducts, RepeatedRecords{.line = {kSymbolRows}}},
    {tr::kMinuteBars, RepeatedRecords{.line = {kDailyRows},
                                      .blockWidth = BlockWidth(tr::kMinuteBars),
                                      .question = kContinueQuestion}},
    {tr::kOverseasOpenOrders,
     RepeatedRecords{.line = {kOrderRows}, .blockWidth = BlockWidth(tr::kOverseasOpenOrders)}},
    {tr::kOverseasOrderHistory, RepeatedRecords{.line = {kOrderFillRows},
                                                .blockWidth = BlockWidth(tr::kOverseasOrderHistory),
                                                .question = kContinueQuestion}},
    {tr::kServerTime, SingleRecord{.line = {kServerTime}}},
    {tr::kNewsTitles, SingleRecord{.line = {kTitle}, .question = kNewsQuestion}},
    {tr::kDomesticPasswordCheck, SingleRecord{.line = {kAccountMatch}}},
    {tr::kDomesticHolding, SingleRecord{.line = {kAccountSymbol}}},
    {tr::kNewsBody,
     SizedBlock{f::kTotalSize, static_cast<int32_t>(protocol::BlockHeaderWidth(tr::kNewsBody))}},
    {tr::kItemPrice, SingleRecord{.line = {kLastTrade, LineForm::kJoined}}},
    {tr::kUserAccounts, RepeatedRecords{.line = {kUserAccounts}}},
    {tr::kBars, RepeatedRecords{.countField = f::kBarCount,
                                .record = kOutRec2,
                                .countBefore = "응답개수",
                                .line = {kBarRows}}},
    {tr::kMasterFile, MasterFileDownload{}},
    {tr::kDomesticDeposit, SingleRecord{.line = {kDeposit}}},
    {tr::kDomesticFuturesValuation, RepeatedRecords{.line = {kValuation}}},
    {tr::kDomesticOptionsValuation, RepeatedRecords{.line = {kValuation}}},
    {tr::kDomesticSettlement, SingleRecord{.line = {kSettlement}}},
    {tr::kChartData,
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
