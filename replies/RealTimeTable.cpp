#include "replies/RealTimeTable.h"

#include <algorithm>
#include <array>

#include "protocol/FieldNames.h"
#include "protocol/RealTypes.h"

namespace zqk {
namespace {

namespace f = field;

constexpr std::string_view kBestQuote[] = {f::kFutCode, f::kHoTime, f::kOfferHo[0], f::kBidHo[0]};
constexpr std::string_view kTrade[] = {f::kProductCode, f::kFillTime, f::kCurrentPrice, f::kVolume};
constexpr std::string_view kOverseasTrade[] = {f::kProductCode, f::kReferenceTime, f::kTradePrice,
                                               f::kVolume};
constexpr std::string_view kIndex[] = {f::kIndexValue, f::kIndexChange, f::kChangeRateFeed};
constexpr std::string_view kFxQuote[] = {f::kShortCode, f::kQuoteTime, f::kAsk, f::kBid};
constexpr std::string_view kOrder[] = {f::kOrderNumber, f::kProductCode, f::kBuySell,
                                       f::kOrderPrice, f::kOrderQuantity};
constexpr std::string_view kOpenOrder[] = {f::kOrderNumber, f::kProductCode,   f::kBuySell,
                                           f::kOrderPrice,  f::kOrderQuantity, f::kRemaining};
constexpr std::string_view kAvailable[] = {f::kAccountNumber, f::kOrderable};
constexpr std::string_view kFill[] = {f::kOrderNumber, f::kProductCode,  f::kBuySell,
                                      f::kFillPrice,   f::kFillQuantity, f::kFillTime};
constexpr std::string_view kPosition[] = {f::kOrderNumber, f::kProductCode, f::kBuySell,
                                          f::kEntryPrice, f::kEntryQuantity};
constexpr std::string_view kClose[] = {f::kProductCode, f::kBuySell, f::kClosePrice,
                                       f::kCloseQuantity};
constexpr std::string_view kAcceptance[] = {
    f::kOrderNumber,   f::kProductCode, f::kBuySell,           f::kOrderPrice,
    f::kOrderQuantity, f::kProcessCode, f::kProcessMessageFeed};
constexpr std::string_view kAcceptanceCode[] = {f::kOrderNumber, f::kProcessCode,
                                                f::kProcessMessageFeed};

constexpr int8_t kFirst3[] = {0, 1, 2};
constexpr int8_t kFirst4[] = {0, 1, 2, 3};
constexpr int8_t kFirst5[] = {0, 1, 2, 3, 4};
constexpr int8_t kFirst6[] = {0, 1, 2, 3, 4, 5};
constexpr int8_t kTypeOnly[] = {kRealTypeArg};
constexpr int8_t kTypeFirst2[] = {kRealTypeArg, 0, 1};
constexpr int8_t kTypeCodeMessage[] = {kRealTypeArg, 5, 6};
constexpr int8_t kTypeFirst5[] = {kRealTypeArg, 0, 1, 2, 3, 4};

constexpr RealLine kBestQuoteLine[] = {
    {"호가실시간 kfutcode[%s]hotime[%s]offerho1[%s]bidho1[%s]", kFirst4}};
constexpr RealLine kIndexLine[] = {{"지수[%s]전일비[%s]등락율[%s]", kFirst3}};
constexpr RealLine kFxQuoteLine[] = {
    {"FX시세  종목[%s] 호가시간[%s] 매도호가[%s]매수호가[%s]", kFirst4}};
constexpr RealLine kAcceptedLine[] = {
    {"주문접수 번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kFirst5}};
constexpr RealLine kOpenOrderLine[] = {
    {"미체결 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]잔량[%s]", kFirst6}};
constexpr RealLine kReceivedLine[] = {{"리얼번호[%d] 수신!", kTypeOnly}};
constexpr RealLine kAvailableLine[] = {{"리얼번호[%d]계좌번호[%s]주문가능금액[%s]", kTypeFirst2}};
constexpr RealLine kFillLine[] = {
    {"체결 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]체결시간[%s]", kFirst6}};
constexpr RealLine kOutstandingLine[] = {
    {"미체결 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kFirst5}};
constexpr RealLine kFilledLine[] = {{"체결 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kFirst5}};
constexpr RealLine kPositionLine[] = {
    {"미청산 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kFirst5}};
constexpr RealLine kCloseLine[] = {{"청산 종목[%s]매매[%s]가격[%s]수량[%s]", kFirst4}};
constexpr RealLine kAcceptanceLines[] = {
    {"[%d] 주문접수코드[%s][%s]", kTypeCodeMessage},
    {"[%d] 주문접수 번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kTypeFirst5}};
constexpr RealLine kAcceptanceCodeLine[] = {
    {"주문접수 번호[%s]처리코드[%s]처리메시지[%s]", kFirst3}};
constexpr RealLine kYesOutstandingLine[] = {
    {"Yes미체결 주문번호[%s]종목[%s]매매[%s]가격[%s]수량[%s]", kFirst5}};

using enum RealAction;
using enum RealTrim;

constexpr RealTypeRow Silent(int32_t realType) {
  return {.realType = realType, .action = kSilent};
}

// A row that reads fields and logs lines, with no display and no order numbers.
constexpr RealTypeRow Logged(int32_t realType, std::span<const std::string_view> fields,
                             RealTrim trim, std::span<const RealLine> lines) {
  return {.realType = realType, .action = kFields, .fields = fields, .trim = trim, .lines = lines};
}

// A record of the order feed that is logged only for the last accepted order.
constexpr RealTypeRow Filtered(int32_t realType, std::span<const std::string_view> fields,
                               RealTrim trim, std::span<const RealLine> lines) {
  RealTypeRow row = Logged(realType, fields, trim, lines);
  row.filtered = true;
  return row;
}

// An order acceptance: its order number becomes the last accepted one.
constexpr RealTypeRow Acceptance(int32_t realType, std::span<const std::string_view> fields,
                                 RealTrim trim, std::span<const RealLine> lines) {
  RealTypeRow row = Logged(realType, fields, trim, lines);
  row.accepts = true;
  return row;
}

// A domestic trade: the quote display only, no line.
constexpr RealTypeRow DisplayedTrade(int32_t realType) {
  return {.realType = realType, .action = kFields, .fields = kTrade, .display = true};
}

constexpr std::array kRows{
    Silent(real::kDomesticBook),
    Silent(real::kOverseasBook),
    Logged(real::kDomesticBestQuotes, kBestQuote, kRight, kBestQuoteLine),
    DisplayedTrade(real::kDomesticTrade),
    Silent(real::kOptionModel),
    DisplayedTrade(real::kDomesticTradeAlt),
    Silent(real::kFxBook),
    RealTypeRow{.realType = real::kOverseasTrade,
                .action = kTradeQuote,
                .fields = kOverseasTrade,
                .display = true},
    Logged(real::kIndex, kIndex, kRight, kIndexLine),
    RealTypeRow{.realType = real::kFxQuote,
                .action = kFields,
                .fields = kFxQuote,
                .display = true,
                .lines = kFxQuoteLine},
    Acceptance(real::kDomesticAcceptance, kOrder, kRight, kAcceptedLine),
    Filtered(real::kDomesticOpenOrder, kOpenOrder, kRight, kOpenOrderLine),
    Logged(real::kDomesticConfirmation, {}, kNone, kReceivedLine),
    Logged(real::kDomesticAvailable, kAvailable, kNone, kAvailableLine),
    Filtered(real::kDomesticFill, kFill, kNone, kFillLine),
    Filtered(real::kOverseasOpenOrder, kOrder, kRight, kOutstandingLine),
    Silent(real::kForeignConfirmation),
    Logged(real::kForeignAvailable, kAvailable, kNone, kAvailableLine),
    Filtered(real::kForeignFill, kOrder, kRight, kFilledLine),
    Filtered(real::kFxOpenOrder, kOrder, kRight, kOutstandingLine),
    Filtered(real::kPosition, kPosition, kRight, kPositionLine),
    Logged(real::kClose, kClose, kRight, kCloseLine),
    Acceptance(real::kOverseasAcceptance, kAcceptance, kBoth, kAcceptanceLines),
    Acceptance(real::kFxAcceptance, kAcceptanceCode, kRight, kAcceptanceCodeLine),
    Logged(real::kOpenOrderList, kOrder, kRight, kYesOutstandingLine),
    RealTypeRow{.realType = real::kServerClock, .action = kRawBlock},
};

// The table's own consistency, checked by the compiler: rows in ascending
// real type, at most kMaxRealFields fields and line arguments, one argument
// per placeholder (%d exactly for the real type),
// arguments within the row's fields, the order number first where it is
// compared or stored, and four fields for the display.
constexpr bool LineMatchesRow(const RealLine& line, const RealTypeRow& row) {
  size_t arg = 0;
  for (size_t i = 0; i + 1 < line.format.size(); ++i) {
    if (line.format[i] != '%') continue;
    const char kind = line.format[++i];
    if (arg == line.args.size()) return false;
    const int8_t a = line.args[arg++];
    if (kind == 'd' && a != kRealTypeArg) return false;
    if (kind == 's' && (a < 0 || static_cast<size_t>(a) >= row.fields.size())) return false;
    if (kind != 'd' && kind != 's') return false;
  }
  return arg == line.args.size();
}

constexpr bool TableIsConsistent() {
  for (size_t r = 0; r < kRows.size(); ++r) {
    const RealTypeRow& row = kRows[r];
    if (r > 0 && kRows[r - 1].realType >= row.realType) return false;
    if (row.fields.size() > kMaxRealFields) return false;
    for (const RealLine& line : row.lines) {
      if (line.args.size() > kMaxRealFields || !LineMatchesRow(line, row)) return false;
    }
    if ((row.filtered || row.accepts) &&
        (row.fields.empty() || row.fields[0] != kOrderNumberField)) {
      return false;
    }
    if (row.display && row.fields.size() != 4) return false;
  }
  return true;
}
static_assert(TableIsConsistent());

}  // namespace

const RealTypeRow* FindRealTypeRow(int32_t realType) {
  const auto it = std::ranges::lower_bound(kRows, realType, {}, &RealTypeRow::realType);
  return it != kRows.end() && it->realType == realType ? &*it : nullptr;
}

}  // namespace zqk
