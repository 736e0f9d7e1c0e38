#include "sandbox/feeds/QuoteFeeds.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "sandbox/events/FieldText.h"
#include "sandbox/market/Product.h"

namespace zqk::sandbox::feeds {
namespace {

using market::Product;
using market::ProductKind;
using Row = EventData::Row;

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
  return key == "0";
}

// --- One tick's record.

// Key "0" names no product: its record reads none of these.
const Product kNoProduct{};
const market::Snapshot kNoSnapshot{};

// The record of one tick being built (row 0 of "OutRec1"), and what it is
// built from.
struct Tick {
  explicit Tick(const QuoteSource& s)
      : source(s),
        p(s.product ? *s.product : kNoProduct),
        session(s.snapshot ? s.snapshot->session : kNoSnapshot.session),
        book(s.snapshot ? s.snapshot->book : kNoSnapshot.book),
        row(data.AddRow("OutRec1")) {}

  const QuoteSource& source;
  const Product& p;
  const market::Session& session;
  const market::Book& book;
  EventData data;
  Row& row;
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
void SessionFigures(Tick& t, PriceText price, const char* changeName) {
  const market::Session& s = t.session;
  t.row["시가"] = price(t.p, s.open);
  t.row["고가"] = price(t.p, s.high);
  t.row["저가"] = price(t.p, s.low);
  t.row[changeName] = price(t.p, s.last - s.prevClose);
  t.row["등락율"] = ChangeRate(s.last, s.prevClose);
}

// The session's last trade: its time and price under the record's names,
// its size and side ("1" a buy at the ask, "2" a sell at the bid), the
// volume, and the session's figures.
void LastTrade(Tick& t, PriceText price, const char* priceName, const char* timeName) {
  t.row["종목코드"] = t.p.code;
  t.row[timeName] = Hms(LastTradeTime(t));
  t.row[priceName] = price(t.p, t.session.last);
  t.row["체결량"] = Number(t.session.lastQty);
  t.row["누적거래량"] = Number(t.session.volume);
  // Built from a character: g++ 12 at -O3 misreads a short literal assigned
  // to a string as an overlapping copy (-Wrestrict).
  t.row["체결구분"] = std::string(1, t.session.lastBuy ? '1' : '2');
  SessionFigures(t, price, "전일대비");
}

// Fields laid end to end, each left-aligned and filled with blanks to its
// width (cut when longer), as the raw blocks carry them.
std::string Block(const Row& row,
                  std::initializer_list<std::pair<std::string_view, size_t>> fields) {
  size_t total = 0;
  for (const auto& field : fields) total += field.second;
  BlockRow block(total);
  for (const auto& [name, width] : fields) {
    auto it = row.find(name);
    block.Add(it == row.end() ? std::string_view() : std::string_view(it->second), width);
  }
  return block.text();
}

// Five levels a side: prices, sizes and order counts, under the record's
// names followed by the level's number.
void Levels(Tick& t, PriceText price, std::string_view askPrice, std::string_view bidPrice,
            std::string_view askSize, std::string_view bidSize, std::string_view askCount,
            std::string_view bidCount) {
  for (size_t i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    const market::BookLevel& ask = t.book.asks[i];
    const market::BookLevel& bid = t.book.bids[i];
    t.row[std::string(askPrice) + n] = price(t.p, ask.price);
    t.row[std::string(bidPrice) + n] = price(t.p, bid.price);
    t.row[std::string(askSize) + n] = Number(ask.size);
    t.row[std::string(bidSize) + n] = Number(bid.size);
    t.row[std::string(askCount) + n] = Number(ask.count);
    t.row[std::string(bidCount) + n] = Number(bid.count);
  }
}

// --- Records by type.

// 65, 71.
void DomesticTrade(Tick& t) {
  LastTrade(t, &Price, "현재가", "체결시간");
  t.row["매도호가1"] = Price(t.p, t.book.asks[0].price);
  t.row["매수호가1"] = Price(t.p, t.book.bids[0].price);
}

// 58: the domestic best quotes, with the Latin names the console reads.
void DomesticBestQuotes(Tick& t) {
  t.row["kfutcode"] = t.p.code;
  t.row["hotime"] = Hms(t.source.local.time);
  Levels(t, &Price, "offerho", "bidho", "offerrem", "bidrem", "offercnt", "bidcnt");
  t.row["totofferrem"] = Number(t.book.AskSize());
  t.row["totbidrem"] = Number(t.book.BidSize());
}

template <PriceText price>
void FiveLevels(Tick& t) {
  t.row["종목코드"] = t.p.code;
  t.row["호가시간"] = Hms(t.source.local.time);
  Levels(t, price, "매도호가", "매수호가", "매도잔량", "매수잔량", "매도건수", "매수건수");
  t.row["총매도잔량"] = Number(t.book.AskSize());
  t.row["총매수잔량"] = Number(t.book.BidSize());
}

// 66.
void OptionModel(Tick& t) {
  const market::Greeks g = t.source.market.OptionGreeks(t.p, t.source.atMs);
  const double point = std::pow(10.0, t.p.decimals);
  t.row["종목코드"] = t.p.code;
  t.row["시간"] = Hms(t.source.local.time);
  t.row["이론가"] = Fixed(g.value / point, t.p.decimals + 2);
  t.row["델타"] = Fixed(g.delta, 4);
  t.row["감마"] = Fixed(g.gamma * point, 4);
  t.row["세타"] = Fixed(g.theta / point, 4);
  t.row["베가"] = Fixed(g.vega / point, 4);
  t.row["내재변동성"] = Fixed(t.p.impliedVol * 100, 2);
}

// 82: the overseas trade; prices raw, as FormatValue kind 0 takes them.
void OverseasTrade(Tick& t) {
  LastTrade(t, &RawPrice, "체결가", "기준체결시간");
  t.row["체결일자"] = Ymd(t.source.local.date);
  t.row["전일종가"] = RawPrice(t.p, t.session.prevClose);
  t.row["매도호가"] = RawPrice(t.p, t.book.asks[0].price);
  t.row["매수호가"] = RawPrice(t.p, t.book.bids[0].price);
  t.row["매도잔량"] = Number(t.book.asks[0].size);
  t.row["매수잔량"] = Number(t.book.bids[0].size);
  t.row["체결건수"] = Number(t.session.trades);
  t.data.block = Block(t.row, {{"종목코드", 32},
                               {"체결일자", 8},
                               {"기준체결시간", 6},
                               {"체결가", 15},
                               {"체결량", 10},
                               {"누적거래량", 15},
                               {"시가", 15},
                               {"고가", 15},
                               {"저가", 15},
                               {"전일종가", 15},
                               {"전일대비", 15},
                               {"등락율", 8},
                               {"매도호가", 15},
                               {"매수호가", 15},
                               {"매도잔량", 10},
                               {"매수잔량", 10},
                               {"체결구분", 1},
                               {"체결건수", 10}});
}

// 101.
void IndexValue(Tick& t) {
  t.row["업종코드"] = t.p.code;
  t.row["시간"] = Hms(t.source.local.time);
  t.row["지수"] = Price(t.p, t.session.last);
  SessionFigures(t, &Price, "전일비");
}

// 171.
void FxQuotes(Tick& t) {
  t.row["단축코드"] = t.p.code;
  t.row["종목코드"] = t.p.code;
  t.row["호가시간"] = Hms(t.source.local.time);
  t.row["매도호가"] = Price(t.p, t.book.asks[0].price);
  t.row["매수호가"] = Price(t.p, t.book.bids[0].price);
  t.row["매도잔량"] = Number(t.book.asks[0].size);
  t.row["매수잔량"] = Number(t.book.bids[0].size);
  t.row["현재가"] = Price(t.p, t.session.last);
  t.row["고가"] = Price(t.p, t.session.high);
  t.row["저가"] = Price(t.p, t.session.low);
}

// 208: the server's clock and the market state ("1": open; the sandbox's
// market never closes).
void ServerClock(Tick& t) {
  t.row["일자"] = Ymd(t.source.local.date);
  t.row["시간"] = Hms(t.source.local.time);
  t.row["장운영구분"] = std::string(1, '1');
  t.data.block = Block(t.row, {{"일자", 8}, {"시간", 6}, {"장운영구분", 1}});
}

template <void (*fill)(Tick&)>
EventData Built(const QuoteSource& source) {
  Tick t(source);
  fill(t);
  return std::move(t.data);
}

constexpr QuoteFeedType kQuoteFeeds[] = {
    {51, &DomesticTradable, &Built<&FiveLevels<&Price>>},
    {52, &Overseas, &Built<&FiveLevels<&RawPrice>>},
    {58, &DomesticTradable, &Built<&DomesticBestQuotes>},
    {65, &DomesticTradable, &Built<&DomesticTrade>},
    {66, &DomesticOption, &Built<&OptionModel>},
    {71, &DomesticTradable, &Built<&DomesticTrade>},
    {75, &Fx, &Built<&FiveLevels<&Price>>},
    {82, &Overseas, &Built<&OverseasTrade>},
    {101, &Index, &Built<&IndexValue>},
    {171, &Fx, &Built<&FxQuotes>},
    {208, &ServerKey, &Built<&ServerClock>},
};

}  // namespace

const QuoteFeedType* FindQuoteFeed(int32_t realType) {
  for (const QuoteFeedType& t : kQuoteFeeds) {
    if (t.realType == realType) return &t;
  }
  return nullptr;
}

bool IsOrderFeedType(int32_t realType) {
  return realType >= 181 && realType <= 199;
}

}  // namespace zqk::sandbox::feeds
