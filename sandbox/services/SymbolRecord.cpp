// "s20001": everything about a domestic future or option in one record of
// 233 numbered fields (agent/SymbolRecordFields.h; field number = position,
// from 000). The input's bytes 1-8 name the product; the rest of it is not
// read. The FID field list selects the fields (FieldList.h). A name that
// stands more than once carries the same value each time.
#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "agent/SymbolRecordFields.h"
#include "sandbox/Broker.h"
#include "sandbox/ReplyText.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/IndexCarry.h"
#include "sandbox/market/SeededHash.h"
#include "sandbox/services/FieldList.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::Product;
using market::SimulatedMarket;

constexpr double kCdRate = 1.35;

class SymbolRecord {
 public:
  SymbolRecord(QueryContext& q, const Product& p) : q_(q), m_(q.broker.market), p_(p) {}

  EventData::Row Build();

 private:
  // Entry `n` (from 1) of kSymbolRecordFields.
  void Set(size_t n, std::string value) {
    row_[std::string(kSymbolRecordFields.at(n - 1))] = std::move(value);
  }
  std::string Px(int64_t raw) const { return Price(p_, raw); }
  std::string Px(double raw) const { return Fixed(raw / scale_, p_.decimals); }
  int64_t Grid(double raw) const { return SimulatedMarket::RoundToGrid(p_, raw); }
  // A seeded figure of this product in [lo, hi].
  int64_t Seeded(uint64_t salt, int64_t lo, int64_t hi) const {
    return market::Between(market::Hash(m_.seed(), p_.id, salt), lo, hi);
  }
  std::string Rate(double part, double whole) const {
    return whole == 0 ? "0.00" : Fixed((part / whole - 1) * 100, 2);
  }
  bool Nearest() const;
  int32_t BusinessDaysTo(int32_t to) const;

  QueryContext& q_;
  SimulatedMarket& m_;
  const Product& p_;
  double scale_ = 1;
  EventData::Row row_;
};

bool SymbolRecord::Nearest() const {
  // The contract of the family (same kind) that expires first from today.
  const int32_t today = m_.clock().Local(q_.now).date;
  const Product* nearest = nullptr;
  for (const Product* other : m_.products().OfRoot(p_.root)) {
    if (other->expiry < today || other->kind != p_.kind) continue;
    if (!nearest || other->expiry < nearest->expiry) nearest = other;
  }
  return nearest && nearest->expiry == p_.expiry;
}

int32_t SymbolRecord::BusinessDaysTo(int32_t to) const {
  QDate day = market::FromYmd(m_.clock().Local(q_.now).date);
  const QDate end = market::FromYmd(to);
  int32_t days = 0;
  for (; day < end && days < 4000; day = day.addDays(1)) days += day.dayOfWeek() <= 5 ? 1 : 0;
  return days;
}

EventData::Row SymbolRecord::Build() {
  scale_ = std::pow(10.0, p_.decimals);
  const market::Snapshot s = m_.At(p_, q_.now);
  const market::Session& x = s.session;
  const market::Book& book = s.book;
  const market::Book before = m_.BookAt(p_, s.step - 1);
  const market::LocalTime now = m_.clock().Local(q_.now);
  const Product& index = m_.Driver(p_);
  const int64_t indexLevel = m_.GlanceAt(index, q_.now).last;
  const bool option = p_.IsOption();
  const market::Greeks g = m_.OptionGreeks(p_, q_.now);
  const double years = std::max(0.0, m_.YearsToExpiry(p_, q_.now));
  const double theo = s.fair;
  // The index carried to expiry as the market prices the contract.
  const double forward =
      market::CarriedForward(static_cast<double>(indexLevel), m_.Carry(p_, q_.now), years);
  const market::Bar yesterday = m_.Bars(p_, 86'400, m_.clock().DayStart(q_.now) - 1, 1).front();
  const int64_t prev = x.prevClose;
  const int64_t prevVolume =
      static_cast<int64_t>(p_.tradeRate * 86'400 * p_.meanQty) * Seeded(1, 80, 120) / 100;
  const int64_t prevOpenInterest = prevVolume * Seeded(2, 30, 90) / 100 + 100;
  const int64_t openInterest = prevOpenInterest + (x.buyVolume - x.sellVolume) / 3;
  const int64_t upper = Grid(static_cast<double>(prev) * 1.1);
  const int64_t lower = std::max(p_.TickAt(0), Grid(static_cast<double>(prev) * 0.9));
  const int64_t listedHigh = Grid(static_cast<double>(std::max(prev, x.last)) *
                                  (1 + static_cast<double>(Seeded(3, 2, 25)) / 100));
  const int64_t listedLow =
      std::max(p_.TickAt(0), Grid(static_cast<double>(std::min(prev, x.last)) *
                                  (1 - static_cast<double>(Seeded(4, 2, 25)) / 100)));
  const int32_t today = now.date;
  const int32_t listed = p_.listed;
  const int32_t listedDays = std::max(0, market::DaysBetween(listed, today));
  auto dayAfterListing = [&](uint64_t salt) {
    return market::ToYmd(market::FromYmd(listed).addDays(Seeded(salt, 0, std::max(0, listedDays))));
  };
  const double lastPrice = static_cast<double>(x.last) / scale_;
  const double strike = static_cast<double>(p_.strike) / scale_;
  const double intrinsic =
      option ? std::max(0.0, p_.kind == market::ProductKind::kCall ? forward / scale_ - strike
                                                                   : strike - forward / scale_)
             : 0;
  auto implied = [&](int64_t price) {
    return option ? market::ImpliedVol(p_.kind == market::ProductKind::kCall, forward,
                                       static_cast<double>(p_.strike), years,
                                       static_cast<double>(price)) *
                        100
                  : 0.0;
  };
  const double atm = std::round(static_cast<double>(indexLevel) / 250.0) * 2.5;
  const int64_t pivot = (yesterday.high + yesterday.low + yesterday.close) / 3;
  const int64_t range = yesterday.high - yesterday.low;

  Set(1, p_.code);
  Set(2, "KR4" + p_.code + "0");
  Set(3, p_.name);
  Set(4, p_.shortName);
  Set(5, p_.englishName);
  Set(6, p_.shortName);
  Set(7, Ymd(listed));
  Set(8, Number(listedDays));
  Set(9, Number(std::max(0, market::DaysBetween(today, p_.expiry))));
  Set(10, Ymd(p_.expiry));
  Set(11, today == p_.expiry ? "1" : "0");
  Set(12, option ? "0.00" : "0.45");
  Set(13, "1");
  Set(14, Px(prev));
  Set(15, Px(theo));  // 15, 16 and 117: 이론가
  Set(17, Fixed(kCdRate, 2));
  Set(18, Px(upper));
  Set(19, Px(lower));
  Set(20, "1");
  Set(21, Px(prev));
  Set(22, "1");
  Set(23, Px(prev));
  Set(24, Number(prevVolume));
  Set(25, "0");
  Set(26, "0");
  Set(27, Number(static_cast<int64_t>(static_cast<double>(prevVolume) * static_cast<double>(prev) *
                                      p_.RawValue() / 1000)));
  Set(28, "0");
  Set(29, "0");
  Set(30, Number(prevOpenInterest));
  Set(31, std::string("+").append(Px(listedHigh)));  // apart: g++ 12 -Wrestrict at -O3
  Set(32, Ymd(dayAfterListing(5)));
  Set(33, Rate(static_cast<double>(x.last), static_cast<double>(listedHigh)));
  Set(34, std::string("+").append(Px(listedLow)));
  Set(35, Ymd(dayAfterListing(6)));
  Set(36, Rate(static_cast<double>(x.last), static_cast<double>(listedLow)));
  Set(37, Ymd(today));
  Set(38, "1");
  Set(39, "1");
  Set(40, "1");
  Set(41, Px(int64_t{0}));
  Set(42, "0");
  Set(43, Px(Grid(static_cast<double>(prev) * 1.08)));
  Set(44, Px(std::max(p_.TickAt(0), Grid(static_cast<double>(prev) * 0.92))));
  Set(45, "154500");
  Set(46, Px(int64_t{0}));
  Set(47, Px(int64_t{0}));
  Set(48, "000000000000");  // no spread legs
  Set(49, "000000000000");
  Set(50, Number(static_cast<int64_t>(p_.multiplier)));
  Set(51, x.trades ? Hms(m_.clock().Local(m_.MsOfStep(x.lastTradeStep)).time) : "000000");
  Set(52, Px(x.last));
  Set(53, Px(x.open));
  Set(54, Px(x.high));
  Set(55, Px(x.low));
  Set(56, ChangeSign(x.last, prev));
  Set(57, Px(std::abs(x.last - prev)));
  Set(58, Number(x.volume));
  Set(59, Number(static_cast<int64_t>(x.turnover / 1000)));
  Set(60, Number(x.volume - prevVolume));
  Set(61, ChangeRate(x.last, prev));
  Set(62, Number(x.lastQty));
  Set(63, x.trades == 0 ? "0" : x.lastBuy ? "+" : "-");
  Set(64, Number(x.sellVolume));
  Set(65, Number(x.buyVolume));
  Set(66, Number(x.sellTrades));
  Set(67, Number(x.buyTrades));
  for (size_t n = 68; n <= 73; ++n) Set(n, n <= 69 ? Px(int64_t{0}) : "0");
  Set(74, Number(x.sellVolume));
  Set(75, Number(x.buyVolume));
  Set(76, Hms(now.time));
  for (size_t k = 0; k < 5; ++k) {
    const size_t n = 77 + 6 * k;
    Set(n, Px(book.asks[k].price));
    Set(n + 1, Px(book.bids[k].price));
    Set(n + 2, Number(book.asks[k].size));
    Set(n + 3, Number(book.bids[k].size));
    Set(n + 4, Number(book.asks[k].count));
    Set(n + 5, Number(book.bids[k].count));
  }
  Set(107, Number(book.AskSize()));
  Set(108, Number(book.BidSize()));
  Set(109, Number(book.AskCount()));
  Set(110, Number(book.BidCount()));
  Set(111, "1");
  Set(112, Ymd(today));
  Set(113, "1");
  Set(114, Px(x.last));
  Set(115, "1");
  Set(116, Price(index, indexLevel));
  Set(118, Rate(static_cast<double>(x.last), theo));
  Set(119, option ? "0.00" : Fixed(lastPrice - static_cast<double>(indexLevel) / 100, 2));
  Set(120, option ? "0.00" : Fixed((theo - static_cast<double>(indexLevel)) / scale_, 2));
  Set(121, Number(openInterest));
  Set(122, Number(prevOpenInterest + Seeded(7, -50, 50)));
  Set(123, Number(std::max(openInterest, prevOpenInterest) + Seeded(8, 0, 80)));
  Set(124, Number(std::min(openInterest, prevOpenInterest) - Seeded(9, 0, 80)));
  Set(125, Number(openInterest - prevOpenInterest));
  Set(126, Px(Grid(static_cast<double>(pivot + range))));
  Set(127, Px(Grid(static_cast<double>(2 * pivot - yesterday.low))));
  Set(128, Px(Grid(static_cast<double>(pivot))));
  Set(129, Px(Grid(static_cast<double>(2 * pivot - yesterday.high))));
  Set(130, Px(std::max(p_.TickAt(0), Grid(static_cast<double>(pivot - range)))));
  Set(131, Number(&p_ - m_.products().All().data() + 1));
  Set(132, option ? (p_.kind == market::ProductKind::kCall ? "C" : "P") : "F");
  Set(133, index.code);
  Set(134, Number(p_.expiry / 100));
  Set(135, Px(p_.strike));
  Set(136, "1");
  Set(137, option ? "E" : "0");
  Set(138, Nearest() ? "1" : "0");
  Set(139, !option                                                     ? "0"
           : std::abs(strike - atm) < 1.25                             ? "1"
           : (p_.kind == market::ProductKind::kCall) == (strike < atm) ? "2"
                                                                       : "3");
  Set(140, Ymd(listed));
  Set(141, "0");
  Set(142, Ymd(listed));
  Set(143, Px(yesterday.open));
  Set(144, Px(yesterday.high));
  Set(145, Px(yesterday.low));
  Set(146, Px(prev));  // 146 and 158: 매매증거금기준가
  Set(147, "1");       // 147 and 159
  Set(148, Px(Grid(static_cast<double>(x.last) * 1.05)));
  Set(149, Px(std::max(p_.TickAt(0), Grid(static_cast<double>(x.last) * 0.95))));
  Set(150, option ? "3.00" : "0.00");
  Set(151, option ? "0.01" : "0.05");
  Set(152, "0.05");
  Set(153, Ymd(dayAfterListing(10)));
  Set(154, Px(Grid(static_cast<double>(listedHigh) * 0.97)));
  Set(155, Ymd(dayAfterListing(11)));
  Set(156, Px(Grid(static_cast<double>(listedLow) * 1.03)));
  Set(157,
      Fixed(option ? p_.impliedVol * 100 + static_cast<double>(Seeded(12, -50, 50)) / 100 : 0.0,
            2));
  Set(160, Fixed(atm, 2));
  Set(161, Hms(now.time));
  const double delta = option ? g.delta : 1.0;
  const std::string greeks[] = {Fixed(delta, 4), Fixed(g.gamma * scale_, 4),
                                Fixed(g.theta / scale_, 4), Fixed(g.vega / scale_, 4),
                                Fixed(g.rho / scale_, 4)};
  for (size_t i = 0; i < 5; ++i) {
    Set(162 + i, greeks[i]);
    Set(174 + i, greeks[i]);
  }
  Set(167, Fixed(implied(x.last), 2));
  Set(168, Fixed(intrinsic, 2));
  Set(169, Fixed(option ? std::max(0.0, lastPrice - intrinsic) : 0.0, 2));
  Set(170, Fixed(implied(book.asks[0].price), 2));  // 170 and 171
  Set(172, Fixed(index.dailyVol * std::sqrt(250.0) * 100, 2));
  Set(173, Px(theo));
  const double volIndex = 15 + static_cast<double>(Seeded(13, 0, 400)) / 100;
  for (size_t n = 179; n <= 182; ++n)
    Set(n, Fixed(volIndex + static_cast<double>(n - 179) / 10, 2));
  Set(183, "N");
  Set(184, "N");
  Set(185, "0");
  int64_t net = 0;
  for (size_t k = 0; k < 5; ++k) {
    const int64_t levelNet = book.bids[k].size - book.asks[k].size;
    net += levelNet;
    Set(186 + k, Number(levelNet));
    Set(192 + k, ChangeRate(book.asks[k].price, prev));
    Set(197 + k, book.bids[k].price ? ChangeRate(book.bids[k].price, prev) : "0.00");
  }
  Set(191, Number(net));
  Set(202, Px(static_cast<double>(x.last) - theo));
  Set(203, Number(BusinessDaysTo(p_.expiry)));
  Set(204, Number(book.AskSize() - before.AskSize()));
  Set(205, Number(book.BidSize() - before.BidSize()));
  Set(206, Number(book.AskCount() - before.AskCount()));
  Set(207, Number(book.BidCount() - before.BidCount()));
  Set(208, Px(Grid(static_cast<double>(x.last) * 1.1)));
  Set(209, Px(std::max(p_.TickAt(0), Grid(static_cast<double>(x.last) * 0.9))));
  Set(210, Ymd(market::BusinessDayOnOrAfter(market::ToYmd(market::FromYmd(today).addDays(1)),
                                            q_.broker.settings.holidays)));
  for (size_t k = 0; k < 5; ++k) {
    const size_t n = 211 + 4 * k;
    Set(n, Number(book.asks[k].size - before.asks[k].size));
    Set(n + 1, Number(book.bids[k].size - before.bids[k].size));
    Set(n + 2, Number(book.asks[k].count - before.asks[k].count));
    Set(n + 3, Number(book.bids[k].count - before.bids[k].count));
  }
  Set(231, Px(x.last));
  Set(232, static_cast<double>(x.last) > theo + 0.5   ? "2"
           : static_cast<double>(x.last) < theo - 0.5 ? "5"
                                                      : "3");
  Set(233, Px(std::abs(static_cast<double>(x.last) - theo)));
  return std::move(row_);
}

}  // namespace

EventData DomesticSymbol(QueryContext& q) {
  const QueryInput in(q.request.input);
  const std::vector<bool> selected =
      SelectedFields(q.request.fieldList, kSymbolRecordFields.size());
  const Product& p = CheckedProduct(q, in.Raw(0, 8), {Market::kDomestic});
  if (p.kind == market::ProductKind::kIndex) throw Refused(kMsgUnknownProduct, p.code);
  EventData d;
  EventData::Row& row = d.AddRow("OutRec1");
  row = SymbolRecord(q, p).Build();
  KeepSelected(row, kSymbolRecordFields, selected);
  return d;
}

}  // namespace zqk::sandbox::services
