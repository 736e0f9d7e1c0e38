// Overseas futures and FX margin accounts. Overseas account inputs start
// with the account number (6 bytes) and its password (4 bytes); the FX
// margin input starts with the user token (8 bytes) and a blank.
#include <algorithm>
#include <cstdio>

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

constexpr std::string_view kOut = "OutRec1";
constexpr size_t kOrderRowWidth = 226;
constexpr size_t kHistoryPage = 5;

AccountBook& OverseasAccount(QueryContext& q, const QueryInput& in) {
  return CheckedAccount(q, in.Raw(0, 6), in.Raw(6, 4), {Market::kOverseas});
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

// The 226-byte block row of an order line, and its fields in the row.
void AddOrderLine(QueryContext& q, EventData& d, const AccountBook& book, const OrderLine& line) {
  const Order& o = *line.order;
  const Product& p = *o.ticket.product;
  const market::LocalTime at = q.broker.market.clock().Local(line.atMs);
  const market::LocalTime orderedAt = q.broker.market.clock().Local(o.atMs);
  const std::string fillPrice = line.fill ? Price(p, line.fill->price) : "";
  const std::string fillQty = line.fill ? Number(line.fill->quantity) : "";
  const std::string fillTime = line.fill ? Hms(at.time) : "";
  EventData::Row& row = d.AddRow(kOut);
  row["처리일자"] = Ymd(at.date);
  row["주문번호"] = o.number;
  row["원주문번호"] = o.original;
  row["계좌번호"] = book.account().number;
  row["종목코드"] = p.code;
  row["종목명"] = p.name;
  row["매매구분"] = SideCode(o.ticket.side);
  row["가격조건"] = std::string(1, o.ticket.priceType);
  row["체결조건"] = std::string(1, o.ticket.fillCondition);
  row["주문/체결구분"] = line.kind;
  row["주문가격"] = Price(p, o.ticket.price);
  row["주문수량"] = Number(o.ticket.quantity);
  row["체결가격"] = fillPrice;
  row["체결수량"] = fillQty;
  row["미체결수량"] = Number(o.Open());
  row["통화코드"] = p.currency;
  row["주문시간"] = Hms(orderedAt.time);
  row["체결시간"] = fillTime;
  row["처리상태"] = line.state;
  d.block += BlockRow()
                 .Add(Ymd(at.date), 8)
                 .Add(o.number, 10)
                 .Add(o.original, 10)
                 .Add(book.account().number, 11)
                 .Add(p.code, 32)
                 .Add(SideCode(o.ticket.side), 1)
                 .Add(std::string(1, o.ticket.priceType), 1)
                 .Add(std::string(1, o.ticket.fillCondition), 1)
                 .Add(line.kind, 1)
                 .Add(Price(p, o.ticket.price), 15)
                 .Add(Number(o.ticket.quantity), 10)
                 .Add(fillPrice, 15)
                 .Add(fillQty, 10)
                 .Add(Number(o.Open()), 10)
                 .Add(p.currency, 3)
                 .Add(Hms(orderedAt.time), 6)
                 .Add(fillTime, 6)
                 .Add(line.state, 20)
                 .Add(p.name, 40)
                 .Add("", 16)
                 .text();
}

std::string PageKey(size_t index) {
  char text[32];
  std::snprintf(text, sizeof text, "%010zu", index);
  return text;
}

}  // namespace

EventData AccountList(QueryContext& q) {
  // Bytes 1-20: the user ID (blank: the signed-in user).
  const QueryInput in(q.request.input);
  const User& user = AskedUser(q, in.Text(0, 20));
  EventData d;
  char header[8];
  std::snprintf(header, sizeof header, "%05zu", std::min<size_t>(user.accounts.size(), 99'999));
  std::string data = header;
  for (const Account& a : user.accounts) {
    data += BlockRow().Add(a.number, 11).Add(a.name, 30).Add(AccountKind(a.market), 1).text();
    EventData::Row& row = d.AddRow(kOut);
    row["계좌번호"] = a.number;
    row["계좌명"] = a.name;
    row["계좌구분"] = AccountKind(a.market);
  }
  d.block = data;
  d.lastData = std::move(data);
  return d;
}

EventData OverseasDeposit(QueryContext& q) {
  // Bytes 11-13: one currency (blank: all the account holds).
  const QueryInput in(q.request.input);
  const AccountBook& book = OverseasAccount(q, in);
  const std::string_view only = in.Text(10, 3);
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
    EventData::Row& row = d.AddRow(kOut);
    row["통화구분"] = Fit(v.currency, 4);
    row["예탁금총액"] = Amount(v.Equity(), v.currency);
    row["예탁금잔액"] = Amount(v.cash, v.currency);
    row["평가손익"] = Amount(v.unrealized, v.currency);
    row["실현손익"] = Amount(realized, v.currency);
    row["수수료"] = Amount(fees, v.currency);
    row["위탁증거금"] = Amount(v.margin + v.orderMargin, v.currency);
    row["유지증거금"] = Amount(v.maintenance, v.currency);
    row["주문가능금액"] = Amount(v.Available(), v.currency);
  }
  if (d.records.empty()) q.notice = kMsgNoData;
  return d;
}

EventData OverseasPasswordCheck(QueryContext& q) {
  const QueryInput in(q.request.input);
  return PasswordAnswer(q, in.Raw(0, 6), in.Raw(6, 4), {Market::kOverseas, Market::kFxMargin},
                        "구분");
}

EventData OverseasOpenOrders(QueryContext& q) {
  const QueryInput in(q.request.input);
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
  // Bytes 11-18: a day (blank: all the book holds). Five lines a page, the
  // newest first; the continuation key is the index of the next line.
  const QueryInput in(q.request.input);
  const AccountBook& book = OverseasAccount(q, in);
  const std::optional<int32_t> day = in.Date(10, "처리일자");
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
    const QueryInput key(q.request.nextKey);
    first = static_cast<size_t>(key.Number(0, q.request.nextKey.size(), 0, 1, 999'999, "key"));
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
  // Bytes 1-8 the user token, 9 a blank, 10-15 the account, 16-19 its
  // password.
  const QueryInput in(q.request.input);
  if (in.Text(0, 8) != q.user.token) throw Refused(kMsgWrongToken);
  const AccountBook& book = CheckedAccount(q, in.Raw(9, 6), in.Raw(15, 4), {Market::kFxMargin});
  const market::Valuation v = book.ValueIn("USD", q.broker.market, q.now);
  EventData d;
  EventData::Row& row = d.AddRow(kOut);
  row["계좌번호"] = book.account().number;
  row["계좌명"] = Fit(book.account().name, 30);
  row["통화"] = "USD";
  row["예탁총액"] = Amount(v.Equity(), "USD");
  row["예탁금잔액"] = Amount(v.cash, "USD");
  row["평가손익"] = Amount(v.unrealized, "USD");
  row["위탁증거금"] = Amount(v.margin + v.orderMargin, "USD");
  row["유지증거금"] = Amount(v.maintenance, "USD");
  row["주문가능금액"] = Amount(v.Available(), "USD");
  return d;
}

}  // namespace zqk::sandbox::services
