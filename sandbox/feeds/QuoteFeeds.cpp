#include "sandbox/feeds/QuoteFeeds.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "sandbox/feeds/RecordText.h"
#include "sandbox/market/Product.h"

namespace zqk::sandbox::feeds {
namespace {

using market::Product;
using market::ProductKind;
using Row = EventData::Row;

constexpr std::string_view kRecord = "OutRec1";

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
  return p && p->market == Market::kFx;
}
bool Index(const Product* p, std::string_view) {
  return p && p->kind == ProductKind::kIndex;
}
bool ServerKey(const Product*, std::string_view key) {
  return key == "0";
}

// --- Values.

using PriceText = std::string (*)(const Product&, int64_t);

std::string RawPrice(const Product&, int64_t raw) {
  return Raw(raw);
}

// The time of the session's last trade, or of the tick before the first.
int32_t LastTradeTime(const QuoteSource& s) {
  const market::Session& session = s.snapshot->session;
  if (session.trades == 0) return s.local.time;
  return s.market.clock().Local(s.market.MsOfStep(session.lastTradeStep)).time;
}

// "1" when the last trade was a buy at the ask, "2" a sell at the bid. Built
// from a character: g++ 12 at -O3 misreads a short literal assigned to a
// string as an overlapping copy (-Wrestrict).
std::string TradeSide(const market::Session& session) {
  return std::string(1, session.lastBuy ? '1' : '2');
}

Row& Start(EventData& data) {
  return data.AddRow(kRecord);
}

// Fields laid end to end, each left-aligned and filled with blanks to its
// width (cut when longer), as the raw blocks carry them.
std::string Block(const Row& row,
                  std::initializer_list<std::pair<std::string_view, size_t>> fields) {
  std::string block;
  for (const auto& [name, width] : fields) {
    auto it = row.find(name);
    std::string value = it == row.end() ? std::string() : it->second;
    value.resize(width, ' ');
    block += value;
  }
  return block;
}

// Five levels a side: prices, sizes and order counts, and the totals.
void Levels(Row& row, const Product& p, const market::Book& book, PriceText price,
            std::string_view askPrice, std::string_view bidPrice, std::string_view askSize,
            std::string_view bidSize, std::string_view askCount, std::string_view bidCount) {
  for (size_t i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    row[std::string(askPrice) + n] = price(p, book.asks[i].price);
    row[std::string(bidPrice) + n] = price(p, book.bids[i].price);
    row[std::string(askSize) + n] = std::to_string(book.asks[i].size);
    row[std::string(bidSize) + n] = std::to_string(book.bids[i].size);
    row[std::string(askCount) + n] = std::to_string(book.asks[i].count);
    row[std::string(bidCount) + n] = std::to_string(book.bids[i].count);
  }
}

// --- Records by type.

// 65, 71.
EventData DomesticTrade(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Session& session = s.snapshot->session;
  const market::Book& book = s.snapshot->book;
  row["종목코드"] = p.code;
  row["체결시간"] = Hhmmss(LastTradeTime(s));
  row["현재가"] = Decimal(p, session.last);
  row["누적거래량"] = std::to_string(session.volume);
  row["체결량"] = std::to_string(session.lastQty);
  row["체결구분"] = TradeSide(session);
  row["전일대비"] = Decimal(p, session.last - session.prevClose);
  row["등락율"] = Percent(session.last, session.prevClose);
  row["시가"] = Decimal(p, session.open);
  row["고가"] = Decimal(p, session.high);
  row["저가"] = Decimal(p, session.low);
  row["매도호가1"] = Decimal(p, book.asks[0].price);
  row["매수호가1"] = Decimal(p, book.bids[0].price);
  return data;
}

// 58: the domestic best quotes, with the Latin names the console reads.
EventData DomesticBestQuotes(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Book& book = s.snapshot->book;
  row["kfutcode"] = p.code;
  row["hotime"] = Hhmmss(s.local.time);
  Levels(row, p, book, &Decimal, "offerho", "bidho", "offerrem", "bidrem", "offercnt", "bidcnt");
  row["totofferrem"] = std::to_string(book.AskSize());
  row["totbidrem"] = std::to_string(book.BidSize());
  return data;
}

EventData FiveLevels(const QuoteSource& s, PriceText price) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Book& book = s.snapshot->book;
  row["종목코드"] = p.code;
  row["호가시간"] = Hhmmss(s.local.time);
  Levels(row, p, book, price, "매도호가", "매수호가", "매도잔량", "매수잔량", "매도건수",
         "매수건수");
  row["총매도잔량"] = std::to_string(book.AskSize());
  row["총매수잔량"] = std::to_string(book.BidSize());
  return data;
}

// 51, 75.
EventData DecimalLevels(const QuoteSource& s) {
  return FiveLevels(s, &Decimal);
}

// 52.
EventData RawLevels(const QuoteSource& s) {
  return FiveLevels(s, &RawPrice);
}

// 66.
EventData OptionModel(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Greeks g = s.market.OptionGreeks(p, s.atMs);
  const double point = std::pow(10.0, p.decimals);
  row["종목코드"] = p.code;
  row["시간"] = Hhmmss(s.local.time);
  row["이론가"] = Fixed(g.value / point, p.decimals + 2);
  row["델타"] = Fixed(g.delta, 4);
  row["감마"] = Fixed(g.gamma * point, 4);
  row["세타"] = Fixed(g.theta / point, 4);
  row["베가"] = Fixed(g.vega / point, 4);
  row["내재변동성"] = Fixed(p.impliedVol * 100, 2);
  return data;
}

// 82: the overseas trade; 체결가 raw, as FormatValue kind 0 takes it.
EventData OverseasTrade(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Session& session = s.snapshot->session;
  const market::Book& book = s.snapshot->book;
  row["종목코드"] = p.code;
  row["체결일자"] = std::to_string(s.local.date);
  row["기준체결시간"] = Hhmmss(LastTradeTime(s));
  row["체결가"] = Raw(session.last);
  row["체결량"] = std::to_string(session.lastQty);
  row["누적거래량"] = std::to_string(session.volume);
  row["시가"] = Raw(session.open);
  row["고가"] = Raw(session.high);
  row["저가"] = Raw(session.low);
  row["전일종가"] = Raw(session.prevClose);
  row["전일대비"] = Raw(session.last - session.prevClose);
  row["등락율"] = Percent(session.last, session.prevClose);
  row["매도호가"] = Raw(book.asks[0].price);
  row["매수호가"] = Raw(book.bids[0].price);
  row["매도잔량"] = std::to_string(book.asks[0].size);
  row["매수잔량"] = std::to_string(book.bids[0].size);
  row["체결구분"] = TradeSide(session);
  row["체결건수"] = std::to_string(session.trades);
  data.block = Block(row, {{"종목코드", 32},
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
  return data;
}

// 101.
EventData IndexValue(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Session& session = s.snapshot->session;
  row["업종코드"] = p.code;
  row["시간"] = Hhmmss(s.local.time);
  row["지수"] = Decimal(p, session.last);
  row["전일비"] = Decimal(p, session.last - session.prevClose);
  row["등락율"] = Percent(session.last, session.prevClose);
  row["시가"] = Decimal(p, session.open);
  row["고가"] = Decimal(p, session.high);
  row["저가"] = Decimal(p, session.low);
  return data;
}

// 171.
EventData FxQuotes(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  const Product& p = *s.product;
  const market::Session& session = s.snapshot->session;
  const market::Book& book = s.snapshot->book;
  row["단축코드"] = p.code;
  row["종목코드"] = p.code;
  row["호가시간"] = Hhmmss(s.local.time);
  row["매도호가"] = Decimal(p, book.asks[0].price);
  row["매수호가"] = Decimal(p, book.bids[0].price);
  row["매도잔량"] = std::to_string(book.asks[0].size);
  row["매수잔량"] = std::to_string(book.bids[0].size);
  row["현재가"] = Decimal(p, session.last);
  row["고가"] = Decimal(p, session.high);
  row["저가"] = Decimal(p, session.low);
  return data;
}

// 208: the server's clock and the market state ("1": open; the sandbox's
// market never closes).
EventData ServerClock(const QuoteSource& s) {
  EventData data;
  Row& row = Start(data);
  row["일자"] = std::to_string(s.local.date);
  row["시간"] = Hhmmss(s.local.time);
  row["장운영구분"] = std::string(1, '1');
  data.block = Block(row, {{"일자", 8}, {"시간", 6}, {"장운영구분", 1}});
  return data;
}

constexpr QuoteFeedType kQuoteFeeds[] = {
    {51, &DomesticTradable, &DecimalLevels},
    {52, &Overseas, &RawLevels},
    {58, &DomesticTradable, &DomesticBestQuotes},
    {65, &DomesticTradable, &DomesticTrade},
    {66, &DomesticOption, &OptionModel},
    {71, &DomesticTradable, &DomesticTrade},
    {75, &Fx, &DecimalLevels},
    {82, &Overseas, &OverseasTrade},
    {101, &Index, &IndexValue},
    {171, &Fx, &FxQuotes},
    {208, &ServerKey, &ServerClock},
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
