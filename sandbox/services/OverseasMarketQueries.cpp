// Prices, lists and charts of the overseas market (and the FX quote).
#include <QDateTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

#include "protocol/FieldNames.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/services/FieldList.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::Product;

namespace f = field;
using protocol::kOutRec1;
using protocol::kOutRec2;
constexpr int64_t kDayMs = 86'400'000;

constexpr int32_t kMinutePeriods[] = {1, 2, 3, 5, 10, 15, 20, 30, 60};

market::LocalTime LocalOf(QueryContext& q, int64_t agentMs) {
  return q.broker.market.clock().Local(agentMs);
}

std::string KindCode(const Product& p) {
  return p.kind == market::ProductKind::kCall  ? "C"
         : p.kind == market::ProductKind::kPut ? "P"
                                               : "F";
}

int32_t MinutePeriod(const QueryInput& in) {
  const int32_t minutes = in.Number(f::kMinutes);
  if (std::find(std::begin(kMinutePeriods), std::end(kMinutePeriods), minutes) ==
      std::end(kMinutePeriods)) {
    throw Refused(kMsgBadInput, std::string(f::kMinutes) + " " + std::to_string(minutes));
  }
  return minutes;
}

// A moment written YYYYMMDDHHMMSS, as agent time.
std::optional<int64_t> ParseMoment(QueryContext& q, std::string_view text) {
  const QDateTime t =
      QDateTime::fromString(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                            QStringLiteral("yyyyMMddHHmmss"));
  if (text.size() != 14 || !t.isValid()) return std::nullopt;
  return q.broker.market.clock().AgentMs(t.toMSecsSinceEpoch());
}

std::string MomentText(QueryContext& q, int64_t agentMs) {
  const market::LocalTime t = LocalOf(q, agentMs);
  return Ymd(t.date) + Hms(t.time);
}

// The front contract of an overseas futures family.
const Product& FrontOfItem(QueryContext& q, std::string_view item) {
  for (const Product* p : q.broker.market.products().OfRoot(TrimBlanks(item))) {
    if (p->market == Market::kOverseas && p->kind == market::ProductKind::kFuture) return *p;
  }
  throw Refused(kMsgUnknownProduct, std::string(TrimBlanks(item)));
}

// The previous close of the day that holds `agentMs`.
int64_t PrevCloseOn(QueryContext& q, const Product& p, int64_t agentMs) {
  market::SimulatedMarket& m = q.broker.market;
  return m.PriceAt(p, m.StepAt(m.clock().DayStart(agentMs)) - 1);
}

// A bar's prices, as every chart service shows them.
void BarPrices(LayoutRow& row, const Product& p, const market::Bar& b) {
  row.Set(f::kOpen, Price(p, b.open))
      .Set(f::kHigh, Price(p, b.high))
      .Set(f::kLow, Price(p, b.low))
      .Set(f::kClose, Price(p, b.close));
}

// Keeps the fields of the record `row` that the FID field list selects.
void KeepListed(QueryContext& q, EventData& d, const std::vector<bool>& selected) {
  KeepSelected(d.records.find(kOutRec1)->second.front(), q.reply.records[0].fields, selected);
}

}  // namespace

EventData OverseasPrice(QueryContext& q) {
  const QueryInput in(q);
  const std::vector<bool> selected =
      SelectedFields(q.request.fieldList, q.reply.records[0].fields.size());
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode), {Market::kOverseas});
  market::SimulatedMarket& m = q.broker.market;
  const market::Snapshot s = m.At(p, q.now);
  const market::Session& x = s.session;
  const int64_t tradeMs = x.trades ? m.MsOfStep(x.lastTradeStep) : q.now;
  const int32_t today = LocalOf(q, q.now).date;
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kProductCode, p.code)
      .Set(f::kProductName, p.name)
      .Set(f::kEnglishName, p.englishName)
      .Set(f::kExchange, p.exchange)
      .Set(f::kCurrency, p.currency)
      .Set(f::kLocalDate, Ymd(LocalOf(q, tradeMs).date))
      .Set(f::kLocalTime, Hms(LocalOf(q, tradeMs).time))
      .Set(f::kCurrentPrice, Number(x.last))
      .Set(f::kChangeSign, ChangeSign(x.last, x.prevClose))
      .Set(f::kChange, Number(std::abs(x.last - x.prevClose)))
      .Set(f::kChangeRate, ChangeRate(x.last, x.prevClose))
      .Set(f::kOpen, Number(x.open))
      .Set(f::kHigh, Number(x.high))
      .Set(f::kLow, Number(x.low))
      .Set(f::kPrevClose, Number(x.prevClose))
      .Set(f::kVolume, Number(x.volume))
      .Set(f::kTradeVolume, Number(x.lastQty))
      .Set(f::kTradeSide, x.trades == 0 ? ""
                          : x.lastBuy   ? "+"
                                        : "-")
      .Set(f::kAsk, Number(s.book.asks[0].price))
      .Set(f::kBid, Number(s.book.bids[0].price))
      .Set(f::kBestAskSize, Number(s.book.asks[0].size))
      .Set(f::kBestBidSize, Number(s.book.bids[0].size))
      .Set(f::kAskSizeTotal, Number(s.book.AskSize()))
      .Set(f::kBidSizeTotal, Number(s.book.BidSize()))
      .Set(f::kTickSize, Price(p, p.tick))
      .Set(f::kTickValue, Fixed(static_cast<double>(p.tick) * p.RawValue(), 2))
      .Set(f::kContractSize, Number(static_cast<int64_t>(p.multiplier)))
      .Set(f::kDecimals, Number(p.decimals))
      .Set(f::kNotation, Number(p.fraction ? p.fraction : 10))
      .Set(f::kLastTradingDay, Ymd(p.expiry))
      .Set(f::kDaysToExpiry, Number(std::max(0, market::DaysBetween(today, p.expiry))))
      .Set(f::kListedDate, Ymd(p.listed))
      .Set(f::kUnderlying, p.IsOption() ? p.underlying : "")
      .Set(f::kStrike, Number(p.strike))
      .Set(f::kOptionKind, KindCode(p))
      .Set(f::kTurnover, Fixed(x.turnover, 2))
      .Set(f::kTheoreticalPrice, Number(market::SimulatedMarket::RoundToGrid(p, s.fair)))
      .Set(f::kImpliedVolatility, p.IsOption() ? Fixed(p.impliedVol * 100, 2) : "0.00");
  KeepListed(q, d, selected);
  return d;
}

EventData OverseasProducts(QueryContext& q) {
  // An exchange ("CME") for its futures, or the start of codes ("ES",
  // "OES"); blank: every overseas future. Contracts that trade today.
  const QueryInput in(q);
  const std::string_view key = in.Text(f::kExchangeOrCode);
  const int32_t today = LocalOf(q, q.now).date;
  market::SimulatedMarket& m = q.broker.market;
  const std::vector<const Product*> overseas = m.products().Matching("", Market::kOverseas);
  const bool exchange = std::any_of(overseas.begin(), overseas.end(),
                                    [&](const Product* p) { return p->exchange == key; });
  EventData d;
  for (const Product* p : overseas) {
    const bool listed = key.empty() || exchange
                            ? !p->IsOption() && (key.empty() || p->exchange == key)
                            : p->code.starts_with(key);
    if (!listed || !market::TradesOn(*p, today)) continue;
    const market::Glance g = m.GlanceAt(*p, q.now);
    AddReplyRow(d, q)
        .Set(f::kProductCode, p->code)
        .Set(f::kProductName, p->name)
        .Set(f::kCurrentPrice, Price(*p, g.last))
        .Set(f::kChangeSign, ChangeSign(g.last, g.prevClose))
        .Set(f::kChange, Price(*p, std::abs(g.last - g.prevClose)))
        .Set(f::kChangeRate, ChangeRate(g.last, g.prevClose))
        .Set(f::kExchange, p->exchange)
        .Set(f::kCurrency, p->currency)
        .Set(f::kLastTradingDay, Ymd(p->expiry));
  }
  if (d.records.empty()) q.notice = kMsgNoData;
  return d;
}

EventData ProductService(QueryContext& q) {
  // An exchange (blank: all). Answers how many products each exchange
  // lists.
  const QueryInput in(q);
  const std::string_view only = in.Text(f::kExchange);
  std::map<std::string, int64_t> counts;
  for (const Product* p : q.broker.market.products().Matching("", Market::kOverseas)) {
    if (only.empty() || p->exchange == only) ++counts[p->exchange];
  }
  if (counts.empty()) throw Refused(kMsgUnknownExchange, std::string(only));
  EventData d;
  int64_t total = 0;
  for (const auto& [exchange, n] : counts) {
    AddReplyRow(d, q, kOutRec2).Set(f::kExchange, exchange).Set(f::kProductCount, Number(n));
    total += n;
  }
  AddReplyRow(d, q)
      .Set(f::kProcessCode, "0000")
      .Set(f::kProcessMessage, "해외 종목 서비스 요청이 처리되었습니다")
      .Set(f::kProductCount, Number(total));
  return d;
}

EventData RecentTicks(QueryContext& q) {
  // The product and how many trades.
  const QueryInput in(q);
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode), {Market::kOverseas});
  const int32_t count = in.Number(f::kCount);
  market::SimulatedMarket& m = q.broker.market;
  const int64_t step = m.StepAt(q.now);
  const std::vector<market::Trade> trades =
      m.RecentTrades(p, step + 1, static_cast<size_t>(count), step - kDayMs / market::kStepMs);
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kProductCode, p.code)
      .Set(f::kQueryCount, Number(static_cast<int64_t>(trades.size())));
  for (const market::Trade& t : trades) {
    const market::LocalTime at = LocalOf(q, m.MsOfStep(t.step));
    AddReplyRow(d, q, kOutRec2)
        .Set(f::kDate, Ymd(at.date))
        .Set(f::kTime, Hms(at.time))
        .Set(f::kClose, Price(p, t.price))
        .Set(f::kTradeVolume, Number(t.qty))
        .Set(f::kBuySell, t.buy ? "1" : "2");
  }
  return d;
}

EventData MinuteBars(QueryContext& q) {
  // The product, the minutes a bar and the bars a page. Newest first, back
  // to the start of the day before; the continuation key is the start
  // (YYYYMMDDHHMMSS) of the next bar to show.
  const QueryInput in(q);
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode), {Market::kOverseas});
  const int32_t minutes = MinutePeriod(in);
  const int32_t count = in.Number(f::kCount);
  market::SimulatedMarket& m = q.broker.market;
  const int64_t limit = m.clock().DayStart(m.clock().DayStart(q.now) - 1);
  int64_t end = q.now;
  if (!q.request.nextKey.empty()) {
    const std::optional<int64_t> at = ParseMoment(q, q.request.nextKey);
    if (!at || *at > q.now || *at < limit) {
      throw Refused(kMsgBadNextKey, std::string(q.request.nextKey));
    }
    // The whole bar that starts at the key, not just its first moment.
    end = std::min(q.now, *at + minutes * 60'000 - 1);
  }
  std::vector<market::Bar> bars = m.Bars(p, minutes * 60, end, static_cast<size_t>(count));
  std::erase_if(bars, [&](const market::Bar& b) { return b.startMs < limit; });
  std::reverse(bars.begin(), bars.end());
  EventData d;
  std::map<int32_t, int64_t> prevCloses;  // by day
  for (const market::Bar& b : bars) {
    const market::LocalTime at = LocalOf(q, b.startMs);
    auto prev = prevCloses.find(at.date);
    if (prev == prevCloses.end()) {
      prev = prevCloses.emplace(at.date, PrevCloseOn(q, p, b.startMs)).first;
    }
    LayoutRow row = AddReplyRow(d, q);
    row.Set(f::kDate, Ymd(at.date)).Set(f::kTime, Hms(at.time));
    BarPrices(row, p, b);
    row.Set(f::kTradeVolume, Number(b.volume));
    d.block += LayoutBlockRow(q.reply.block->row)
                   .SetFrom(row.row())
                   .Set(f::kProductCode, p.code)
                   .Set(f::kChangeSign, ChangeSign(b.close, prev->second))
                   .Set(f::kChange, Price(p, std::abs(b.close - prev->second)))
                   .Set(f::kChangeRate, ChangeRate(b.close, prev->second))
                   .text();
  }
  if (!bars.empty() && bars.back().startMs - 1 >= limit) {
    // The bar before the oldest shown starts the next page.
    const std::vector<market::Bar> before = m.Bars(p, minutes * 60, bars.back().startMs - 1, 1);
    if (!before.empty() && before.front().startMs >= limit) {
      d.nextKey = MomentText(q, before.front().startMs);
    }
  }
  return d;
}

EventData Bars(QueryContext& q) {
  // The product, the minutes a bar and how many bars. Newest first.
  const QueryInput in(q);
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode), {Market::kOverseas});
  const int32_t minutes = MinutePeriod(in);
  const int32_t count = in.Number(f::kCount);
  std::vector<market::Bar> bars =
      q.broker.market.Bars(p, minutes * 60, q.now, static_cast<size_t>(count));
  std::reverse(bars.begin(), bars.end());
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kBarCount, Number(static_cast<int64_t>(bars.size())))
      .Set(f::kProductCode, p.code)
      .Set(f::kBarMinutes, Number(minutes));
  for (const market::Bar& b : bars) {
    const market::LocalTime at = LocalOf(q, b.startMs);
    LayoutRow row = AddReplyRow(d, q, kOutRec2);
    row.Set(f::kStartDate, Ymd(at.date)).Set(f::kStartTime, Hms(at.time));
    BarPrices(row, p, b);
    row.Set(f::kTradeVolume, Number(b.volume));
  }
  return d;
}

EventData ServerTime(QueryContext& q) {
  // Reads no input.
  const market::LocalTime now = LocalOf(q, q.now);
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kServerDate, Ymd(now.date))
      .Set(f::kServerTime, Hms(now.time))
      .Set(f::kServerMillis, Number(now.ms));
  return d;
}

EventData ItemPrice(QueryContext& q) {
  // An overseas futures family ("CL"); answers for its front contract. The
  // layout pads the name and the price so that the three values read as
  // columns when joined.
  const QueryInput in(q);
  const Product& p = FrontOfItem(q, in.Raw(f::kRootCode));
  market::SimulatedMarket& m = q.broker.market;
  const market::Glance g = m.GlanceAt(p, q.now);
  const int64_t tradeMs = g.lastTradeStep >= 0 ? m.MsOfStep(g.lastTradeStep) : q.now;
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kItemName, p.rootName)
      .Set(f::kFillTime, Hms(LocalOf(q, tradeMs).time))
      .Set(f::kCurrentPrice, Price(p, g.last))
      .Set(f::kProductCode, p.code)
      .Set(f::kChange, Price(p, std::abs(g.last - g.prevClose)))
      .Set(f::kChangeRate, ChangeRate(g.last, g.prevClose));
  return d;
}

EventData ItemBoard(QueryContext& q) {
  // An overseas futures family. Its contracts (up to the block's rows),
  // blank where there is none.
  const QueryInput in(q);
  const Product& front = FrontOfItem(q, in.Raw(f::kRootCode));
  market::SimulatedMarket& m = q.broker.market;
  const protocol::BlockLayout& block = *q.reply.block;
  EventData d;
  size_t rows = 0;
  for (const Product* p : m.products().OfRoot(front.root)) {
    if (rows == block.fixedRows) break;
    ++rows;
    const market::Glance g = m.GlanceAt(*p, q.now);
    const int64_t tradeMs = g.lastTradeStep >= 0 ? m.MsOfStep(g.lastTradeStep) : q.now;
    LayoutRow row = AddReplyRow(d, q);
    row.Set(f::kProductCode, p->code)
        .Set(f::kProductName, p->name)
        .Set(f::kCurrentPrice, Price(*p, g.last))
        .Set(f::kAsk, Price(*p, g.book.asks[0].price))
        .Set(f::kBid, Price(*p, g.book.bids[0].price));
    d.block += LayoutBlockRow(block.row)
                   .SetFrom(row.row())
                   .Set(f::kChangeSign, ChangeSign(g.last, g.prevClose))
                   .Set(f::kChange, Price(*p, std::abs(g.last - g.prevClose)))
                   .Set(f::kChangeRate, ChangeRate(g.last, g.prevClose))
                   .Set(f::kFillTime, Hms(LocalOf(q, tradeMs).time))
                   .Set(f::kLastTradingDay, Ymd(p->expiry))
                   .text();
  }
  d.block.resize(block.fixedRows * block.RowWidth(), ' ');
  return d;
}

EventData ChartData(QueryContext& q) {
  // The product (any market), the period (D days, H hours, M minutes;
  // blank: D), how many bars and the moment to end at (YYYYMMDDHHMMSS;
  // blank: now). 이전키 is the moment that continues with older bars.
  const QueryInput in(q);
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode),
                                    {Market::kDomestic, Market::kOverseas, Market::kFxMargin});
  const std::string_view period = in.Text(f::kPeriod);
  const int32_t seconds = period.empty() || period == "D" ? 86'400
                          : period == "H"                 ? 3'600
                          : period == "M"                 ? 60
                                                          : 0;
  if (seconds == 0)
    throw Refused(kMsgBadInput, std::string(f::kPeriod) + " " + std::string(period));
  const int32_t count = in.Number(f::kCount);
  int64_t end = q.now;
  if (const std::string_view at = in.Text(f::kEndMoment); !at.empty()) {
    const std::optional<int64_t> moment = ParseMoment(q, at);
    if (!moment || *moment > q.now) {
      throw Refused(kMsgBadInput, std::string(f::kEndMoment) + " " + std::string(at));
    }
    end = *moment;
  }
  std::vector<market::Bar> bars = q.broker.market.Bars(p, seconds, end, static_cast<size_t>(count));
  std::reverse(bars.begin(), bars.end());
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kChartCount, Number(static_cast<int64_t>(bars.size())))
      .Set(f::kPreviousKey, bars.empty() ? "" : MomentText(q, bars.back().startMs - 1))
      .Set(f::kProductCode, p.code);
  for (const market::Bar& b : bars) {
    LayoutRow row = AddReplyRow(d, q, kOutRec2);
    row.Set(f::kDateTime, MomentText(q, b.startMs));
    BarPrices(row, p, b);
    row.Set(f::kBarVolume, Number(b.volume));
  }
  return d;
}

EventData FxPrice(QueryContext& q) {
  const QueryInput in(q);
  const std::vector<bool> selected =
      SelectedFields(q.request.fieldList, q.reply.records[0].fields.size());
  const Product& p = CheckedProduct(q, in.Raw(f::kProductCode), {Market::kFxMargin});
  const market::Snapshot s = q.broker.market.At(p, q.now);
  const market::Session& x = s.session;
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kProductCode, p.code)
      .Set(f::kAskPrice, Price(p, s.book.asks[0].price))
      .Set(f::kBidPrice, Price(p, s.book.bids[0].price))
      .Set(f::kProductName, p.name)
      .Set(f::kCurrentPrice, Price(p, x.last))
      .Set(f::kOpen, Price(p, x.open))
      .Set(f::kHigh, Price(p, x.high))
      .Set(f::kLow, Price(p, x.low))
      .Set(f::kPrevClose, Price(p, x.prevClose))
      .Set(f::kChange, Price(p, x.last - x.prevClose))
      .Set(f::kQuoteTime, Hms(LocalOf(q, q.now).time))
      .Set(f::kChangeRate, ChangeRate(x.last, x.prevClose))
      .Set(f::kSpread, Price(p, s.book.asks[0].price - s.book.bids[0].price))
      .Set(f::kDecimals, Number(p.decimals))
      .Set(f::kTradingUnit, Number(static_cast<int64_t>(p.multiplier)))
      .Set(f::kAskSize, Number(s.book.asks[0].size))
      .Set(f::kBidSize, Number(s.book.bids[0].size));
  KeepListed(q, d, selected);
  return d;
}

}  // namespace zqk::sandbox::services
