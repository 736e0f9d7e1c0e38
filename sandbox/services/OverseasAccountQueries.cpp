// Overseas futures and FX margin accounts. Overseas account inputs start
// with the account number and its password; the FX margin input starts with
// the user token and a blank.
#include <algorithm>
#include <cstdio>

#include "protocol/FieldNames.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/services/AccountAnswers.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::AccountBook;
using market::Order;
using market::Product;
using market::SideCode;

namespace f = field;

constexpr size_t kHistoryPage = 5;

AccountBook& OverseasAccount(QueryContext& q, const QueryInput& in) {
  return CheckedAccount(q, in.Raw(f::kAccountNumber), in.Raw(f::kPassword), {Market::kOverseas});
}

// One line of an account's orders and fills, as the order lists show it.
struct OrderLine {
  int64_t atMs = 0;
  std::string kind;  // 주문/체결구분: 1 new, 2 amend, 3 cancel, 4 fill
  std::string state;
  const Order* order = nullptr;
  const market::Fill* fill = nullptr;
};

std::string StateOf(const Order& o) {
  if (o.action == market::OrderAction::kCancel) return "취소확인";
  if (o.Open() > 0) return o.filled > 0 ? "부분체결" : "접수";
  if (o.filled == o.ticket.quantity) return "체결";
  return o.filled > 0 ? "부분체결후취소" : "정정/취소됨";
}

// An order line: a row of the record and the same fields as a row of the
// block.
void AddOrderLine(QueryContext& q, EventData& d, const AccountBook& book, const OrderLine& line) {
  const Order& o = *line.order;
  const Product& p = *o.ticket.product;
  const market::LocalTime at = q.broker.market.clock().Local(line.atMs);
  const market::LocalTime orderedAt = q.broker.market.clock().Local(o.atMs);
  LayoutRow row = AddReplyRow(d, q);
  row.Set(f::kProcessDate, Ymd(at.date))
      .Set(f::kOrderNumber, o.number)
      .Set(f::kOriginalOrder, o.original)
      .Set(f::kAccountNumber, book.account().number)
      .Set(f::kProductCode, p.code)
      .Set(f::kProductName, p.name)
      .Set(f::kBuySell, SideCode(o.ticket.side))
      .Set(f::kPriceType, std::string(1, o.ticket.priceType))
      .Set(f::kFillCondition, std::string(1, o.ticket.fillCondition))
      .Set(f::kOrderOrFill, line.kind)
      .Set(f::kOrderPrice, Price(p, o.ticket.price))
      .Set(f::kOrderQuantity, Number(o.ticket.quantity))
      .Set(f::kFillPrice, line.fill ? Price(p, line.fill->price) : "")
      .Set(f::kFillQuantity, line.fill ? Number(line.fill->quantity) : "")
      .Set(f::kOpenQuantity, Number(o.Open()))
      .Set(f::kCurrencyCode, p.currency)
      .Set(f::kOrderTime, Hms(orderedAt.time))
      .Set(f::kFillTime, line.fill ? Hms(at.time) : "")
      .Set(f::kProcessState, line.state);
  d.block += LayoutBlockRow(q.reply.block->row).SetFrom(row.row()).text();
}

std::string PageKey(size_t index) {
  char text[32];
  std::snprintf(text, sizeof text, "%010zu", index);
  return text;
}

}  // namespace

EventData AccountList(QueryContext& q) {
  // The user ID (blank: the signed-in user). The raw data is the number of
  // accounts, zero-filled, then a block row per account.
  const QueryInput in(q);
  const User& user = AskedUser(q, in.Text(f::kUserId));
  const protocol::BlockLayout& block = *q.reply.block;
  EventData d;
  const size_t countWidth = block.HeaderWidth();
  std::string count = std::to_string(user.accounts.size());
  if (count.size() > countWidth) count.assign(countWidth, '9');  // as many as it can say
  std::string data = std::string(countWidth - count.size(), '0') + count;
  for (const Account& a : user.accounts) {
    LayoutRow row = AddReplyRow(d, q);
    row.Set(f::kAccountNumber, a.number)
        .Set(f::kAccountName, a.name)
        .Set(f::kAccountKind, AccountKind(a.market));
    data += LayoutBlockRow(block.row).SetFrom(row.row()).text();
  }
  d.block = data;
  d.lastData = std::move(data);
  return d;
}

EventData OverseasDeposit(QueryContext& q) {
  // One currency (blank: all the account holds).
  const QueryInput in(q);
  const AccountBook& book = OverseasAccount(q, in);
  const std::string_view only = in.Text(f::kCurrency);
  EventData d;
  for (const market::Valuation& v : book.Value(q.broker.market, q.now)) {
    if (!only.empty() && v.currency != only) continue;
    double realized = 0;
    double fees = 0;
    for (const market::CashBalance& c : book.cash()) {
      if (c.currency != v.currency) continue;
      realized += c.realized;
      fees += c.fees;
    }
    AddReplyRow(d, q)
        .Set(f::kCurrencyKind, v.currency)
        .Set(f::kDepositSum, Amount(v.Equity(), v.currency))
        .Set(f::kDepositBalance, Amount(v.cash, v.currency))
        .Set(f::kValuationProfit, Amount(v.unrealized, v.currency))
        .Set(f::kRealizedProfit, Amount(realized, v.currency))
        .Set(f::kFee, Amount(fees, v.currency))
        .Set(f::kInitialMargin, Amount(v.margin + v.orderMargin, v.currency))
        .Set(f::kMaintenanceMargin, Amount(v.maintenance, v.currency))
        .Set(f::kOrderable, Amount(v.Available(), v.currency));
  }
  if (d.records.empty()) q.notice = kMsgNoData;
  return d;
}

EventData OverseasPasswordCheck(QueryContext& q) {
  const QueryInput in(q);
  return PasswordAnswer(q, in.Raw(f::kAccountNumber), in.Raw(f::kPassword),
                        {Market::kOverseas, Market::kFxMargin}, f::kKind);
}

EventData OverseasOpenOrders(QueryContext& q) {
  const QueryInput in(q);
  const AccountBook& book = OverseasAccount(q, in);
  EventData d;
  for (const Order& o : book.orders()) {
    if (o.Open() > 0)
      AddOrderLine(q, d, book,
                   {o.atMs, std::string(market::ActionCode(o.action)), StateOf(o), &o, nullptr});
  }
  if (d.records.empty()) q.notice = kMsgNoData;
  return d;
}

EventData OverseasOrderHistory(QueryContext& q) {
  // A day (blank: all the book holds). Five lines a page, the newest
  // first; the continuation key is the index of the next line.
  const QueryInput in(q);
  const AccountBook& book = OverseasAccount(q, in);
  const std::optional<int32_t> day = in.Date(f::kProcessDate);
  std::vector<OrderLine> lines;
  for (const Order& o : book.orders())
    lines.push_back({o.atMs, std::string(market::ActionCode(o.action)), StateOf(o), &o, nullptr});
  for (const market::Fill& f : book.fills()) {
    const Order* o = book.FindOrder(f.orderNumber);
    if (o) lines.push_back({f.atMs, "4", "체결", o, &f});
  }
  std::erase_if(lines, [&](const OrderLine& l) {
    return day && q.broker.market.clock().Local(l.atMs).date != *day;
  });
  // The lines stand in the order things happened (an order, then its fills);
  // reversed first, the lines of one moment come newest first as well, so an
  // order filled as it arrived shows its fill above it.
  std::reverse(lines.begin(), lines.end());
  std::stable_sort(lines.begin(), lines.end(),
                   [](const OrderLine& a, const OrderLine& b) { return a.atMs > b.atMs; });
  size_t first = 0;
  if (!q.request.nextKey.empty()) {
    first = static_cast<size_t>(NumberOf(q.request.nextKey, 0, 1, 999'999, "key"));
    if (first >= lines.size()) throw Refused(kMsgBadNextKey, std::string(q.request.nextKey));
  }
  EventData d;
  const size_t end = std::min(lines.size(), first + kHistoryPage);
  for (size_t i = first; i < end; ++i) AddOrderLine(q, d, book, lines[i]);
  if (end < lines.size()) d.nextKey = PageKey(end);
  if (lines.empty()) q.notice = kMsgNoData;
  return d;
}

EventData FxAssets(QueryContext& q) {
  // The user token, a blank, the account and its password.
  const QueryInput in(q);
  if (in.Text(f::kUserToken) != q.user.token) throw Refused(kMsgWrongToken);
  const AccountBook& book =
      CheckedAccount(q, in.Raw(f::kAccountNumber), in.Raw(f::kPassword), {Market::kFxMargin});
  const market::Valuation v = book.ValueIn("USD", q.broker.market, q.now);
  EventData d;
  AddReplyRow(d, q)
      .Set(f::kAccountNumber, book.account().number)
      .Set(f::kAccountName, book.account().name)
      .Set(f::kCurrency, "USD")
      .Set(f::kDepositAmount, Amount(v.Equity(), "USD"))
      .Set(f::kDepositBalance, Amount(v.cash, "USD"))
      .Set(f::kValuationProfit, Amount(v.unrealized, "USD"))
      .Set(f::kInitialMargin, Amount(v.margin + v.orderMargin, "USD"))
      .Set(f::kMaintenanceMargin, Amount(v.maintenance, "USD"))
      .Set(f::kOrderable, Amount(v.Available(), "USD"));
  return d;
}

}  // namespace zqk::sandbox::services
