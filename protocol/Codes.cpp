#include "protocol/Codes.h"

#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

using enum Operation;
constexpr std::optional<Market> kDomestic = Market::kDomestic;
constexpr std::optional<Market> kOverseas = Market::kOverseas;
constexpr std::optional<Market> kFx = Market::kFxMargin;
constexpr bool kDecoded = true;
constexpr bool kNotDecoded = false;

constexpr CodeInfo kCodes[] = {
    // Domestic futures and options.
    {tr::kDomesticProducts, kDomestic, kTrQuery, "국내 종목 목록", "Domestic products", kDecoded,
     "futures and options whose code starts with the input, of those that trade on the clock's "
     "date"},
    {tr::kDomesticFills, kDomestic, kTrQuery, "국내 체결내역", "Domestic fills of the account",
     kDecoded},
    {tr::kDomesticOpenOrders, kDomestic, kTrQuery, "국내 미체결내역",
     "Domestic open orders of the account", kDecoded},
    {tr::kDomesticPasswordCheck, kDomestic, kTrQuery, "국내 계좌 비밀번호 확인",
     "Whether the password matches", kDecoded, "일치여부 Y or N"},
    {tr::kDomesticHolding, kDomestic, kTrQuery, "국내 보유종목", "A holding of the account",
     kDecoded},
    {tr::kUserAccounts, kDomestic, kTrQuery, "사용자 계좌목록", "The user's accounts", kDecoded},
    {tr::kDomesticDeposit, kDomestic, kTrQuery, "국내 예탁금 및 주문가능금액",
     "Deposit and orderable amount", kDecoded},
    {tr::kDomesticFuturesValuation, kDomestic, kTrQuery, "국내 선물 평가손익",
     "Futures positions valued now", kDecoded},
    {tr::kDomesticOptionsValuation, kDomestic, kTrQuery, "국내 옵션 평가손익",
     "Option positions valued now", kDecoded},
    {tr::kDomesticSettlement, kDomestic, kTrQuery, "국내 가결제 및 평가예탁",
     "Settlement and valued deposit", kDecoded},
    {tr::kDomesticSymbol, kDomestic, kFidQuery, "국내 종목 상세",
     "The 233-field record of a domestic future or option", kDecoded,
     "the FID field list numbers the fields 000 to 232 in the order of the record"},
    {tr::kDomesticNewOrder, kDomestic, kOrder, "국내 신규주문", "Domestic new order", kDecoded},
    {tr::kDomesticAmendOrder, kDomestic, kOrder, "국내 정정주문", "Domestic amend order",
     kNotDecoded},
    {tr::kDomesticCancelOrder, kDomestic, kOrder, "국내 취소주문", "Domestic cancel order",
     kNotDecoded},
    {tr::kDomesticCmeNewOrder, kDomestic, kOrder, "국내 CME 신규주문",
     "Domestic night-session (CME) new order", kNotDecoded},
    {tr::kDomesticCmeAmendOrder, kDomestic, kOrder, "국내 CME 정정주문",
     "Domestic night-session (CME) amend order", kNotDecoded},
    {tr::kDomesticCmeCancelOrder, kDomestic, kOrder, "국내 CME 취소주문",
     "Domestic night-session (CME) cancel order", kNotDecoded},

    // Overseas futures and options.
    {tr::kAccountList, kOverseas, kTrQuery, "계좌목록", "The user's accounts", kDecoded,
     "raw data, which GetLastData returns too"},
    {tr::kOverseasDeposit, kOverseas, kTrQuery, "해외 예탁자산 및 증거금",
     "Overseas deposit and margin by currency", kDecoded},
    {tr::kOverseasPasswordCheck, kOverseas, kTrQuery, "해외 계좌 비밀번호 확인",
     "Whether the password matches (overseas or FX account)", kDecoded},
    {tr::kOverseasOpenOrders, kOverseas, kTrQuery, "해외 미체결내역", "Overseas open orders",
     kDecoded},
    {tr::kOverseasOrderHistory, kOverseas, kTrQuery, "해외 주문체결내역",
     "Overseas orders and fills", kDecoded, "five lines a page, newest first"},
    {tr::kOverseasPrice, kOverseas, kFidQuery, "해외 현재가", "Overseas price (prices raw)",
     kDecoded},
    {tr::kOverseasProducts, kOverseas, kTrQuery, "해외 종목 시세 목록",
     "Overseas products with their prices", kDecoded, "of those that trade on the clock's date"},
    {tr::kOverseasSymbolService, kOverseas, kTrQuery, "해외 종목 서비스",
     "The overseas product service: products per exchange", kDecoded},
    {tr::kRecentTrades, kOverseas, kTrQuery, "해외 최근 체결", "The latest trades, newest first",
     kDecoded, "rows in OutRec2"},
    {tr::kMinuteBars, kOverseas, kTrQuery, "해외 분봉", "Minute bars, newest first", kDecoded,
     "paged back to the start of yesterday"},
    {tr::kBars, kOverseas, kTrQuery, "해외 봉 조회", "Bars with their count, newest first",
     kDecoded, "OutRec1 수신봉개수, rows in OutRec2"},
    {tr::kServerTime, kOverseas, kTrQuery, "서버 시각", "Server date and time", kDecoded},
    {tr::kNewsTitles, kOverseas, kTrQuery, "뉴스 제목", "News titles, newest first", kDecoded,
     "paged"},
    {tr::kNewsBody, kOverseas, kTrQuery, "뉴스 본문", "A news item (raw data)", kDecoded},
    {tr::kItemPrice, kOverseas, kTrQuery, "품목 현재가",
     "An overseas futures family's front contract", kDecoded,
     "품목명, 체결시간, 현재가 padded to read as columns"},
    {tr::kItemBoard, kOverseas, kTrQuery, "품목 시세판",
     "The family's first ten contracts (raw data)", kDecoded},
    {tr::kChartData, std::nullopt, kTrQuery, "차트 자료", "Chart bars, newest first", kDecoded,
     "이전키 continues with older bars"},
    {tr::kOverseasNewOrder, kOverseas, kOrder, "해외 신규주문", "Overseas new order", kDecoded},
    {tr::kOverseasAmendOrder, kOverseas, kOrder, "해외 정정주문", "Overseas amend order",
     kNotDecoded},
    {tr::kOverseasCancelOrder, kOverseas, kOrder, "해외 취소주문", "Overseas cancel order",
     kNotDecoded},
    {tr::kMasterFile, kOverseas, kMasterFile, "마스터파일", "Master file download", kDecoded,
     "one reply per file"},

    // FX margin.
    {tr::kFxAssets, kFx, kTrQuery, "FX 계좌 자산내역", "FX margin account assets (in USD)",
     kDecoded},
    {tr::kFxMaster, kFx, kFidQuery, "FX 시세", "FX pair quote", kDecoded,
     "매도가격 the ask, 매수가격 the bid"},
    {tr::kFxNewOrder, kFx, kOrder, "FX 신규주문", "FX margin new order", kDecoded},
    {tr::kFxAmendOrder, kFx, kOrder, "FX 정정주문", "FX margin amend order", kNotDecoded},
    {tr::kFxCancelOrder, kFx, kOrder, "FX 취소주문", "FX margin cancel order", kNotDecoded},
};

}  // namespace

std::span<const CodeInfo> AllCodes() {
  return kCodes;
}

const CodeInfo* FindCode(std::string_view code) {
  for (const CodeInfo& c : kCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

std::string_view OperationName(Operation operation) {
  switch (operation) {
    case kTrQuery:
      return "RequestTr";
    case kFidQuery:
      return "RequestFid";
    case kOrder:
      return "SendOrder";
    case kMasterFile:
      return "RequestMasterFile";
  }
  return {};
}

std::string_view MarketName(std::optional<Market> market) {
  if (!market) return "any";
  switch (*market) {
    case Market::kDomestic:
      return "domestic";
    case Market::kOverseas:
      return "overseas";
    case Market::kFxMargin:
      return "FX margin";
  }
  return {};
}

}  // namespace zqk::protocol
