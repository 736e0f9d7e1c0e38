// Domestic futures and options: the product list and the account queries.
// Account inputs start with the account number and its password, as the
// console's account rewrite leaves them.
#include <algorithm>
#include <cmath>

#include "protocol/FieldNames.h"
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

namespace f = field;

AccountBook& DomesticAccount(QueryContext& q, const QueryInput& in) {
  return CheckedAccount(q, in.Raw(f::kAccountNumber), in.Raw(f::kPassword), {Market::kDomestic});
}

market::LocalTime LocalOf(QueryContext& q, int64_t agentMs) {
  return q.broker.market.clock().Local(agentMs);
}

// The day filter of the fills and orders queries: blank for every record of
// the book.
bool OnDay(QueryContext& q, const std::optional<int32_t>& day, int64_t agentMs) {
  return !day || LocalOf(q, agentMs).date == *day;
}

void NoticeIfEmpty(QueryContext& q, const EventData& data) {
  auto it = data.records.find(protocol::kOutRec1);
  if (it == data.records.end() || it->second.empty()) q.notice = kMsgNoData;
}

LayoutRow AccountRow(EventData& d, const QueryContext& q, const AccountBook& book) {
  LayoutRow row = AddReplyRow(d, q);
  row.Set(f::kAccountNumber, book.account().number);
  return row;
}

// Positions of the products `pick` accepts, valued now.
EventData Valuation(QueryContext& q, bool (*pick)(const Product&)) {
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  EventData d;
  for (const market::Position& pos : book.positions()) {
    const Product& p = *pos.product;
    if (!pick(p)) continue;
    const int64_t last = q.broker.market.GlanceAt(p, q.now).last;
    const double profit = (static_cast<double>(last) - pos.averagePrice) * pos.quantity *
                          p.RawValue() * (pos.side == market::Side::kBuy ? 1 : -1);
    AddReplyRow(d, q)
        .Set(f::kAccountNumber, book.account().number)
        .Set(f::kProduct, p.code)
        .Set(f::kProductName, p.name)
        .Set(f::kBuySell, SideCode(pos.side))
        .Set(f::kHolding, Number(pos.quantity))
        .Set(f::kAveragePrice, Fixed(pos.averagePrice / std::pow(10.0, p.decimals), p.decimals + 2))
        .Set(f::kCurrentPrice, Price(p, last))
        .Set(f::kValuationProfit, Amount(profit, "KRW"));
  }
  NoticeIfEmpty(q, d);
  return d;
}

}  // namespace

EventData DomesticProducts(QueryContext& q) {
  // The start of the codes to list (blank: every domestic future and
  // option), of the contracts that trade today.
  const QueryInput in(q);
  const std::string_view prefix = in.Text(f::kProductCode);
  const int32_t today = LocalOf(q, q.now).date;
  EventData d;
  for (const Product* p : q.broker.market.products().Matching(prefix, Market::kDomestic)) {
    if (p->kind == market::ProductKind::kIndex || !market::TradesOn(*p, today)) continue;
    LayoutRow row = AddReplyRow(d, q);
    row.Set(f::kProductCode, p->code)
        .Set(f::kProductName, p->name)
        .Set(f::kShortName, p->shortName)
        .Set(f::kLastTradingDay, Ymd(p->expiry))
        .Set(f::kStrike, p->IsOption() ? Price(*p, p->strike) : "0.00");
    d.block += LayoutBlockRow(q.reply.block->row).SetFrom(row.row()).text();
  }
  NoticeIfEmpty(q, d);
  return d;
}

EventData DomesticFills(QueryContext& q) {
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  const std::optional<int32_t> day = in.Date(f::kFillDate);
  EventData d;
  for (const Fill& fill : book.fills()) {
    if (!OnDay(q, day, fill.atMs)) continue;
    const market::LocalTime at = LocalOf(q, fill.atMs);
    AccountRow(d, q, book)
        .Set(f::kOrderNumber, fill.orderNumber)
        .Set(f::kFillNumber, fill.number)
        .Set(f::kProductCode, fill.product->code)
        .Set(f::kProductName, fill.product->name)
        .Set(f::kBuySell, SideCode(fill.side))
        .Set(f::kFillPrice, Price(*fill.product, fill.price))
        .Set(f::kFillQuantity, Number(fill.quantity))
        .Set(f::kFillDate, Ymd(at.date))
        .Set(f::kFillTime, Hms(at.time))
        .Set(f::kFee, Amount(fill.fee, "KRW"));
  }
  return d;
}

EventData DomesticOpenOrders(QueryContext& q) {
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  const std::optional<int32_t> day = in.Date(f::kOrderDate);
  EventData d;
  for (const Order& o : book.orders()) {
    if (o.Open() <= 0 || !OnDay(q, day, o.atMs)) continue;
    const Product& p = *o.ticket.product;
    const market::LocalTime at = LocalOf(q, o.atMs);
    AccountRow(d, q, book)
        .Set(f::kOrderNumber, o.number)
        .Set(f::kOriginalOrder, o.original)
        .Set(f::kProductCode, p.code)
        .Set(f::kProductName, p.name)
        .Set(f::kBuySell, SideCode(o.ticket.side))
        .Set(f::kPriceType, std::string(1, o.ticket.priceType))
        .Set(f::kOrderPrice, Price(p, o.ticket.price))
        .Set(f::kOrderQuantity, Number(o.ticket.quantity))
        .Set(f::kFillQuantity, Number(o.filled))
        .Set(f::kOpenQuantity, Number(o.Open()))
        .Set(f::kOrderDate, Ymd(at.date))
        .Set(f::kOrderTime, Hms(at.time));
  }
  return d;
}

EventData DomesticPasswordCheck(QueryContext& q) {
  const QueryInput in(q);
  return PasswordAnswer(q, in.Raw(f::kAccountNumber), in.Raw(f::kPassword), {Market::kDomestic},
                        f::kAccountKind);
}

EventData DomesticHolding(QueryContext& q) {
  // A product (blank: the account's first position).
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  const std::string_view code = in.Text(f::kProduct);
  const Product* product = code.empty() ? nullptr : &CheckedProduct(q, code, {Market::kDomestic});
  if (!product && !book.positions().empty()) product = book.positions().front().product;
  EventData d;
  LayoutRow row = AddReplyRow(d, q);
  row.Set(f::kAccountNumber, book.account().number)
      .Set(f::kAccountName, book.account().name)
      .Set(f::kProduct, product ? product->code : "")
      .Set(f::kProductName, product ? product->name : "");
  const market::Position* pos = product ? book.FindPosition(*product) : nullptr;
  row.Set(f::kBuySell, pos ? SideCode(pos->side) : "")
      .Set(f::kHolding, Number(pos ? pos->quantity : 0));
  if (product) {
    row.Set(f::kCurrentPrice, Price(*product, q.broker.market.GlanceAt(*product, q.now).last));
  }
  if (pos) {
    row.Set(f::kAveragePrice,
            Fixed(pos->averagePrice / std::pow(10.0, product->decimals), product->decimals + 2));
  }
  return d;
}

EventData UserAccounts(QueryContext& q) {
  // The user ID (blank: the signed-in user).
  const QueryInput in(q);
  const User& user = AskedUser(q, in.Text(f::kUserId));
  EventData d;
  for (const Account& a : user.accounts) {
    AddReplyRow(d, q)
        .Set(f::kUserId, user.id)
        .Set(f::kAccountNumber, a.number)
        .Set(f::kLoanKind, "0")
        .Set(f::kTmp1, a.market == Market::kDomestic   ? "국내선물옵션"
                       : a.market == Market::kOverseas ? "해외선물"
                                                       : "FX마진")
        .Set(f::kAccountName, a.name)
        .Set(f::kAccountKind, AccountKind(a.market));
  }
  NoticeIfEmpty(q, d);
  return d;
}

EventData DomesticDeposit(QueryContext& q) {
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  const market::Valuation v = book.ValueIn("KRW", q.broker.market, q.now);
  double realized = 0;
  for (const market::CashBalance& c : book.cash()) realized += c.realized - c.fees;
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kAccountNumber, book.account().number)
      .Set(f::kAccountName, book.account().name)
      .Set(f::kDepositTotal, Amount(v.Equity(), "KRW"))
      .Set(f::kDepositCash, Amount(v.cash, "KRW"))
      .Set(f::kDepositDayProfit, Amount(realized, "KRW"))
      .Set(f::kValuationProfit, Amount(v.unrealized, "KRW"))
      .Set(f::kInitialMargin, Amount(v.margin + v.orderMargin, "KRW"))
      .Set(f::kMaintenanceMargin, Amount(v.maintenance, "KRW"))
      .Set(f::kOrderable, Amount(v.Available(), "KRW"));
  return d;
}

EventData DomesticFuturesValuation(QueryContext& q) {
  return Valuation(q, [](const Product& p) { return !p.IsOption(); });
}

EventData DomesticOptionsValuation(QueryContext& q) {
  return Valuation(q, [](const Product& p) { return p.IsOption(); });
}

EventData DomesticSettlement(QueryContext& q) {
  const QueryInput in(q);
  const AccountBook& book = DomesticAccount(q, in);
  const market::Valuation v = book.ValueIn("KRW", q.broker.market, q.now);
  double settlement = 0;  // what today's trading settles: booked profits less fees
  for (const market::CashBalance& c : book.cash()) settlement += c.realized - c.fees;
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kAccountNumber, book.account().number)
      .Set(f::kProvisionalSettlement, Amount(settlement, "KRW"))
      .Set(f::kValuedDeposit, Amount(v.Equity(), "KRW"))
      .Set(f::kCashDeposit, Amount(v.cash, "KRW"))
      .Set(f::kValuationProfit, Amount(v.unrealized, "KRW"))
      .Set(f::kInitialMargin, Amount(v.margin + v.orderMargin, "KRW"));
  return d;
}

}  // namespace zqk::sandbox::services
