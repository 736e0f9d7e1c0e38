#include "sandbox/feeds/QuoteFeeds.h"

#include <array>
#include <cmath>
#include <utility>

#include "protocol/FieldNames.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/events/LayoutRow.h"
#include "sandbox/market/Product.h"

namespace zqk::sandbox::feeds {
namespace {

using market::Product;
using market::ProductKind;
namespace f = field;

// --- Which keys a type takes.

bool DomesticTradable(const Product* p, std::string_view) {
  return p && p->market == Market::kDomestic && p->kind != ProductKind::kIndex;
}
bool DomesticOption(const Product* p, std::string_view) {
  return p && p->market == Market::kDomestic && p->IsOption();
}
bool Overseas(const Product* p, std::string_view) {
  return p && p->market == Market::kOverseas;
}
bool Fx(const Product* p, std::string_view) {
  return p && p->market == Market::kFxMargin;
}
bool Index(const Product* p, std::string_view) {
  return p && p->kind == ProductKind::kIndex;
}
bool ServerKey(const Product*, std::string_view key) {
  return key == real::kServerClockKey;
}

// --- One tick's record.

// Key "0" names no product: its record reads none of these.
const Product kNoProduct{};
const market::Snapshot kNoSnapshot{};

// The record of one tick being built (row 0 of OutRec1) by its type's
// layout, and what it is built from.
struct Tick {
  explicit Tick(const QuoteSource& s)
      : source(s),
        type(protocol::RealTypeOf(s.realType)),
        p(s.product ? *s.product : kNoProduct),
        session(s.snapshot ? s.snapshot->session : kNoSnapshot.session),
        book(s.snapshot ? s.snapshot->book : kNoSnapshot.book),
        row(data.AddRow(protocol::kOutRec1), type.fields) {}

  // The type's raw block, from the record's fields of the same names.
  void Block() { data.block = LayoutBlockRow(type.block->header).SetFrom(row.row()).text(); }

  const QuoteSource& source;
  const protocol::RealTypeLayout& type;
  const Product& p;
  const market::Session& session;
  const market::Book& book;
  EventData data;
  LayoutRow row;
};

using PriceText = std::string (*)(const Product&, int64_t);

std::string RawPrice(const Product&, int64_t raw) {
  return Number(raw);
}

// The time of the session's last trade, or of the tick before the first.
int32_t LastTradeTime(const Tick& t) {
  if (t.session.trades == 0) return t.source.local.time;
  const market::SimulatedMarket& m = t.source.market;
  return m.clock().Local(m.MsOfStep(t.session.lastTradeStep)).time;
}

// The session's range and its change from the previous close, in the
// record's price form.
void SessionFigures(Tick& t, PriceText price, std::string_view changeName) {
  const market::Session& s = t.session;
  t.row.Set(f::kOpen, price(t.p, s.open))
      .Set(f::kHigh, price(t.p, s.high))
      .Set(f::kLow, price(t.p, s.low))
      .Set(changeName, price(t.p, s.last - s.prevClose))
      .Set(f::kChangeRateFeed, ChangeRate(s.last, s.prevClose));
}

// The session's last trade: its time and price under the record's names,
// its size and side ("1" a buy at the ask, "2" a sell at the bid), the
// volume, and the session's figures.
void LastTrade(Tick& t, PriceText price, std::string_view priceName, std::string_view timeName) {
  t.row.Set(f::kProductCode, t.p.code)
      .Set(timeName, Hms(LastTradeTime(t)))
      .Set(priceName, price(t.p, t.session.last))
      .Set(f::kTradeVolume, Number(t.session.lastQty))
      .Set(f::kVolume, Number(t.session.volume))
      .Set(f::kTradeSide, std::string(1, t.session.lastBuy ? '1' : '2'));
  SessionFigures(t, price, f::kChange);
}

using Names = std::array<std::string_view, 5>;

// Five levels a side: prices, sizes and order counts, under the record's
// names of each level.
void Levels(Tick& t, PriceText price, const Names& askPrice, const Names& bidPrice,
            const Names& askSize, const Names& bidSize, const Names& askCount,
            const Names& bidCount) {
  for (size_t i = 0; i < 5; ++i) {
    const market::BookLevel& ask = t.book.asks[i];
    const market::BookLevel& bid = t.book.bids[i];
    t.row.Set(askPrice[i], price(t.p, ask.price))
        .Set(bidPrice[i], price(t.p, bid.price))
        .Set(askSize[i], Number(ask.size))
        .Set(bidSize[i], Number(bid.size))
        .Set(askCount[i], Number(ask.count))
        .Set(bidCount[i], Number(bid.count));
  }
}

// --- Records by type.

// 65, 71.
void DomesticTrade(Tick& t) {
  LastTrade(t, &Price, f::kCurrentPrice, f::kFillTime);
  t.row.Set(f::kAskLevels[0], Price(t.p, t.book.asks[0].price))
      .Set(f::kBidLevels[0], Price(t.p, t.book.bids[0].price));
}

// 58: the domestic best quotes, with the Latin names the console reads.
void DomesticBestQuotes(Tick& t) {
  t.row.Set(f::kFutCode, t.p.code).Set(f::kHoTime, Hms(t.source.local.time));
  Levels(t, &Price, f::kOfferHo, f::kBidHo, f::kOfferRem, f::kBidRem, f::kOfferCnt, f::kBidCnt);
  t.row.Set(f::kTotOfferRem, Number(t.book.AskSize())).Set(f::kTotBidRem, Number(t.book.BidSize()));
}

template <PriceText price>
void FiveLevels(Tick& t) {
  t.row.Set(f::kProductCode, t.p.code).Set(f::kQuoteTime, Hms(t.source.local.time));
  Levels(t, price, f::kAskLevels, f::kBidLevels, f::kAskLevelSizes, f::kBidLevelSizes,
         f::kAskLevelCounts, f::kBidLevelCounts);
  t.row.Set(f::kTotalAskSize, Number(t.book.AskSize()))
      .Set(f::kTotalBidSize, Number(t.book.BidSize()));
}

// 66.
void OptionModel(Tick& t) {
  const market::Greeks g = t.source.market.OptionGreeks(t.p, t.source.atMs);
  const double point = std::pow(10.0, t.p.decimals);
  t.row.Set(f::kProductCode, t.p.code)
      .Set(f::kTime, Hms(t.source.local.time))
      .Set(f::kTheoreticalPrice, Fixed(g.value / point, t.p.decimals + 2))
      .Set(f::kDelta, Fixed(g.delta, 4))
      .Set(f::kGamma, Fixed(g.gamma * point, 4))
      .Set(f::kTheta, Fixed(g.theta / point, 4))
      .Set(f::kVega, Fixed(g.vega / point, 4))
      .Set(f::kImpliedVolatility, Fixed(t.p.impliedVol * 100, 2));
}

// 82: the overseas trade; prices raw, as FormatValue kind 0 takes them.
void OverseasTrade(Tick& t) {
  LastTrade(t, &RawPrice, f::kTradePrice, f::kReferenceTime);
  t.row.Set(f::kFillDate, Ymd(t.source.local.date))
      .Set(f::kPrevClose, RawPrice(t.p, t.session.prevClose))
      .Set(f::kAsk, RawPrice(t.p, t.book.asks[0].price))
      .Set(f::kBid, RawPrice(t.p, t.book.bids[0].price))
      .Set(f::kAskSize, Number(t.book.asks[0].size))
      .Set(f::kBidSize, Number(t.book.bids[0].size))
      .Set(f::kTradeCount, Number(t.session.trades));
  t.Block();
}

// 101.
void IndexValue(Tick& t) {
  t.row.Set(f::kSectorCode, t.p.code)
      .Set(f::kTime, Hms(t.source.local.time))
      .Set(f::kIndexValue, Price(t.p, t.session.last));
  SessionFigures(t, &Price, f::kIndexChange);
}

// 171.
void FxQuotes(Tick& t) {
  t.row.Set(f::kShortCode, t.p.code)
      .Set(f::kProductCode, t.p.code)
      .Set(f::kQuoteTime, Hms(t.source.local.time))
      .Set(f::kAsk, Price(t.p, t.book.asks[0].price))
      .Set(f::kBid, Price(t.p, t.book.bids[0].price))
      .Set(f::kAskSize, Number(t.book.asks[0].size))
      .Set(f::kBidSize, Number(t.book.bids[0].size))
      .Set(f::kCurrentPrice, Price(t.p, t.session.last))
      .Set(f::kHigh, Price(t.p, t.session.high))
      .Set(f::kLow, Price(t.p, t.session.low));
}

// 208: the server's clock and the market state ("1": open; the sandbox's
// market never closes).
void ServerClock(Tick& t) {
  t.row.Set(f::kDate, Ymd(t.source.local.date))
      .Set(f::kTime, Hms(t.source.local.time))
      .Set(f::kMarketState, std::string(1, '1'));
  t.Block();
}

template <void (*fill)(Tick&)>
EventData Built(const QuoteSource& source) {
  Tick t(source);
  fill(t);
  return std::move(t.data);
}

constexpr QuoteFeedType kQuoteFeeds[] = {
    {real::kDomesticBook, &DomesticTradable, &Built<&FiveLevels<&Price>>},
    {real::kOverseasBook, &Overseas, &Built<&FiveLevels<&RawPrice>>},
    {real::kDomesticBestQuotes, &DomesticTradable, &Built<&DomesticBestQuotes>},
    {real::kDomesticTrade, &DomesticTradable, &Built<&DomesticTrade>},
    {real::kOptionModel, &DomesticOption, &Built<&OptionModel>},
    {real::kDomesticTradeAlt, &DomesticTradable, &Built<&DomesticTrade>},
    {real::kFxBook, &Fx, &Built<&FiveLevels<&Price>>},
    {real::kOverseasTrade, &Overseas, &Built<&OverseasTrade>},
    {real::kIndex, &Index, &Built<&IndexValue>},
    {real::kFxQuote, &Fx, &Built<&FxQuotes>},
    {real::kServerClock, &ServerKey, &Built<&ServerClock>},
};

}  // namespace

const QuoteFeedType* FindQuoteFeed(int32_t realType) {
  for (const QuoteFeedType& t : kQuoteFeeds) {
    if (t.realType == realType) return &t;
  }
  return nullptr;
}

bool IsOrderFeedType(int32_t realType) {
  return realType >= real::kFirstOrderFeedType && realType <= real::kLastOrderFeedType;
}

}  // namespace zqk::sandbox::feeds
