#include "protocol/RealTypes.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "protocol/FieldNames.h"
#include "protocol/ReplyFields.h"

namespace zqk::protocol {
namespace {

using namespace fields;
namespace f = field;
using Names = std::array<std::string_view, 5>;

// A five-level book: the product and the quote time, then level by level the
// ask and bid prices, sizes and order counts, then the total sizes.
struct BookNames {
  std::string_view product;
  std::string_view time;
  const Names& askPrices;
  const Names& bidPrices;
  const Names& askSizes;
  const Names& bidSizes;
  const Names& askCounts;
  const Names& bidCounts;
  std::string_view totalAsk;
  std::string_view totalBid;
};

constexpr std::array<Field, 34> Book(const BookNames& n) {
  std::array<Field, 34> book{};
  size_t i = 0;
  book[i++] = Code(n.product, 32);
  book[i++] = Time(n.time);
  for (size_t level = 0; level < 5; ++level) {
    book[i++] = Decimal(n.askPrices[level]);
    book[i++] = Decimal(n.bidPrices[level]);
    book[i++] = Digits(n.askSizes[level]);
    book[i++] = Digits(n.bidSizes[level]);
    book[i++] = Digits(n.askCounts[level]);
    book[i++] = Digits(n.bidCounts[level]);
  }
  book[i++] = Digits(n.totalAsk);
  book[i++] = Digits(n.totalBid);
  return book;
}

constexpr auto kBook = Book({f::kProductCode, f::kQuoteTime, f::kAskLevels, f::kBidLevels,
                             f::kAskLevelSizes, f::kBidLevelSizes, f::kAskLevelCounts,
                             f::kBidLevelCounts, f::kTotalAskSize, f::kTotalBidSize});
// The domestic best quotes, with their Latin names.
constexpr auto kBestQuotes =
    Book({f::kFutCode, f::kHoTime, f::kOfferHo, f::kBidHo, f::kOfferRem, f::kBidRem, f::kOfferCnt,
          f::kBidCnt, f::kTotOfferRem, f::kTotBidRem});

constexpr Field kDomesticTrade[] = {
    Code(f::kProductCode, 32),
    Time(f::kFillTime),
    Decimal(f::kCurrentPrice),
    Digits(f::kTradeVolume),
    Digits(f::kVolume, 15),
    Code(f::kTradeSide, 1),
    Decimal(f::kOpen),
    Decimal(f::kHigh),
    Decimal(f::kLow),
    Decimal(f::kChange),
    Decimal(f::kChangeRateFeed, 8),
    Decimal(f::kAskLevels[0]),
    Decimal(f::kBidLevels[0]),
};

constexpr Field kOptionModel[] = {
    Code(f::kProductCode, 32),
    Time(f::kTime),
    Decimal(f::kTheoreticalPrice),
    Decimal(f::kDelta),
    Decimal(f::kGamma),
    Decimal(f::kTheta),
    Decimal(f::kVega),
    Decimal(f::kImpliedVolatility, 8),
};

// The overseas trade, prices raw; its block holds the same fields, in this
// order: the first 10 bytes are the start of the product code.
constexpr Field kOverseasTrade[] = {
    Code(f::kProductCode, 32), Date(f::kFillDate),      Time(f::kReferenceTime),
    Decimal(f::kTradePrice),   Digits(f::kTradeVolume), Digits(f::kVolume, 15),
    Decimal(f::kOpen),         Decimal(f::kHigh),       Decimal(f::kLow),
    Decimal(f::kPrevClose),    Decimal(f::kChange),     Decimal(f::kChangeRateFeed, 8),
    Decimal(f::kAsk),          Decimal(f::kBid),        Digits(f::kAskSize),
    Digits(f::kBidSize),       Code(f::kTradeSide, 1),  Digits(f::kTradeCount),
};
constexpr BlockLayout kOverseasTradeBlock{.header = kOverseasTrade};
static_assert(Width(kOverseasTrade) == 230);

constexpr Field kIndex[] = {
    Code(f::kSectorCode, 8),  Time(f::kTime),
    Decimal(f::kIndexValue),  Decimal(f::kOpen),
    Decimal(f::kHigh),        Decimal(f::kLow),
    Decimal(f::kIndexChange), Decimal(f::kChangeRateFeed, 8),
};

constexpr Field kFxQuote[] = {
    Code(f::kShortCode, 10), Code(f::kProductCode, 10), Time(f::kQuoteTime),
    Decimal(f::kAsk),        Decimal(f::kBid),          Digits(f::kAskSize),
    Digits(f::kBidSize),     Decimal(f::kCurrentPrice), Decimal(f::kHigh),
    Decimal(f::kLow),
};

// The server's clock and the market state ("1": open); the block holds the
// same fields.
constexpr Field kServerClock[] = {Date(f::kDate), Time(f::kTime), Code(f::kMarketState, 1)};
constexpr BlockLayout kServerClockBlock{.header = kServerClock};

// --- The order feed: every record has the account number.

constexpr Field kAcceptance[] = {
    Account(f::kAccountNumber),       Digits(f::kOrderNumber),  Digits(f::kOriginalOrder),
    Code(f::kProductCode, 32),        Code(f::kBuySell, 1),     Code(f::kPriceType, 1),
    Code(f::kFillCondition, 1),       Decimal(f::kOrderPrice),  Decimal(f::kStopPrice),
    Digits(f::kOrderQuantity),        Code(f::kReceiptKind, 1), Code(f::kProcessCode, 4),
    Text(f::kProcessMessageFeed, 80), Time(f::kReceiptTime),
};
constexpr Field kOpenOrder[] = {
    Account(f::kAccountNumber), Digits(f::kOrderNumber),   Digits(f::kOriginalOrder),
    Code(f::kProductCode, 32),  Code(f::kBuySell, 1),      Code(f::kPriceType, 1),
    Decimal(f::kOrderPrice),    Digits(f::kOrderQuantity), Digits(f::kRemaining),
    Digits(f::kFillQuantity),
};
constexpr Field kFill[] = {
    Account(f::kAccountNumber), Digits(f::kOrderNumber), Digits(f::kFillNumber),
    Code(f::kProductCode, 32),  Code(f::kBuySell, 1),    Decimal(f::kFillPrice),
    Digits(f::kFillQuantity),   Time(f::kFillTime),      Decimal(f::kOrderPrice),
    Digits(f::kOrderQuantity),  Digits(f::kRemaining),   Amount(f::kFee),
    Amount(f::kRealizedProfit),
};
constexpr Field kPosition[] = {
    Account(f::kAccountNumber), Digits(f::kOrderNumber), Code(f::kProductCode, 32),
    Code(f::kBuySell, 1),       Decimal(f::kEntryPrice), Digits(f::kEntryQuantity),
};
constexpr Field kClose[] = {
    Account(f::kAccountNumber), Digits(f::kOrderNumber), Code(f::kProductCode, 32),
    Code(f::kBuySell, 1),       Decimal(f::kClosePrice), Digits(f::kCloseQuantity),
    Amount(f::kRealizedProfit),
};
constexpr Field kConfirmation[] = {
    Account(f::kAccountNumber), Digits(f::kOrderNumber),     Digits(f::kOriginalOrder),
    Code(f::kProductCode, 32),  Code(f::kBuySell, 1),        Code(f::kConfirmKind, 1),
    Decimal(f::kConfirmPrice),  Digits(f::kConfirmQuantity), Text(f::kProcessMessageFeed, 80),
};
constexpr Field kAvailable[] = {
    Account(f::kAccountNumber), Code(f::kCurrencyCode, 3), Amount(f::kOrderable),
    Amount(f::kDepositAmount),  Amount(f::kInitialMargin), Amount(f::kMaintenanceMargin),
};

using enum RealFeed;
constexpr std::optional<Market> kDomestic = Market::kDomestic;
constexpr std::optional<Market> kOverseas = Market::kOverseas;
constexpr std::optional<Market> kFx = Market::kFxMargin;
constexpr std::optional<Market> kShared = std::nullopt;

constexpr RealTypeLayout kRealTypes[] = {
    {real::kDomesticBook, kDomestic, kQuote, "국내 호가", "Domestic five-level book", kBook},
    {real::kOverseasBook, kOverseas, kQuote, "해외 호가", "Overseas five-level book (raw prices)",
     kBook},
    {real::kDomesticBestQuotes, kDomestic, kQuote, "국내 호가 (영문)",
     "Domestic best quotes, Latin names", kBestQuotes},
    {real::kDomesticTrade, kDomestic, kQuote, "국내 체결", "Domestic last trade", kDomesticTrade},
    {real::kOptionModel, kDomestic, kQuote, "옵션 이론가", "Option pricing model", kOptionModel},
    {real::kDomesticTradeAlt, kDomestic, kQuote, "국내 체결", "Domestic last trade (as 65)",
     kDomesticTrade},
    {real::kFxBook, kFx, kQuote, "FX 호가", "FX five-level book", kBook},
    {real::kOverseasTrade,
     kOverseas,
     kQuote,
     "해외 체결",
     "Overseas last trade (raw prices)",
     kOverseasTrade,
     {},
     &kOverseasTradeBlock},
    {real::kIndex, kDomestic, kQuote, "지수", "Index", kIndex},
    {real::kFxQuote, kFx, kQuote, "FX 시세", "FX best quotes", kFxQuote},
    {real::kDomesticAcceptance, kDomestic, kOrder, "국내 주문접수", "Domestic order accepted",
     kAcceptance, f::kOrderNumber},
    {real::kDomesticOpenOrder, kDomestic, kOrder, "국내 미체결", "Domestic open order", kOpenOrder,
     f::kOrderNumber},
    {real::kDomesticConfirmation, kDomestic, kOrder, "국내 정정/취소 확인",
     "Domestic amend or cancel confirmed", kConfirmation, f::kOrderNumber},
    {real::kDomesticAvailable, kDomestic, kOrder, "국내 주문가능금액",
     "Domestic amount available for orders", kAvailable},
    {real::kDomesticFill, kDomestic, kOrder, "국내 체결", "Domestic fill", kFill, f::kOrderNumber},
    {real::kOverseasOpenOrder, kOverseas, kOrder, "해외 미체결", "Overseas open order", kOpenOrder,
     f::kOrderNumber},
    {real::kForeignConfirmation, kShared, kOrder, "해외/FX 정정/취소 확인",
     "Overseas or FX amend or cancel confirmed", kConfirmation, f::kOrderNumber},
    {real::kForeignAvailable, kShared, kOrder, "해외/FX 주문가능금액",
     "Overseas or FX amount available for orders", kAvailable},
    {real::kForeignFill, kShared, kOrder, "해외/FX 체결", "Overseas or FX fill", kFill,
     f::kOrderNumber},
    {real::kFxOpenOrder, kFx, kOrder, "FX 미체결", "FX open order", kOpenOrder, f::kOrderNumber},
    {real::kPosition, kShared, kOrder, "미청산", "Open position after a fill", kPosition,
     f::kOrderNumber},
    {real::kClose, kShared, kOrder, "청산", "Position closed by a fill", kClose, f::kOrderNumber},
    {real::kOverseasAcceptance, kOverseas, kOrder, "해외 주문접수", "Overseas order accepted",
     kAcceptance, f::kOrderNumber},
    {real::kFxAcceptance, kFx, kOrder, "FX 주문접수", "FX order accepted", kAcceptance,
     f::kOrderNumber},
    {real::kOpenOrderList, kShared, kOrder, "미체결 목록", "Open orders at registration",
     kOpenOrder, f::kOrderNumber},
    {real::kServerClock,
     kShared,
     kQuote,
     "서버 시각",
     "Server clock (key 0)",
     kServerClock,
     {},
     &kServerClockBlock,
     real::kServerClockKey},
};

constexpr bool Ascending() {
  for (size_t i = 1; i < std::size(kRealTypes); ++i) {
    if (kRealTypes[i - 1].realType >= kRealTypes[i].realType) return false;
  }
  return true;
}
static_assert(Ascending());

constexpr OrderFeedTypes kDomesticFeed{real::kDomesticAcceptance, real::kDomesticOpenOrder,
                                       real::kDomesticFill, real::kDomesticConfirmation,
                                       real::kDomesticAvailable};
constexpr OrderFeedTypes kOverseasFeed{real::kOverseasAcceptance, real::kOverseasOpenOrder,
                                       real::kForeignFill, real::kForeignConfirmation,
                                       real::kForeignAvailable};
constexpr OrderFeedTypes kFxFeed{real::kFxAcceptance, real::kFxOpenOrder, real::kForeignFill,
                                 real::kForeignConfirmation, real::kForeignAvailable};

}  // namespace

std::span<const RealTypeLayout> AllRealTypes() {
  return kRealTypes;
}

const RealTypeLayout* FindRealType(int32_t realType) {
  const auto it = std::ranges::lower_bound(kRealTypes, realType, {}, &RealTypeLayout::realType);
  return it != std::end(kRealTypes) && it->realType == realType ? &*it : nullptr;
}

const RealTypeLayout& RealTypeOf(int32_t realType) {
  if (const RealTypeLayout* t = FindRealType(realType)) return *t;
  throw std::logic_error("no real type " + std::to_string(realType));
}

const OrderFeedTypes& OrderFeedTypesOf(Market market) {
  switch (market) {
    case Market::kDomestic:
      return kDomesticFeed;
    case Market::kOverseas:
      return kOverseasFeed;
    case Market::kFxMargin:
      break;
  }
  return kFxFeed;
}

}  // namespace zqk::protocol
