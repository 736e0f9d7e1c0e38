// The replies about products, prices, charts and news, of every market.
#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "protocol/ReplyFields.h"
#include "protocol/SymbolRecordFields.h"
#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

using namespace fields;
namespace f = field;

// --- Domestic.

constexpr Field kDomesticProductRow[] = {
    Code(f::kProductCode, 32), Text(f::kProductName, 40), Text(f::kShortName, 24),
    Date(f::kLastTradingDay),  Decimal(f::kStrike),
};
constexpr RecordLayout kDomesticProducts[] = {Repeated(kDomesticProductRow)};
constexpr Field kDomesticProductBlockRow[] = {Code(f::kProductCode, 8), Text(f::kShortName, 24)};
constexpr BlockLayout kDomesticProductBlock{
    .row = kDomesticProductBlockRow, .rows = BlockRows::kPerRecordRow, .rowsOf = kOutRec1};

constexpr RecordLayout kDomesticSymbol[] = {Single(kSymbolRecord)};

// --- Overseas: the price record, FID numbered 000 to 037 in this order;
// prices raw (FormatValue kind 0 displays them).

constexpr Field kOverseasPriceRow[] = {
    Code(f::kProductCode, 32),
    Text(f::kProductName, 40),
    Text(f::kEnglishName, 40),
    Code(f::kExchange, 8),
    Code(f::kCurrency, 3),
    Date(f::kLocalDate),
    Time(f::kLocalTime),
    Decimal(f::kCurrentPrice),
    Code(f::kChangeSign, 1),
    Decimal(f::kChange),
    Decimal(f::kChangeRate, 8),
    Decimal(f::kOpen),
    Decimal(f::kHigh),
    Decimal(f::kLow),
    Decimal(f::kPrevClose),
    Digits(f::kVolume, 15),
    Digits(f::kTradeVolume),
    Code(f::kTradeSide, 1),
    Decimal(f::kAsk),
    Decimal(f::kBid),
    Digits(f::kBestAskSize),
    Digits(f::kBestBidSize),
    Digits(f::kAskSizeTotal),
    Digits(f::kBidSizeTotal),
    Decimal(f::kTickSize, 12),
    Decimal(f::kTickValue, 12),
    Digits(f::kContractSize, 12),
    Digits(f::kDecimals, 1),
    Digits(f::kNotation, 2),
    Date(f::kLastTradingDay),
    Digits(f::kDaysToExpiry, 5),
    Date(f::kListedDate),
    Code(f::kUnderlying, 16),
    Decimal(f::kStrike),
    Code(f::kOptionKind, 1),
    Amount(f::kTurnover),
    Decimal(f::kTheoreticalPrice),
    Decimal(f::kImpliedVolatility, 8),
};
constexpr RecordLayout kOverseasPrice[] = {Single(kOverseasPriceRow)};

constexpr Field kOverseasProductRow[] = {
    Code(f::kProductCode, 32), Text(f::kProductName, 40), Decimal(f::kCurrentPrice),
    Code(f::kChangeSign, 1),   Decimal(f::kChange),       Decimal(f::kChangeRate, 8),
    Code(f::kExchange, 8),     Code(f::kCurrency, 3),     Date(f::kLastTradingDay),
};
constexpr RecordLayout kOverseasProducts[] = {Repeated(kOverseasProductRow)};

constexpr Field kProductServiceSummary[] = {
    Code(f::kProcessCode, 4),
    Text(f::kProcessMessage, 80),
    Digits(f::kProductCount, 5),
};
constexpr Field kProductServiceRow[] = {Code(f::kExchange, 8), Digits(f::kProductCount, 5)};
constexpr RecordLayout kProductService[] = {Single(kProductServiceSummary),
                                            Repeated(kProductServiceRow, kOutRec2)};

constexpr Field kRecentTradesSummary[] = {Code(f::kProductCode, 32), Digits(f::kQueryCount, 4)};
constexpr Field kRecentTradeRow[] = {
    Date(f::kDate),          Time(f::kTime),       Decimal(f::kClose),
    Digits(f::kTradeVolume), Code(f::kBuySell, 1),
};
constexpr RecordLayout kRecentTrades[] = {Single(kRecentTradesSummary),
                                          Repeated(kRecentTradeRow, kOutRec2)};

constexpr Field kMinuteBarRow[] = {
    Date(f::kDate),   Time(f::kTime),     Decimal(f::kOpen),       Decimal(f::kHigh),
    Decimal(f::kLow), Decimal(f::kClose), Digits(f::kTradeVolume),
};
constexpr RecordLayout kMinuteBars[] = {Repeated(kMinuteBarRow)};
constexpr Field kMinuteBarBlockRow[] = {
    Code(f::kProductCode, 32),
    Date(f::kDate),
    Time(f::kTime),
    Decimal(f::kOpen),
    Decimal(f::kHigh),
    Decimal(f::kLow),
    Decimal(f::kClose),
    Digits(f::kTradeVolume),
    Code(f::kChangeSign, 1),
    Decimal(f::kChange),
    Decimal(f::kChangeRate, 8),
    Text(f::kReserved, 5),
};
constexpr BlockLayout kMinuteBarBlock{
    .row = kMinuteBarBlockRow, .rows = BlockRows::kPerRecordRow, .rowsOf = kOutRec1};

constexpr Field kBarsSummary[] = {
    Digits(f::kBarCount, 4),
    Code(f::kProductCode, 32),
    Digits(f::kBarMinutes, 3),
};
constexpr Field kBarRow[] = {
    Date(f::kStartDate), Time(f::kStartTime), Decimal(f::kOpen),       Decimal(f::kHigh),
    Decimal(f::kLow),    Decimal(f::kClose),  Digits(f::kTradeVolume),
};
constexpr RecordLayout kBars[] = {Single(kBarsSummary), CountedBy(f::kBarCount, kBarRow, kOutRec2)};

constexpr Field kServerTimeRow[] = {
    Date(f::kServerDate),
    Time(f::kServerTime),
    Digits(f::kServerMillis, 3),
};
constexpr RecordLayout kServerTime[] = {Single(kServerTimeRow)};

// The family's front contract; the name and the price are padded so that
// the three values that the console joins read as columns.
constexpr Field kItemPriceRow[] = {
    Padded(Text(f::kItemName, 20)),
    Time(f::kFillTime),
    RightAligned(Decimal(f::kCurrentPrice, 12)),
    Code(f::kProductCode, 32),
    Decimal(f::kChange),
    Decimal(f::kChangeRate, 8),
};
constexpr RecordLayout kItemPrice[] = {Single(kItemPriceRow)};

constexpr Field kItemBoardRow[] = {
    Code(f::kProductCode, 32), Text(f::kProductName, 40), Decimal(f::kCurrentPrice),
    Decimal(f::kAsk),          Decimal(f::kBid),
};
constexpr RecordLayout kItemBoard[] = {Repeated(kItemBoardRow)};
// Ten rows, blank where the family has fewer contracts.
constexpr Field kItemBoardBlockRow[] = {
    Code(f::kProductCode, 32), Text(f::kProductName, 36), Decimal(f::kCurrentPrice),
    Code(f::kChangeSign, 1),   Decimal(f::kChange),       Decimal(f::kChangeRate, 8),
    Decimal(f::kBid),          Time(f::kFillTime),        Date(f::kLastTradingDay),
};
constexpr BlockLayout kItemBoardBlock{
    .row = kItemBoardBlockRow, .rows = BlockRows::kFixed, .fixedRows = 10};

constexpr Field kChartSummary[] = {
    Digits(f::kChartCount, 4),
    {f::kPreviousKey, 14, FieldKind::kDateTime},
    Code(f::kProductCode, 32),
};
constexpr Field kChartRow[] = {
    {f::kDateTime, 14, FieldKind::kDateTime},
    Decimal(f::kOpen),
    Decimal(f::kHigh),
    Decimal(f::kLow),
    Decimal(f::kClose),
    Digits(f::kBarVolume),
};
constexpr RecordLayout kChartData[] = {Single(kChartSummary), Repeated(kChartRow, kOutRec2)};

// --- News.

constexpr Field kNewsTitleRow[] = {
    {f::kNewsId, 12, FieldKind::kDateTime},
    Text(f::kTitle, 200),
    Date(f::kDate),
    Time(f::kTime),
    Text(f::kCategory, 20),
    Text(f::kProvider, 20),
};
constexpr RecordLayout kNewsTitles[] = {Repeated(kNewsTitleRow)};

constexpr Field kNewsBodyRow[] = {
    Digits(f::kTotalSize), {f::kNewsId, 12, FieldKind::kDateTime},
    Text(f::kTitle, 200),  Date(f::kDate),
    Time(f::kTime),
};
constexpr RecordLayout kNewsBody[] = {Single(kNewsBodyRow)};
// The header, then the body (lines ending CR LF) of 전체사이즈 bytes.
constexpr Field kNewsBodyHeader[] = {
    {f::kNewsId, 12, FieldKind::kDateTime},
    Date(f::kDate),
    Time(f::kTime),
    Text(f::kProvider, 20),
    Text(f::kCategory, 20),
    Text(f::kTitle, 200),
};
constexpr BlockLayout kNewsBodyBlock{.header = kNewsBodyHeader, .contentSizeField = f::kTotalSize};

// --- FX margin: the quote, FID numbered 000 to 016 in this order.

constexpr Field kFxQuoteRow[] = {
    Code(f::kProductCode, 10), Decimal(f::kAskPrice),     Decimal(f::kBidPrice),
    Text(f::kProductName, 40), Decimal(f::kCurrentPrice), Decimal(f::kOpen),
    Decimal(f::kHigh),         Decimal(f::kLow),          Decimal(f::kPrevClose),
    Decimal(f::kChange),       Time(f::kQuoteTime),       Decimal(f::kChangeRate, 8),
    Decimal(f::kSpread),       Digits(f::kDecimals, 1),   Digits(f::kTradingUnit),
    Digits(f::kAskSize),       Digits(f::kBidSize),
};
constexpr RecordLayout kFxQuote[] = {Single(kFxQuoteRow)};

constexpr CodeReply kReplies[] = {
    {tr::kDomesticProducts, {kDomesticProducts, &kDomesticProductBlock}},
    {tr::kDomesticSymbol, {kDomesticSymbol}},
    {tr::kOverseasPrice, {kOverseasPrice}},
    {tr::kOverseasProducts, {kOverseasProducts}},
    {tr::kOverseasSymbolService, {kProductService}},
    {tr::kRecentTrades, {kRecentTrades}},
    {tr::kMinuteBars, {kMinuteBars, &kMinuteBarBlock, true}},
    {tr::kBars, {kBars}},
    {tr::kServerTime, {kServerTime}},
    {tr::kItemPrice, {kItemPrice}},
    {tr::kItemBoard, {kItemBoard, &kItemBoardBlock}},
    {tr::kChartData, {kChartData}},
    {tr::kNewsTitles, {kNewsTitles, nullptr, true}},
    {tr::kNewsBody, {kNewsBody, &kNewsBodyBlock}},
    {tr::kFxMaster, {kFxQuote}},
};

static_assert(Width(kDomesticProductBlockRow) == 32);
static_assert(Width(kMinuteBarBlockRow) == 145);
static_assert(Width(kItemBoardBlockRow) == 136);
static_assert(Width(kNewsBodyHeader) == 266);
static_assert(std::size(kOverseasPriceRow) == 38);
static_assert(std::size(kFxQuoteRow) == 17);

}  // namespace

std::span<const CodeReply> MarketReplies() {
  return kReplies;
}

std::span<const Field> SymbolRecordFields() {
  return kSymbolRecord;
}

}  // namespace zqk::protocol
