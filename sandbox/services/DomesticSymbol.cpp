// The domestic symbol record: everything about a domestic future or option in
// one record of 233 numbered fields (protocol/SymbolRecordFields.h; field
// number = position, from 000). The input names the product. The FID field
// list selects the fields (FieldList.h).
//
// The record is a table with a row per field, by its number in the record
// (its name in the comment above it): what the field shows, read from the
// figures of the product that the market gives at that moment. A name that
// stands more than once in the record has one row, at its first number, so
// it carries the same value each time.
#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "protocol/FieldNames.h"
#include "protocol/SymbolRecordFields.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/IndexCarry.h"
#include "sandbox/market/SeededHash.h"
#include "sandbox/services/FieldList.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::Product;
using market::ProductKind;
using market::SimulatedMarket;

// The exchange's rules and the record's conventions, as the record shows them.
constexpr double kCdRate = 1.35;              // CD금리, percent
constexpr double kDailyLimit = 0.10;          // 상한가, 하한가: the previous close ± 10 %
constexpr double kCircuitBreaker = 0.08;      // CB적용상한가, CB적용하한가
constexpr double kNormalQuoteRange = 0.05;    // 정상호가범위: the last price ± 5 %
constexpr double kYearHighFromListed = 0.97;  // 연중최고가 below the high since listing
constexpr double kYearLowFromListed = 1.03;   // 연중최저가 above the low since listing
constexpr double kAtmStrikeStep = 2.5;        // strikes of the index options
constexpr double kTradingDaysAYear = 250;
constexpr double kFutureDividendValue = 0.45;  // 배당액지수미래가치 of a future
constexpr std::string_view kYesterdaysLastTrade = "154500";
constexpr std::string_view kNoSpreadLeg = "000000000000";

// The figures of one product at one moment, gathered from the market once;
// every row of the table reads them.
struct Figures {
  Figures(QueryContext& q, const Product& product);

  std::string Px(int64_t raw) const { return Price(p, raw); }
  std::string Px(double raw) const { return Fixed(raw / scale, p.decimals); }
  int64_t Grid(double raw) const { return SimulatedMarket::RoundToGrid(p, raw); }
  // `raw` times `factor` on the price grid, never below the smallest price.
  int64_t GridAtLeastTick(double raw) const { return std::max(p.TickAt(0), Grid(raw)); }
  // A seeded figure of this product in [lo, hi].
  int64_t Seeded(uint64_t salt, int64_t lo, int64_t hi) const {
    return market::Between(market::Hash(m.seed(), p.id, salt), lo, hi);
  }
  // Percent change from `whole` to `part`, two decimals.
  static std::string Rate(double part, double whole) {
    return whole == 0 ? "0.00" : Fixed((part / whole - 1) * 100, 2);
  }
  // A seeded day between listing and today.
  int32_t DayAfterListing(uint64_t salt) const {
    return market::ToYmd(market::FromYmd(listed).addDays(Seeded(salt, 0, listedDays)));
  }
  // Implied volatility in percent of an option priced `price` (raw).
  double Implied(int64_t price) const {
    return option ? market::ImpliedVol(p.kind == ProductKind::kCall, forward,
                                       static_cast<double>(p.strike), years,
                                       static_cast<double>(price)) *
                        100
                  : 0.0;
  }
  // Whether this is the contract of its family (same kind) that expires
  // first from today.
  bool Nearest() const;
  // Weekdays from today to `to`.
  int32_t BusinessDaysTo(int32_t to) const;
  // The Greeks in the order of the record: delta, gamma, theta, vega, rho.
  std::string Greek(size_t i) const;
  // Bid size minus ask size at level `k` (from 0), and over all five.
  int64_t NetBid(size_t k) const { return book.bids[k].size - book.asks[k].size; }
  int64_t NetBids() const;
  // The change of the book since the step before.
  int64_t AskSizeChange(size_t k) const { return book.asks[k].size - before.asks[k].size; }
  int64_t BidSizeChange(size_t k) const { return book.bids[k].size - before.bids[k].size; }
  int64_t AskCountChange(size_t k) const { return book.asks[k].count - before.asks[k].count; }
  int64_t BidCountChange(size_t k) const { return book.bids[k].count - before.bids[k].count; }

  QueryContext& q;
  SimulatedMarket& m;
  const Product& p;
  const Product& index;  // the product's driver, KOSPI200
  double scale;
  market::Session x;
  market::Book book;
  market::Book before;  // at the step before
  market::LocalTime now;
  int32_t today;
  int32_t listed;
  int32_t listedDays;
  int64_t indexLevel;
  bool option;
  market::Greeks greeks;
  double years;    // to expiry
  double theo;     // the fair price, raw
  double forward;  // the index carried to expiry, raw
  market::Bar yesterday;
  int64_t prev;  // the previous close
  int64_t prevVolume;
  int64_t prevOpenInterest;
  int64_t openInterest;
  int64_t upper, lower;  // the day's price limits
  int64_t listedHigh, listedLow;
  double lastPrice;
  double strike;
  double intrinsic;
  double atm;            // the at-the-money strike
  int64_t pivot, range;  // of yesterday's bar
  double volIndex;
};

Figures::Figures(QueryContext& query, const Product& product)
    : q(query),
      m(query.broker.market),
      p(product),
      index(m.Driver(product)),
      scale(std::pow(10.0, product.decimals)) {
  const market::Snapshot s = m.At(p, q.now);
  x = s.session;
  book = s.book;
  before = m.BookAt(p, s.step - 1);
  now = m.clock().Local(q.now);
  today = now.date;
  listed = p.listed;
  listedDays = std::max(0, market::DaysBetween(listed, today));
  indexLevel = m.GlanceAt(index, q.now).last;
  option = p.IsOption();
  greeks = m.OptionGreeks(p, q.now);
  years = std::max(0.0, m.YearsToExpiry(p, q.now));
  theo = s.fair;
  // The index carried to expiry as the market prices the contract.
  forward = market::CarriedForward(static_cast<double>(indexLevel), m.Carry(p, q.now), years);
  yesterday = m.Bars(p, 86'400, m.clock().DayStart(q.now) - 1, 1).front();
  prev = x.prevClose;
  prevVolume = static_cast<int64_t>(p.tradeRate * 86'400 * p.meanQty) * Seeded(1, 80, 120) / 100;
  prevOpenInterest = prevVolume * Seeded(2, 30, 90) / 100 + 100;
  openInterest = prevOpenInterest + (x.buyVolume - x.sellVolume) / 3;
  upper = Grid(static_cast<double>(prev) * (1 + kDailyLimit));
  lower = GridAtLeastTick(static_cast<double>(prev) * (1 - kDailyLimit));
  listedHigh = Grid(static_cast<double>(std::max(prev, x.last)) *
                    (1 + static_cast<double>(Seeded(3, 2, 25)) / 100));
  listedLow = GridAtLeastTick(static_cast<double>(std::min(prev, x.last)) *
                              (1 - static_cast<double>(Seeded(4, 2, 25)) / 100));
  lastPrice = static_cast<double>(x.last) / scale;
  strike = static_cast<double>(p.strike) / scale;
  intrinsic = option ? std::max(0.0, p.kind == ProductKind::kCall ? forward / scale - strike
                                                                  : strike - forward / scale)
                     : 0;
  atm = std::round(static_cast<double>(indexLevel) / (100 * kAtmStrikeStep)) * kAtmStrikeStep;
  pivot = (yesterday.high + yesterday.low + yesterday.close) / 3;
  range = yesterday.high - yesterday.low;
  volIndex = 15 + static_cast<double>(Seeded(13, 0, 400)) / 100;
}

bool Figures::Nearest() const {
  const Product* nearest = nullptr;
  for (const Product* other : m.products().OfRoot(p.root)) {
    if (other->expiry < today || other->kind != p.kind) continue;
    if (!nearest || other->expiry < nearest->expiry) nearest = other;
  }
  return nearest && nearest->expiry == p.expiry;
}

int32_t Figures::BusinessDaysTo(int32_t to) const {
  QDate day = market::FromYmd(today);
  const QDate end = market::FromYmd(to);
  int32_t days = 0;
  for (; day < end && days < 4000; day = day.addDays(1)) days += day.dayOfWeek() <= 5 ? 1 : 0;
  return days;
}

std::string Figures::Greek(size_t i) const {
  const double values[] = {option ? greeks.delta : 1.0, greeks.gamma * scale, greeks.theta / scale,
                           greeks.vega / scale, greeks.rho / scale};
  return Fixed(values[i], 4);
}

int64_t Figures::NetBids() const {
  int64_t net = 0;
  for (size_t k = 0; k < 5; ++k) net += NetBid(k);
  return net;
}

// The change of the bid at level `k` from the previous close; none without a bid.
std::string BidRate(const Figures& f, size_t k) {
  return f.book.bids[k].price ? ChangeRate(f.book.bids[k].price, f.prev) : "0.00";
}

using FieldValue = std::string (*)(const Figures&);

// One field of the record by its number: a constant or what the figures give.
struct SymbolField {
  constexpr SymbolField(size_t n, std::string_view c) : number(n), constant(c) {}
  constexpr SymbolField(size_t n, FieldValue v) : number(n), value(v) {}
  std::string Of(const Figures& f) const { return value ? value(f) : std::string(constant); }
  std::string_view Name() const { return protocol::kSymbolRecord[number].name; }

  size_t number;
  std::string_view constant;
  FieldValue value = nullptr;
};

using F = const Figures&;

constexpr auto kFields = std::to_array<SymbolField>({
    // 단축코드
    {0, [](F f) { return f.p.code; }},
    // 종목코드
    {1, [](F f) { return "KR4" + f.p.code + "0"; }},
    // 한글종목명
    {2, [](F f) { return f.p.name; }},
    // 종목한글약명
    {3, [](F f) { return f.p.shortName; }},
    // 영문종목명
    {4, [](F f) { return f.p.englishName; }},
    // 축약종목명
    {5, [](F f) { return f.p.shortName; }},
    // 상장일
    {6, [](F f) { return Ymd(f.listed); }},
    // 상장일수
    {7, [](F f) { return Number(f.listedDays); }},
    // 잔존일수
    {8, [](F f) { return Number(std::max(0, market::DaysBetween(f.today, f.p.expiry))); }},
    // 최종거래일
    {9, [](F f) { return Ymd(f.p.expiry); }},
    // 최종거래일구분
    {10, [](F f) { return std::string(f.today == f.p.expiry ? "1" : "0"); }},
    // 배당액지수미래가치
    {11,
     [](F f) { return f.option ? std::string("0.00") : Fixed(kFutureDividendValue, 2); }},
    // 기준가격구분
    {12, "1"},
    // 기준가격
    {13, [](F f) { return f.Px(f.prev); }},
    // 이론가
    {14, [](F f) { return f.Px(f.theo); }},
    // CD금리
    {16, [](F) { return Fixed(kCdRate, 2); }},
    // 상한가
    {17, [](F f) { return f.Px(f.upper); }},
    // 하한가
    {18, [](F f) { return f.Px(f.lower); }},
    // 전일정산가구분
    {19, "1"},
    // 전일정산가
    {20, [](F f) { return f.Px(f.prev); }},
    // 전일종가구분
    {21, "1"},
    // 전일종가
    {22, [](F f) { return f.Px(f.prev); }},
    // 전일체결수량
    {23, [](F f) { return Number(f.prevVolume); }},
    // 전일근월물체결수량
    {24, "0"},
    // 전일원월물체결수량
    {25, "0"},
    // 전일체결대금
    {26,
     [](F f) {
       return Number(static_cast<int64_t>(static_cast<double>(f.prevVolume) *
                                          static_cast<double>(f.prev) * f.p.RawValue() / 1000));
     }},
    // 전일근월물거래대금
    {27, "0"},
    // 전일원월물거래대금
    {28, "0"},
    // 전일미결제약정수량　
    {29, [](F f) { return Number(f.prevOpenInterest); }},
    // apart: g++ 12 -Wrestrict at -O3
    // 상장중최고가_SIGN포함
    {30, [](F f) { return std::string("+").append(f.Px(f.listedHigh)); }},
    // 상장중최고가일
    {31, [](F f) { return Ymd(f.DayAfterListing(5)); }},
    // 상장중최고가비율
    {32,
     [](F f) {
       return Figures::Rate(static_cast<double>(f.x.last), static_cast<double>(f.listedHigh));
     }},
    // 상장중최저가_SIGN포함
    {33, [](F f) { return std::string("+").append(f.Px(f.listedLow)); }},
    // 상장중최저가일
    {34, [](F f) { return Ymd(f.DayAfterListing(6)); }},
    // 상장중최저가비율
    {35,
     [](F f) {
       return Figures::Rate(static_cast<double>(f.x.last), static_cast<double>(f.listedLow));
     }},
    // 입회일자
    {36, [](F f) { return Ymd(f.today); }},
    // 시장가허용구분
    {37, "1"},
    // 조건부지정가허용구분
    {38, "1"},
    // 최유리지정가허용구분
    {39, "1"},
    // 최종결제가
    {40, [](F f) { return f.Px(int64_t{0}); }},
    // 최종결제가구분
    {41, "0"},
    // CB적용상한가
    {42,
     [](F f) { return f.Px(f.Grid(static_cast<double>(f.prev) * (1 + kCircuitBreaker))); }},
    // CB적용하한가
    {43,
     [](F f) {
       return f.Px(f.GridAtLeastTick(static_cast<double>(f.prev) * (1 - kCircuitBreaker)));
     }},
    // 전일최종매매체결시각
    {44, kYesterdaysLastTrade},
    // 전일스프레드근월물종가
    {45, [](F f) { return f.Px(int64_t{0}); }},
    // 전일스프레드원월물종가
    {46, [](F f) { return f.Px(int64_t{0}); }},
    // 스프레드근월물표준코드
    {47, kNoSpreadLeg},
    // 스프레드원월물표준코드
    {48, kNoSpreadLeg},
    // 거래단위
    {49, [](F f) { return Number(static_cast<int64_t>(f.p.multiplier)); }},
    // 체결시간
    {50,
     [](F f) {
       return f.x.trades ? Hms(f.m.clock().Local(f.m.MsOfStep(f.x.lastTradeStep)).time)
                         : std::string("000000");
     }},
    // 현재가
    {51, [](F f) { return f.Px(f.x.last); }},
    // 시가
    {52, [](F f) { return f.Px(f.x.open); }},
    // 고가
    {53, [](F f) { return f.Px(f.x.high); }},
    // 저가
    {54, [](F f) { return f.Px(f.x.low); }},
    // 전일대비구분
    {55, [](F f) { return ChangeSign(f.x.last, f.prev); }},
    // 전일대비　
    {56, [](F f) { return f.Px(std::abs(f.x.last - f.prev)); }},
    // 누적거래량
    {57, [](F f) { return Number(f.x.volume); }},
    // 누적거래대금
    {58, [](F f) { return Number(static_cast<int64_t>(f.x.turnover / 1000)); }},
    // 전일거래량대비
    {59, [](F f) { return Number(f.x.volume - f.prevVolume); }},
    // 등락률
    {60, [](F f) { return ChangeRate(f.x.last, f.prev); }},
    // 건별체결수량
    {61, [](F f) { return Number(f.x.lastQty); }},
    // 체결구분
    {62,
     [](F f) { return std::string(f.x.trades == 0 ? "0" : f.x.lastBuy ? "+" : "-"); }},
    // 매도누적거래량
    {63, [](F f) { return Number(f.x.sellVolume); }},
    // 매수누적거래량
    {64, [](F f) { return Number(f.x.buyVolume); }},
    // 매도누적체결건수
    {65, [](F f) { return Number(f.x.sellTrades); }},
    // 매수누적체결건수
    {66, [](F f) { return Number(f.x.buyTrades); }},
    // 근월물의제약정가격
    {67, [](F f) { return f.Px(int64_t{0}); }},
    // 원월물의제약정가격
    {68, [](F f) { return f.Px(int64_t{0}); }},
    // 근월물체결수량
    {69, "0"},
    // 원월물체결수량
    {70, "0"},
    // 근월물거래대금
    {71, "0"},
    // 원월물거래대금
    {72, "0"},
    // 매도체결수량_호가기준
    {73, [](F f) { return Number(f.x.sellVolume); }},
    // 매수체결수량_호가기준
    {74, [](F f) { return Number(f.x.buyVolume); }},
    // 호가수신시간
    {75, [](F f) { return Hms(f.now.time); }},
    // 매도호가1
    {76, [](F f) { return f.Px(f.book.asks[0].price); }},
    // 매수호가1
    {77, [](F f) { return f.Px(f.book.bids[0].price); }},
    // 매도호가수량1
    {78, [](F f) { return Number(f.book.asks[0].size); }},
    // 매수호가수량1
    {79, [](F f) { return Number(f.book.bids[0].size); }},
    // 매도호가건수1
    {80, [](F f) { return Number(f.book.asks[0].count); }},
    // 매수호가건수1
    {81, [](F f) { return Number(f.book.bids[0].count); }},
    // 매도호가2
    {82, [](F f) { return f.Px(f.book.asks[1].price); }},
    // 매수호가2
    {83, [](F f) { return f.Px(f.book.bids[1].price); }},
    // 매도호가수량2
    {84, [](F f) { return Number(f.book.asks[1].size); }},
    // 매수호가수량2
    {85, [](F f) { return Number(f.book.bids[1].size); }},
    // 매도호가건수2
    {86, [](F f) { return Number(f.book.asks[1].count); }},
    // 매수호가건수2
    {87, [](F f) { return Number(f.book.bids[1].count); }},
    // 매도호가3
    {88, [](F f) { return f.Px(f.book.asks[2].price); }},
    // 매수호가3
    {89, [](F f) { return f.Px(f.book.bids[2].price); }},
    // 매도호가수량3
    {90, [](F f) { return Number(f.book.asks[2].size); }},
    // 매수호가수량3
    {91, [](F f) { return Number(f.book.bids[2].size); }},
    // 매도호가건수3
    {92, [](F f) { return Number(f.book.asks[2].count); }},
    // 매수호가건수3
    {93, [](F f) { return Number(f.book.bids[2].count); }},
    // 매도호가4
    {94, [](F f) { return f.Px(f.book.asks[3].price); }},
    // 매수호가4
    {95, [](F f) { return f.Px(f.book.bids[3].price); }},
    // 매도호가수량4
    {96, [](F f) { return Number(f.book.asks[3].size); }},
    // 매수호가수량4
    {97, [](F f) { return Number(f.book.bids[3].size); }},
    // 매도호가건수4
    {98, [](F f) { return Number(f.book.asks[3].count); }},
    // 매수호가건수4
    {99, [](F f) { return Number(f.book.bids[3].count); }},
    // 매도호가5
    {100, [](F f) { return f.Px(f.book.asks[4].price); }},
    // 매수호가5
    {101, [](F f) { return f.Px(f.book.bids[4].price); }},
    // 매도호가수량5
    {102, [](F f) { return Number(f.book.asks[4].size); }},
    // 매수호가수량5
    {103, [](F f) { return Number(f.book.bids[4].size); }},
    // 매도호가건수5
    {104, [](F f) { return Number(f.book.asks[4].count); }},
    // 매수호가건수5
    {105, [](F f) { return Number(f.book.bids[4].count); }},
    // 매도호가총수량
    {106, [](F f) { return Number(f.book.AskSize()); }},
    // 매수호가총수량
    {107, [](F f) { return Number(f.book.BidSize()); }},
    // 매도호가총건수
    {108, [](F f) { return Number(f.book.AskCount()); }},
    // 매수호가총건수
    {109, [](F f) { return Number(f.book.BidCount()); }},
    // 장운용구분
    {110, "1"},
    // 체결일자
    {111, [](F f) { return Ymd(f.today); }},
    // 미결제약정구분
    {112, "1"},
    // 정산가격
    {113, [](F f) { return f.Px(f.x.last); }},
    // 정산가구분
    {114, "1"},
    // KOSPI200지수
    {115, [](F f) { return Price(f.index, f.indexLevel); }},
    // 괴리율
    {117, [](F f) { return Figures::Rate(static_cast<double>(f.x.last), f.theo); }},
    // 시장BASIS
    {118,
     [](F f) {
       return f.option ? std::string("0.00")
                       : Fixed(f.lastPrice - static_cast<double>(f.indexLevel) / 100, 2);
     }},
    // 이론BASIS
    {119,
     [](F f) {
       return f.option ? std::string("0.00")
                       : Fixed((f.theo - static_cast<double>(f.indexLevel)) / f.scale, 2);
     }},
    // 미결제약정수량
    {120, [](F f) { return Number(f.openInterest); }},
    // 미결제약정시가
    {121, [](F f) { return Number(f.prevOpenInterest + f.Seeded(7, -50, 50)); }},
    // 미결제약정고가
    {122,
     [](F f) {
       return Number(std::max(f.openInterest, f.prevOpenInterest) + f.Seeded(8, 0, 80));
     }},
    // 미결제약정저가
    {123,
     [](F f) {
       return Number(std::min(f.openInterest, f.prevOpenInterest) - f.Seeded(9, 0, 80));
     }},
    // 미결제증감수량
    {124, [](F f) { return Number(f.openInterest - f.prevOpenInterest); }},
    // 2차저항
    {125, [](F f) { return f.Px(f.Grid(static_cast<double>(f.pivot + f.range))); }},
    // 1차저항
    {126,
     [](F f) { return f.Px(f.Grid(static_cast<double>(2 * f.pivot - f.yesterday.low))); }},
    // 피봇값
    {127, [](F f) { return f.Px(f.Grid(static_cast<double>(f.pivot))); }},
    // 1차지지
    {128,
     [](F f) { return f.Px(f.Grid(static_cast<double>(2 * f.pivot - f.yesterday.high))); }},
    // 2차지지
    {129,
     [](F f) { return f.Px(f.GridAtLeastTick(static_cast<double>(f.pivot - f.range))); }},
    // 종목SEQ번호
    {130, [](F f) { return Number(&f.p - f.m.products().All().data() + 1); }},
    // 옵션종류
    {131,
     [](F f) {
       return std::string(!f.option ? "F" : f.p.kind == ProductKind::kCall ? "C" : "P");
     }},
    // 거래대상종목
    {132, [](F f) { return f.index.code; }},
    // 만기년월
    {133, [](F f) { return Number(f.p.expiry / 100); }},
    // 행사가격
    {134, [](F f) { return f.Px(f.p.strike); }},
    // 조회순번
    {135, "1"},
    // 권리행사유형구분
    {136, [](F f) { return std::string(f.option ? "E" : "0"); }},
    // 최근월물구분
    {137, [](F f) { return std::string(f.Nearest() ? "1" : "0"); }},
    // ATM구분
    {138,
     [](F f) {
       if (!f.option) return std::string("0");
       if (std::abs(f.strike - f.atm) < kAtmStrikeStep / 2) return std::string("1");
       return std::string((f.p.kind == ProductKind::kCall) == (f.strike < f.atm) ? "2" : "3");
     }},
    // 최초거래일
    {139, [](F f) { return Ymd(f.listed); }},
    // 신규구분
    {140, "0"},
    // 신규일자
    {141, [](F f) { return Ymd(f.listed); }},
    // 전일시가
    {142, [](F f) { return f.Px(f.yesterday.open); }},
    // 전일고가
    {143, [](F f) { return f.Px(f.yesterday.high); }},
    // 전일저가
    {144, [](F f) { return f.Px(f.yesterday.low); }},
    // 매매증거금기준가
    {145, [](F f) { return f.Px(f.prev); }},
    // 매매증거금기준가구분
    {146, "1"},
    // 정상호가범위(상한치)
    {147,
     [](F f) { return f.Px(f.Grid(static_cast<double>(f.x.last) * (1 + kNormalQuoteRange))); }},
    // 정상호가범위(하한치)
    {148,
     [](F f) {
       return f.Px(f.GridAtLeastTick(static_cast<double>(f.x.last) * (1 - kNormalQuoteRange)));
     }},
    // 가격단위기준값(3.00)
    {149, [](F f) { return std::string(f.option ? "3.00" : "0.00"); }},
    // 호가단위(0.01)
    {150, [](F f) { return std::string(f.option ? "0.01" : "0.05"); }},
    // 호가단위(0.05)
    {151, "0.05"},
    // 연중최고가일
    {152, [](F f) { return Ymd(f.DayAfterListing(10)); }},
    // 연중최고가
    {153,
     [](F f) {
       return f.Px(f.Grid(static_cast<double>(f.listedHigh) * kYearHighFromListed));
     }},
    // 연중최저가일
    {154, [](F f) { return Ymd(f.DayAfterListing(11)); }},
    // 연중최저가
    {155,
     [](F f) { return f.Px(f.Grid(static_cast<double>(f.listedLow) * kYearLowFromListed)); }},
    // 전일내재변동성
    {156,
     [](F f) {
       return Fixed(f.option ? f.p.impliedVol * 100 +
                                   static_cast<double>(f.Seeded(12, -50, 50)) / 100
                             : 0.0,
                    2);
     }},
    // KOSPI등가
    {159, [](F f) { return Fixed(f.atm, 2); }},
    // 지표산출시간
    {160, [](F f) { return Hms(f.now.time); }},
    // 델타
    {161, [](F f) { return f.Greek(0); }},
    // 감마
    {162, [](F f) { return f.Greek(1); }},
    // 세타
    {163, [](F f) { return f.Greek(2); }},
    // 베가
    {164, [](F f) { return f.Greek(3); }},
    // 로우
    {165, [](F f) { return f.Greek(4); }},
    // 내재변동성
    {166, [](F f) { return Fixed(f.Implied(f.x.last), 2); }},
    // 내재가치
    {167, [](F f) { return Fixed(f.intrinsic, 2); }},
    // 시간가치
    {168,
     [](F f) { return Fixed(f.option ? std::max(0.0, f.lastPrice - f.intrinsic) : 0.0, 2); }},
    // 매도호가내재변동성
    {169, [](F f) { return Fixed(f.Implied(f.book.asks[0].price), 2); }},
    // 역사적변동성
    {171,
     [](F f) { return Fixed(f.index.dailyVol * std::sqrt(kTradingDaysAYear) * 100, 2); }},
    // 장중이론가이항모델
    {172, [](F f) { return f.Px(f.theo); }},
    // 델타이항모델
    {173, [](F f) { return f.Greek(0); }},
    // 감마이항모델
    {174, [](F f) { return f.Greek(1); }},
    // 세타이항모델
    {175, [](F f) { return f.Greek(2); }},
    // 베가이항모델
    {176, [](F f) { return f.Greek(3); }},
    // 로우이항모델
    {177, [](F f) { return f.Greek(4); }},
    // 거래량Cal기준내재변동성
    {178, [](F f) { return Fixed(f.volIndex, 2); }},
    // 거래대금Cal기준내재변동성
    {179, [](F f) { return Fixed(f.volIndex + 0.1, 2); }},
    // 거래량Put기준내재변동성
    {180, [](F f) { return Fixed(f.volIndex + 0.2, 2); }},
    // 거래대금Put기준내재변동성
    {181, [](F f) { return Fixed(f.volIndex + 0.3, 2); }},
    // 변동성시간대장마감을Upd
    {182, "N"},
    // 시장조성종목여부
    {183, "N"},
    // BATCH없이경과된일수
    {184, "0"},
    // 순매수잔량1
    {185, [](F f) { return Number(f.NetBid(0)); }},
    // 순매수잔량2
    {186, [](F f) { return Number(f.NetBid(1)); }},
    // 순매수잔량3
    {187, [](F f) { return Number(f.NetBid(2)); }},
    // 순매수잔량4
    {188, [](F f) { return Number(f.NetBid(3)); }},
    // 순매수잔량5
    {189, [](F f) { return Number(f.NetBid(4)); }},
    // 총순매수잔량
    {190, [](F f) { return Number(f.NetBids()); }},
    // 매도호가등락율1
    {191, [](F f) { return ChangeRate(f.book.asks[0].price, f.prev); }},
    // 매도호가등락율2
    {192, [](F f) { return ChangeRate(f.book.asks[1].price, f.prev); }},
    // 매도호가등락율3
    {193, [](F f) { return ChangeRate(f.book.asks[2].price, f.prev); }},
    // 매도호가등락율4
    {194, [](F f) { return ChangeRate(f.book.asks[3].price, f.prev); }},
    // 매도호가등락율5
    {195, [](F f) { return ChangeRate(f.book.asks[4].price, f.prev); }},
    // 매수호가등락율1
    {196, [](F f) { return BidRate(f, 0); }},
    // 매수호가등락율2
    {197, [](F f) { return BidRate(f, 1); }},
    // 매수호가등락율3
    {198, [](F f) { return BidRate(f, 2); }},
    // 매수호가등락율4
    {199, [](F f) { return BidRate(f, 3); }},
    // 매수호가등락율5
    {200, [](F f) { return BidRate(f, 4); }},
    // 괴리도
    {201, [](F f) { return f.Px(static_cast<double>(f.x.last) - f.theo); }},
    // 영업일잔존일수
    {202, [](F f) { return Number(f.BusinessDaysTo(f.p.expiry)); }},
    // 직전매도대비총수량
    {203, [](F f) { return Number(f.book.AskSize() - f.before.AskSize()); }},
    // 직전매수대비총수량
    {204, [](F f) { return Number(f.book.BidSize() - f.before.BidSize()); }},
    // 직전매도대비총건수
    {205, [](F f) { return Number(f.book.AskCount() - f.before.AskCount()); }},
    // 직전매수대비총건수
    {206, [](F f) { return Number(f.book.BidCount() - f.before.BidCount()); }},
    // 익일예상상한가
    {207,
     [](F f) { return f.Px(f.Grid(static_cast<double>(f.x.last) * (1 + kDailyLimit))); }},
    // 익일예상하한가
    {208,
     [](F f) {
       return f.Px(f.GridAtLeastTick(static_cast<double>(f.x.last) * (1 - kDailyLimit)));
     }},
    // 예약실제주문일자
    {209,
     [](F f) {
       return Ymd(market::BusinessDayOnOrAfter(
           market::ToYmd(market::FromYmd(f.today).addDays(1)), f.q.broker.settings.holidays));
     }},
    // 직전매도대비수량1
    {210, [](F f) { return Number(f.AskSizeChange(0)); }},
    // 직전매수대비수량1
    {211, [](F f) { return Number(f.BidSizeChange(0)); }},
    // 직전매도대비건수1
    {212, [](F f) { return Number(f.AskCountChange(0)); }},
    // 직전매수대비건수1
    {213, [](F f) { return Number(f.BidCountChange(0)); }},
    // 직전매도대비수량2
    {214, [](F f) { return Number(f.AskSizeChange(1)); }},
    // 직전매수대비수량2
    {215, [](F f) { return Number(f.BidSizeChange(1)); }},
    // 직전매도대비건수2
    {216, [](F f) { return Number(f.AskCountChange(1)); }},
    // 직전매수대비건수2
    {217, [](F f) { return Number(f.BidCountChange(1)); }},
    // 직전매도대비수량3
    {218, [](F f) { return Number(f.AskSizeChange(2)); }},
    // 직전매수대비수량3
    {219, [](F f) { return Number(f.BidSizeChange(2)); }},
    // 직전매도대비건수3
    {220, [](F f) { return Number(f.AskCountChange(2)); }},
    // 직전매수대비건수3
    {221, [](F f) { return Number(f.BidCountChange(2)); }},
    // 직전매도대비수량4
    {222, [](F f) { return Number(f.AskSizeChange(3)); }},
    // 직전매수대비수량4
    {223, [](F f) { return Number(f.BidSizeChange(3)); }},
    // 직전매도대비건수4
    {224, [](F f) { return Number(f.AskCountChange(3)); }},
    // 직전매수대비건수4
    {225, [](F f) { return Number(f.BidCountChange(3)); }},
    // 직전매도대비수량5
    {226, [](F f) { return Number(f.AskSizeChange(4)); }},
    // 직전매수대비수량5
    {227, [](F f) { return Number(f.BidSizeChange(4)); }},
    // 직전매도대비건수5
    {228, [](F f) { return Number(f.AskCountChange(4)); }},
    // 직전매수대비건수5
    {229, [](F f) { return Number(f.BidCountChange(4)); }},
    // 예상체결가격
    {230, [](F f) { return f.Px(f.x.last); }},
    // 이론가대비구분
    {231,
     [](F f) {
       const double last = static_cast<double>(f.x.last);
       return std::string(last > f.theo + 0.5 ? "2" : last < f.theo - 0.5 ? "5" : "3");
     }},
    // 이론가대비
    {232, [](F f) { return f.Px(std::abs(static_cast<double>(f.x.last) - f.theo)); }},
});

// Every name of the record has one row, at the number where the name first
// stands, and the rows follow the record.
constexpr bool TableMatchesRecord() {
  const auto& record = protocol::kSymbolRecord;
  size_t row = 0;
  for (size_t n = 0; n < record.size(); ++n) {
    bool first = true;
    for (size_t m = 0; m < n; ++m) first = first && record[m].name != record[n].name;
    if (!first) continue;
    if (row == kFields.size() || kFields[row].number != n) return false;
    ++row;
  }
  return row == kFields.size();
}
static_assert(TableMatchesRecord(), "the table and the record's fields disagree");

}  // namespace

EventData DomesticSymbol(QueryContext& q) {
  const QueryInput in(q);
  const std::vector<bool> selected =
      SelectedFields(q.request.fieldList, protocol::kSymbolRecord.size());
  const Product& p = CheckedProduct(q, in.Raw(field::kProductCode), {Market::kDomestic});
  if (p.kind == market::ProductKind::kIndex) throw Refused(kMsgUnknownProduct, p.code);
  const Figures figures(q, p);
  EventData d;
  // The names come from the record's layout: no field outside it.
  EventData::Row& row = d.AddRow(q.reply.records[0].name);
  for (const SymbolField& field : kFields) row[field.Name()] = field.Of(figures);
  KeepSelected(row, protocol::kSymbolRecord, selected);
  return d;
}

}  // namespace zqk::sandbox::services
