// Domestic futures and options: the product list and the account queries.
// Account inputs start with the account number (11 bytes) and its password
// (8 bytes), as the console's rewrite of "g11002.DQ0104&" and
// "g11002.DQ0107&" leaves them.
#include <algorithm>
#include <cmath>

#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/services/AccountAnswers.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::AccountBook;
using market::Fill;
using market::Order;
using market::Product;
using market::SideCode;

constexpr std::string_view kOut = "OutRec1";

AccountBook& DomesticAccount(QueryContext& q, const QueryInput& in) {
  return CheckedAccount(q, in.Raw(0, 11), in.Raw(11, 8), {Market::kDomestic});
}

market::LocalTime LocalOf(QueryContext& q, int64_t agentMs) {
  return q.broker.market.clock().Local(agentMs);
}

// The day filter of the fills and orders queries: bytes 20-27, blank for
// every record of the book.
bool OnDay(QueryContext& q, const std::optional<int32_t>& day, int64_t agentMs) {
  return !day || LocalOf(q, agentMs).date == *day;
}

void NoticeIfEmpty(QueryContext& q, const EventData& data) {
  auto it = data.records.find(kOut);
  if (it == data.records.end() || it->second.empty()) q.notice = kMsgNoData;
}

EventData::Row& AccountRow(EventData& d, const AccountBook& book) {
  EventData::Row& row = d.AddRow(kOut);
  row["계좌번호"] = Fit(book.account().number, 11);
  return row;
}

// Positions of the products `pick` accepts, valued now.
EventData Valuation(QueryContext& q, bool (*pick)(const Product&)) {
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  EventData d;
  for (const market::Position& pos : book.positions()) {
    const Product& p = *pos.product;
    if (!pick(p)) continue;
    const int64_t last = q.broker.market.GlanceAt(p, q.now).last;
    const double profit = (static_cast<double>(last) - pos.averagePrice) * pos.quantity *
                          p.RawValue() * (pos.side == market::Side::kBuy ? 1 : -1);
    EventData::Row& row = d.AddRow(kOut);
    row["계좌번호"] = book.account().number;
    row["종목"] = p.code;
    row["종목명"] = p.name;
    row["매매구분"] = SideCode(pos.side);
    row["보유수량"] = Number(pos.quantity);
    row["평균가"] = Fixed(pos.averagePrice / std::pow(10.0, p.decimals), p.decimals + 2);
    row["현재가"] = Price(p, last);
    row["평가손익"] = Amount(profit, "KRW");
  }
  NoticeIfEmpty(q, d);
  return d;
}

}  // namespace

EventData DomesticProducts(QueryContext& q) {
  // Bytes 1-8: the start of the codes to list (blank: every domestic
  // future and option), of the contracts that trade today.
  const QueryInput in(q.request.input);
  const std::string_view prefix = in.Text(0, 8);
  const int32_t today = LocalOf(q, q.now).date;
  EventData d;
  for (const Product* p : q.broker.market.products().Matching(prefix, Market::kDomestic)) {
    if (p->kind == market::ProductKind::kIndex || !market::TradesOn(*p, today)) continue;
    EventData::Row& row = d.AddRow(kOut);
    row["종목코드"] = p->code;
    row["종목명"] = p->name;
    row["종목한글약명"] = p->shortName;
    row["최종거래일"] = Ymd(p->expiry);
    row["행사가격"] = p->IsOption() ? Price(*p, p->strike) : "0.00";
    d.block += BlockRow().Add(p->code, 8).Add(p->shortName, 24).text();
  }
  NoticeIfEmpty(q, d);
  return d;
}

EventData DomesticFills(QueryContext& q) {
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  const std::optional<int32_t> day = in.Date(19, "체결일자");
  EventData d;
  for (const Fill& f : book.fills()) {
    if (!OnDay(q, day, f.atMs)) continue;
    const market::LocalTime at = LocalOf(q, f.atMs);
    EventData::Row& row = AccountRow(d, book);
    row["주문번호"] = f.orderNumber;
    row["체결번호"] = f.number;
    row["종목코드"] = Fit(f.product->code, 32);
    row["종목명"] = f.product->name;
    row["매매구분"] = SideCode(f.side);
    row["체결가격"] = Price(*f.product, f.price);
    row["체결수량"] = Number(f.quantity);
    row["체결일자"] = Ymd(at.date);
    row["체결시간"] = Hms(at.time);
    row["수수료"] = Amount(f.fee, "KRW");
  }
  return d;
}

EventData DomesticOpenOrders(QueryContext& q) {
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  const std::optional<int32_t> day = in.Date(19, "주문일자");
  EventData d;
  for (const Order& o : book.orders()) {
    if (o.Open() <= 0 || !OnDay(q, day, o.atMs)) continue;
    const Product& p = *o.ticket.product;
    const market::LocalTime at = LocalOf(q, o.atMs);
    EventData::Row& row = AccountRow(d, book);
    row["주문번호"] = o.number;
    row["원주문번호"] = o.original;
    row["종목코드"] = Fit(p.code, 32);
    row["종목명"] = p.name;
    row["매매구분"] = SideCode(o.ticket.side);
    row["가격조건"] = std::string(1, o.ticket.priceType);
    row["주문가격"] = Price(p, o.ticket.price);
    row["주문수량"] = Number(o.ticket.quantity);
    row["체결수량"] = Number(o.filled);
    row["미체결수량"] = Number(o.Open());
    row["주문일자"] = Ymd(at.date);
    row["주문시간"] = Hms(at.time);
  }
  return d;
}

EventData DomesticPasswordCheck(QueryContext& q) {
  const QueryInput in(q.request.input);
  return PasswordAnswer(q, in.Raw(0, 11), in.Raw(11, 8), {Market::kDomestic}, "계좌구분");
}

EventData DomesticHolding(QueryContext& q) {
  // Bytes 20-27: a product (blank: the account's first position).
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  const std::string_view code = in.Text(19, 8);
  const Product* product = code.empty() ? nullptr : &CheckedProduct(q, code, {Market::kDomestic});
  if (!product && !book.positions().empty()) product = book.positions().front().product;
  EventData d;
  EventData::Row& row = d.AddRow(kOut);
  row["계좌번호"] = book.account().number;
  row["계좌명"] = book.account().name;
  row["종목"] = product ? product->code : "";
  row["종목명"] = product ? product->name : "";
  const market::Position* pos = product ? book.FindPosition(*product) : nullptr;
  row["매매구분"] = pos ? SideCode(pos->side) : "";
  row["보유수량"] = Number(pos ? pos->quantity : 0);
  if (product) {
    row["현재가"] = Price(*product, q.broker.market.GlanceAt(*product, q.now).last);
  }
  if (pos) {
    row["평균가"] =
        Fixed(pos->averagePrice / std::pow(10.0, product->decimals), product->decimals + 2);
  }
  return d;
}

EventData UserAccounts(QueryContext& q) {
  // Bytes 1-20: the user ID (blank: the signed-in user).
  const QueryInput in(q.request.input);
  const User& user = AskedUser(q, in.Text(0, 20));
  EventData d;
  for (const Account& a : user.accounts) {
    EventData::Row& row = d.AddRow(kOut);
    row["사용자ID"] = Fit(user.id, 20);
    row["계좌번호"] = a.number;
    row["대출구분"] = std::string("0");
    row["TMP1"] = a.market == Market::kDomestic   ? "국내선물옵션"
                  : a.market == Market::kOverseas ? "해외선물"
                                                  : "FX마진";
    row["계좌명"] = a.name;
    row["계좌구분"] = AccountKind(a.market);
  }
  NoticeIfEmpty(q, d);
  return d;
}

EventData DomesticDeposit(QueryContext& q) {
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  const market::Valuation v = book.ValueIn("KRW", q.broker.market, q.now);
  double realized = 0;
  for (const market::CashBalance& c : book.cash()) realized += c.realized - c.fees;
  EventData d;
  EventData::Row& row = d.AddRow(kOut);
  row["계좌번호"] = book.account().number;
  row["계좌명"] = book.account().name;
  row["예탁금액-총액"] = Amount(v.Equity(), "KRW");
  row["예탁금액-현금"] = Amount(v.cash, "KRW");
  row["예탁금액-당일손익"] = Amount(realized, "KRW");
  row["평가손익"] = Amount(v.unrealized, "KRW");
  row["위탁증거금"] = Amount(v.margin + v.orderMargin, "KRW");
  row["유지증거금"] = Amount(v.maintenance, "KRW");
  row["주문가능금액"] = Amount(v.Available(), "KRW");
  return d;
}

EventData DomesticFuturesValuation(QueryContext& q) {
  return Valuation(q, [](const Product& p) { return !p.IsOption(); });
}

EventData DomesticOptionsValuation(QueryContext& q) {
  return Valuation(q, [](const Product& p) { return p.IsOption(); });
}

EventData DomesticSettlement(QueryContext& q) {
  const QueryInput in(q.request.input);
  const AccountBook& book = DomesticAccount(q, in);
  const market::Valuation v = book.ValueIn("KRW", q.broker.market, q.now);
  double settlement = 0;  // what today's trading settles: booked profits less fees
  for (const market::CashBalance& c : book.cash()) settlement += c.realized - c.fees;
  EventData d;
  EventData::Row& row = d.AddRow(kOut);
  row["계좌번호"] = book.account().number;
  row["가결제금액"] = Amount(settlement, "KRW");
  row["평가예탁총액"] = Amount(v.Equity(), "KRW");
  row["예탁금액현금"] = Amount(v.cash, "KRW");
  row["평가손익"] = Amount(v.unrealized, "KRW");
  row["위탁증거금"] = Amount(v.margin + v.orderMargin, "KRW");
  return d;
}

}  // namespace zqk::sandbox::services
