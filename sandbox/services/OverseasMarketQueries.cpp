// Prices, lists and charts of the overseas market (and the FX quote): the
// product inputs carry the code in their first 32 bytes (10 for FX pairs).
#include <QDateTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/services/FieldList.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::Product;

constexpr std::string_view kOut1 = "OutRec1";
constexpr std::string_view kOut2 = "OutRec2";
constexpr int64_t kDayMs = 86'400'000;

// "o51000": prices are raw (FormatValue kind 0 displays them).
constexpr std::array<std::string_view, 38> kPriceFields = {
    "종목코드", "종목명",     "영문종목명",   "거래소",       "통화",           "국내일자",
    "국내시간", "현재가",     "전일대비구분", "전일대비",     "등락률",         "시가",
    "고가",     "저가",       "전일종가",     "누적거래량",   "체결량",         "체결구분",
    "매도호가", "매수호가",   "매도호가잔량", "매수호가잔량", "매도호가총잔량", "매수호가총잔량",
    "틱크기",   "틱가치",     "계약단위",     "소수점자리수", "진법",           "최종거래일",
    "잔존일수", "상장일",     "기초자산코드", "행사가격",     "옵션구분",       "거래대금",
    "이론가",   "내재변동성",
};

// "x00001": prices are decimal.
constexpr std::array<std::string_view, 17> kFxFields = {
    "종목코드", "매도가격",     "매수가격", "종목명",   "현재가",   "시가",
    "고가",     "저가",         "전일종가", "전일대비", "호가시간", "등락률",
    "스프레드", "소수점자리수", "거래단위", "매도잔량", "매수잔량",
};

constexpr int32_t kMinutePeriods[] = {1, 2, 3, 5, 10, 15, 20, 30, 60};

market::LocalTime LocalOf(QueryContext& q, int64_t agentMs) {
  return q.broker.market.clock().Local(agentMs);
}

std::string KindCode(const Product& p) {
  return p.kind == market::ProductKind::kCall  ? "C"
         : p.kind == market::ProductKind::kPut ? "P"
                                               : "F";
}

int32_t MinutePeriod(const QueryInput& in, size_t offset) {
  const int32_t minutes = in.Number(offset, 3, 1, 1, 60, "분");
  if (std::find(std::begin(kMinutePeriods), std::end(kMinutePeriods), minutes) ==
      std::end(kMinutePeriods)) {
    throw Refused(kMsgBadInput, "분 " + std::to_string(minutes));
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
void BarPrices(EventData::Row& row, const Product& p, const market::Bar& b) {
  row["시가"] = Price(p, b.open);
  row["고가"] = Price(p, b.high);
  row["저가"] = Price(p, b.low);
  row["종가"] = Price(p, b.close);
}

}  // namespace

EventData OverseasPrice(QueryContext& q) {
  const QueryInput in(q.request.input);
  const std::vector<bool> selected = SelectedFields(q.request.fieldList, kPriceFields.size());
  const Product& p = CheckedProduct(q, in.Raw(0, 32), {Market::kOverseas});
  market::SimulatedMarket& m = q.broker.market;
  const market::Snapshot s = m.At(p, q.now);
  const market::Session& x = s.session;
  const int64_t tradeMs = x.trades ? m.MsOfStep(x.lastTradeStep) : q.now;
  const int32_t today = LocalOf(q, q.now).date;
  EventData d;
  EventData::Row& row = d.AddRow(kOut1);
  const std::string values[] = {
      p.code,
      p.name,
      p.englishName,
      p.exchange,
      p.currency,
      Ymd(LocalOf(q, tradeMs).date),
      Hms(LocalOf(q, tradeMs).time),
      Number(x.last),
      ChangeSign(x.last, x.prevClose),
      Number(std::abs(x.last - x.prevClose)),
      ChangeRate(x.last, x.prevClose),
      Number(x.open),
      Number(x.high),
      Number(x.low),
      Number(x.prevClose),
      Number(x.volume),
      Number(x.lastQty),
      x.trades == 0 ? ""
      : x.lastBuy   ? "+"
                    : "-",
      Number(s.book.asks[0].price),
      Number(s.book.bids[0].price),
      Number(s.book.asks[0].size),
      Number(s.book.bids[0].size),
      Number(s.book.AskSize()),
      Number(s.book.BidSize()),
      Price(p, p.tick),
      Fixed(static_cast<double>(p.tick) * p.RawValue(), 2),
      Number(static_cast<int64_t>(p.multiplier)),
      Number(p.decimals),
      Number(p.fraction ? p.fraction : 10),
      Ymd(p.expiry),
      Number(std::max(0, market::DaysBetween(today, p.expiry))),
      Ymd(p.listed),
      p.IsOption() ? p.underlying : "",
      Number(p.strike),
      KindCode(p),
      Fixed(x.turnover, 2),
      Number(market::SimulatedMarket::RoundToGrid(p, s.fair)),
      p.IsOption() ? Fixed(p.impliedVol * 100, 2) : "0.00",
  };
  for (size_t i = 0; i < kPriceFields.size(); ++i) row[std::string(kPriceFields[i])] = values[i];
  KeepSelected(row, kPriceFields, selected);
  return d;
}

EventData OverseasProducts(QueryContext& q) {
  // Bytes 1-10: an exchange ("CME") for its futures, or the start of codes
  // ("ES", "OES"); blank: every overseas future. Contracts that trade today.
  const QueryInput in(q.request.input);
  const std::string_view key = in.Text(0, 10);
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
    EventData::Row& row = d.AddRow(kOut1);
    row["종목코드"] = p->code;
    row["종목명"] = p->name;
    row["현재가"] = Price(*p, g.last);
    row["전일대비구분"] = ChangeSign(g.last, g.prevClose);
    row["전일대비"] = Price(*p, std::abs(g.last - g.prevClose));
    row["등락률"] = ChangeRate(g.last, g.prevClose);
    row["거래소"] = p->exchange;
    row["통화"] = p->currency;
    row["최종거래일"] = Ymd(p->expiry);
  }
  if (d.records.empty()) q.notice = kMsgNoData;
  return d;
}

EventData ProductService(QueryContext& q) {
  // Bytes 1-10: an exchange (blank: all). Answers how many products each
  // exchange lists.
  const QueryInput in(q.request.input);
  const std::string_view only = in.Text(0, 10);
  std::map<std::string, int64_t> counts;
  for (const Product* p : q.broker.market.products().Matching("", Market::kOverseas)) {
    if (only.empty() || p->exchange == only) ++counts[p->exchange];
  }
  if (counts.empty()) throw Refused(kMsgUnknownExchange, std::string(only));
  EventData d;
  int64_t total = 0;
  for (const auto& [exchange, n] : counts) {
    EventData::Row& row = d.AddRow(kOut2);
    row["거래소"] = exchange;
    row["종목수"] = Number(n);
    total += n;
  }
  EventData::Row& row = d.AddRow(kOut1);
  row["처리코드"] = "0000";
  row["처리메시지"] = "해외 종목 서비스 요청이 처리되었습니다";
  row["종목수"] = Number(total);
  return d;
}

EventData RecentTicks(QueryContext& q) {
  // Bytes 1-32 the product, 33-36 how many trades (blank: 20; up to 500).
  const QueryInput in(q.request.input);
  const Product& p = CheckedProduct(q, in.Raw(0, 32), {Market::kOverseas});
  const int32_t count = in.Number(32, 4, 20, 1, 500, "건수");
  market::SimulatedMarket& m = q.broker.market;
  const int64_t step = m.StepAt(q.now);
  const std::vector<market::Trade> trades =
      m.RecentTrades(p, step + 1, static_cast<size_t>(count), step - kDayMs / market::kStepMs);
  EventData d;
  EventData::Row& head = d.AddRow(kOut1);
  head["종목코드"] = p.code;
  head["조회건수"] = Number(static_cast<int64_t>(trades.size()));
  for (const market::Trade& t : trades) {
    const market::LocalTime at = LocalOf(q, m.MsOfStep(t.step));
    EventData::Row& row = d.AddRow(kOut2);
    row["일자"] = Ymd(at.date);
    row["시간"] = Hms(at.time);
    row["종가"] = Price(p, t.price);
    row["체결량"] = Number(t.qty);
    row["매매구분"] = std::string(t.buy ? "1" : "2");  // apart: g++ 12 -Wrestrict at -O3
  }
  return d;
}

EventData MinuteBars(QueryContext& q) {
  // Bytes 1-32 the product, 33-35 the minutes a bar (blank: 1), 36-39 bars
  // a page (blank: 20; up to 100). Newest first, back to the start of the
  // day before; the continuation key is the start (YYYYMMDDHHMMSS) of the
  // next bar to show.
  const QueryInput in(q.request.input);
  const Product& p = CheckedProduct(q, in.Raw(0, 32), {Market::kOverseas});
  const int32_t minutes = MinutePeriod(in, 32);
  const int32_t count = in.Number(35, 4, 20, 1, 100, "건수");
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
    EventData::Row& row = d.AddRow(kOut1);
    row["일자"] = Ymd(at.date);
    row["시간"] = Hms(at.time);
    BarPrices(row, p, b);
    row["체결량"] = Number(b.volume);
    d.block += BlockRow()
                   .Add(p.code, 32)
                   .Add(Ymd(at.date), 8)
                   .Add(Hms(at.time), 6)
                   .Add(Price(p, b.open), 15)
                   .Add(Price(p, b.high), 15)
                   .Add(Price(p, b.low), 15)
                   .Add(Price(p, b.close), 15)
                   .Add(Number(b.volume), 10)
                   .Add(ChangeSign(b.close, prev->second), 1)
                   .Add(Price(p, std::abs(b.close - prev->second)), 15)
                   .Add(ChangeRate(b.close, prev->second), 8)
                   .Add("", 5)
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
  // Bytes 1-32 the product, 33-35 the minutes a bar (blank: 1), 36-39 how
  // many bars (blank: 20; up to 500). Newest first.
  const QueryInput in(q.request.input);
  const Product& p = CheckedProduct(q, in.Raw(0, 32), {Market::kOverseas});
  const int32_t minutes = MinutePeriod(in, 32);
  const int32_t count = in.Number(35, 4, 20, 1, 500, "건수");
  std::vector<market::Bar> bars =
      q.broker.market.Bars(p, minutes * 60, q.now, static_cast<size_t>(count));
  std::reverse(bars.begin(), bars.end());
  EventData d;
  EventData::Row& head = d.AddRow(kOut1);
  head["수신봉개수"] = Number(static_cast<int64_t>(bars.size()));
  head["종목코드"] = p.code;
  head["분간격"] = Number(minutes);
  for (const market::Bar& b : bars) {
    const market::LocalTime at = LocalOf(q, b.startMs);
    EventData::Row& row = d.AddRow(kOut2);
    row["시작일자"] = Ymd(at.date);
    row["시작시간"] = Hms(at.time);
    BarPrices(row, p, b);
    row["체결량"] = Number(b.volume);
  }
  return d;
}

EventData ServerTime(QueryContext& q) {
  // Reads no input.
  const market::LocalTime now = LocalOf(q, q.now);
  EventData d;
  EventData::Row& row = d.AddRow(kOut1);
  row["서버일자"] = Ymd(now.date);
  row["서버시간"] = Hms(now.time);
  row["서버밀리초"] = Number(now.ms);
  return d;
}

EventData ItemPrice(QueryContext& q) {
  // Bytes 1-10: an overseas futures family ("CL"); answers for its front
  // contract. The name and the price are padded so that the three values
  // read as columns when joined.
  const QueryInput in(q.request.input);
  const Product& p = FrontOfItem(q, in.Raw(0, 10));
  market::SimulatedMarket& m = q.broker.market;
  const market::Glance g = m.GlanceAt(p, q.now);
  const int64_t tradeMs = g.lastTradeStep >= 0 ? m.MsOfStep(g.lastTradeStep) : q.now;
  EventData d;
  EventData::Row& row = d.AddRow(kOut1);
  row["품목명"] = Fit(p.rootName, 20);
  row["체결시간"] = Hms(LocalOf(q, tradeMs).time);
  row["현재가"] = FitRight(Price(p, g.last), 12);
  row["종목코드"] = p.code;
  row["전일대비"] = Price(p, std::abs(g.last - g.prevClose));
  row["등락률"] = ChangeRate(g.last, g.prevClose);
  return d;
}

EventData ItemBoard(QueryContext& q) {
  // Bytes 1-10: an overseas futures family. Its contracts (up to ten) in a
  // block of ten 136-byte rows, blank where there is none.
  const QueryInput in(q.request.input);
  const Product& front = FrontOfItem(q, in.Raw(0, 10));
  market::SimulatedMarket& m = q.broker.market;
  EventData d;
  size_t rows = 0;
  for (const Product* p : m.products().OfRoot(front.root)) {
    if (rows == 10) break;
    ++rows;
    const market::Glance g = m.GlanceAt(*p, q.now);
    const int64_t tradeMs = g.lastTradeStep >= 0 ? m.MsOfStep(g.lastTradeStep) : q.now;
    EventData::Row& row = d.AddRow(kOut1);
    row["종목코드"] = p->code;
    row["종목명"] = p->name;
    row["현재가"] = Price(*p, g.last);
    row["매도호가"] = Price(*p, g.book.asks[0].price);
    row["매수호가"] = Price(*p, g.book.bids[0].price);
    d.block += BlockRow()
                   .Add(p->code, 32)
                   .Add(p->name, 36)
                   .Add(Price(*p, g.last), 15)
                   .Add(ChangeSign(g.last, g.prevClose), 1)
                   .Add(Price(*p, std::abs(g.last - g.prevClose)), 15)
                   .Add(ChangeRate(g.last, g.prevClose), 8)
                   .Add(Price(*p, g.book.bids[0].price), 15)
                   .Add(Hms(LocalOf(q, tradeMs).time), 6)
                   .Add(Ymd(p->expiry), 8)
                   .text();
  }
  d.block.resize(10 * 136, ' ');
  return d;
}

EventData ChartData(QueryContext& q) {
  // Bytes 1-32 the product (any market), 33 the period (D days, H hours,
  // M minutes; blank: D), 34-37 how many bars (blank: 30; up to 500), 38-51
  // the moment to end at (YYYYMMDDHHMMSS; blank: now). 이전키 is the moment
  // that continues with older bars.
  const QueryInput in(q.request.input);
  const Product& p =
      CheckedProduct(q, in.Raw(0, 32), {Market::kDomestic, Market::kOverseas, Market::kFxMargin});
  const std::string_view period = in.Text(32, 1);
  const int32_t seconds = period.empty() || period == "D" ? 86'400
                          : period == "H"                 ? 3'600
                          : period == "M"                 ? 60
                                                          : 0;
  if (seconds == 0) throw Refused(kMsgBadInput, "주기 " + std::string(period));
  const int32_t count = in.Number(33, 4, 30, 1, 500, "건수");
  int64_t end = q.now;
  if (const std::string_view at = in.Text(37, 14); !at.empty()) {
    const std::optional<int64_t> moment = ParseMoment(q, at);
    if (!moment || *moment > q.now) throw Refused(kMsgBadInput, "기준시각 " + std::string(at));
    end = *moment;
  }
  std::vector<market::Bar> bars = q.broker.market.Bars(p, seconds, end, static_cast<size_t>(count));
  std::reverse(bars.begin(), bars.end());
  EventData d;
  EventData::Row& head = d.AddRow(kOut1);
  head["차트카운트"] = Number(static_cast<int64_t>(bars.size()));
  head["이전키"] = bars.empty() ? "" : MomentText(q, bars.back().startMs - 1);
  head["종목코드"] = p.code;
  for (const market::Bar& b : bars) {
    EventData::Row& row = d.AddRow(kOut2);
    row["날짜시간"] = MomentText(q, b.startMs);
    BarPrices(row, p, b);
    row["거래량"] = Number(b.volume);
  }
  return d;
}

EventData FxPrice(QueryContext& q) {
  const QueryInput in(q.request.input);
  const std::vector<bool> selected = SelectedFields(q.request.fieldList, kFxFields.size());
  const Product& p = CheckedProduct(q, in.Raw(0, 10), {Market::kFxMargin});
  const market::Snapshot s = q.broker.market.At(p, q.now);
  const market::Session& x = s.session;
  EventData d;
  EventData::Row& row = d.AddRow(kOut1);
  const std::string values[] = {
      p.code,
      Price(p, s.book.asks[0].price),
      Price(p, s.book.bids[0].price),
      p.name,
      Price(p, x.last),
      Price(p, x.open),
      Price(p, x.high),
      Price(p, x.low),
      Price(p, x.prevClose),
      Price(p, x.last - x.prevClose),
      Hms(LocalOf(q, q.now).time),
      ChangeRate(x.last, x.prevClose),
      Price(p, s.book.asks[0].price - s.book.bids[0].price),
      Number(p.decimals),
      Number(static_cast<int64_t>(p.multiplier)),
      Number(s.book.asks[0].size),
      Number(s.book.bids[0].size),
  };
  for (size_t i = 0; i < kFxFields.size(); ++i) row[std::string(kFxFields[i])] = values[i];
  KeepSelected(row, kFxFields, selected);
  return d;
}

}  // namespace zqk::sandbox::services
