#include "sandbox/ledger/Ledger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox::market {
namespace {

// Order and fill numbers fill the order records' field for them: seven
// digits in the domestic records, ten in the others.
std::string Numbered(int64_t n, Market market) {
  const bool domestic = market == Market::kDomestic;
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", domestic ? 7 : 10,
                static_cast<long long>(n % (domestic ? 10'000'000 : 10'000'000'000)));
  return text;
}

double Sign(Side side) {
  return side == Side::kBuy ? 1.0 : -1.0;
}

}  // namespace

std::string_view SideCode(Side side) {
  return side == Side::kBuy ? "1" : "2";
}

std::string_view ActionCode(OrderAction action) {
  switch (action) {
    case OrderAction::kNew:
      return "1";
    case OrderAction::kAmend:
      return "2";
    case OrderAction::kCancel:
      break;
  }
  return "3";
}

double Valuation::Available() const {
  return std::max(0.0, Equity() - margin - orderMargin);
}

int CurrencyDecimals(std::string_view currency) {
  return currency == "KRW" || currency == "JPY" ? 0 : 2;
}

double MarginPerContract(const Product& p, int64_t price, Side side) {
  if (p.IsOption()) {
    // Bought options are paid for; sold ones carry the risk of the strike.
    return side == Side::kBuy ? 0.0 : static_cast<double>(p.strike) * p.RawValue() * p.marginRate;
  }
  return static_cast<double>(price) * p.RawValue() * p.marginRate;
}

double FeeOf(const Product& p, int64_t price, int32_t quantity) {
  const double notional = static_cast<double>(price) * p.RawValue() * quantity;
  switch (p.market) {
    case Market::kDomestic:
      return std::round(notional * (p.IsOption() ? 0.0007 : 0.00003));
    case Market::kOverseas: {
      const double perContract = p.currency == "JPY"   ? 300
                                 : p.currency == "HKD" ? 20
                                 : p.currency == "EUR" ? 2
                                                       : 2.5;
      return perContract * quantity;
    }
    case Market::kFxMargin:
      break;
  }
  return 0;  // FX margin earns its spread
}

double ToUsd(double amount, std::string_view currency, SimulatedMarket& market, int64_t atMs) {
  if (currency == "USD" || amount == 0) return amount;
  // Currencies without a pair in the sandbox: fixed rates.
  if (currency == "KRW") return amount / 1120.0;
  if (currency == "HKD") return amount / 7.7567;
  const ProductUniverse& u = market.products();
  const std::string code(currency);
  if (const Product* p = u.Find(code + "/USD")) {
    return amount * market.Fair(*p, market.StepAt(atMs)) / std::pow(10.0, p->decimals);
  }
  if (const Product* p = u.Find("USD/" + code)) {
    return amount / (market.Fair(*p, market.StepAt(atMs)) / std::pow(10.0, p->decimals));
  }
  return amount;
}

AccountBook::AccountBook(std::string userId, Account account)
    : userId_(std::move(userId)), account_(std::move(account)) {}

std::string AccountBook::MainCurrency() const {
  return account_.market == Market::kDomestic ? "KRW" : "USD";
}

std::string AccountBook::CurrencyOf(const Product& p) const {
  return account_.market == Market::kFxMargin ? "USD" : p.currency;
}

std::string AccountBook::NextOrderNumber() {
  return Numbered(nextOrder_++, account_.market);
}

const Order* AccountBook::FindOrder(std::string_view number) const {
  auto it = orderAt_.find(number);
  return it == orderAt_.end() ? nullptr : &orders_[it->second];
}

Order* AccountBook::FindOpen(std::string_view number) {
  auto it = orderAt_.find(number);
  if (it == orderAt_.end()) return nullptr;
  Order& o = orders_[it->second];
  return o.Open() > 0 ? &o : nullptr;
}

Order& AccountBook::Add(Order order) {
  // The first order of a number is the one it names.
  orderAt_.try_emplace(order.number, orders_.size());
  orders_.push_back(std::move(order));
  OpenChanged(orders_.back(), 0);
  return orders_.back();
}

void AccountBook::OpenChanged(const Order& o, int32_t before) {
  openMargin_.Change(static_cast<size_t>(&o - orders_.data()), o.ticket, before, o.Open());
}

const Position* AccountBook::FindPosition(const Product& p) const {
  for (const Position& pos : positions_) {
    if (pos.product == &p) return &pos;
  }
  return nullptr;
}

CashBalance& AccountBook::CashIn(std::string_view currency) {
  for (CashBalance& c : cash_) {
    if (c.currency == currency) return c;
  }
  cash_.push_back(CashBalance{std::string(currency)});
  return cash_.back();
}

void AccountBook::Deposit(std::string_view currency, double amount) {
  CashIn(currency).opening += amount;
}

const Order& AccountBook::Place(const OrderTicket& ticket, int64_t atMs) {
  Order o;
  o.number = NextOrderNumber();
  o.action = OrderAction::kNew;
  o.ticket = ticket;
  o.atMs = atMs;
  return Add(std::move(o));
}

Order* AccountBook::Withdraw(std::string_view number, int32_t quantity, OrderAction action,
                             int64_t atMs, int64_t price, int64_t stopPrice) {
  Order* target = FindOpen(number);
  if (!target) return nullptr;
  const int32_t open = target->Open();
  const int32_t taken = quantity > 0 ? std::min(quantity, open) : open;
  target->withdrawn += taken;
  OpenChanged(*target, open);
  Order o;
  o.number = NextOrderNumber();
  o.original = target->number;
  o.action = action;
  o.ticket = target->ticket;
  o.ticket.quantity = taken;
  if (price > 0) o.ticket.price = price;
  if (stopPrice > 0) o.ticket.stopPrice = stopPrice;
  o.atMs = atMs;
  return &Add(std::move(o));  // `target` may dangle from here
}

const Order* AccountBook::Amend(std::string_view number, int64_t price, int32_t quantity,
                                int64_t atMs, int64_t stopPrice) {
  return Withdraw(number, quantity, OrderAction::kAmend, atMs, price, stopPrice);
}

const Order* AccountBook::Cancel(std::string_view number, int32_t quantity, int64_t atMs) {
  return Withdraw(number, quantity, OrderAction::kCancel, atMs);
}

const Fill* AccountBook::ApplyFill(std::string_view number, int64_t price, int32_t quantity,
                                   int64_t atMs) {
  Order* order = FindOpen(number);
  if (!order || quantity <= 0) return nullptr;
  const int32_t open = order->Open();
  const int32_t qty = std::min(quantity, open);
  order->filled += qty;
  OpenChanged(*order, open);
  const Product& p = *order->ticket.product;
  const Side side = order->ticket.side;

  Fill f;
  f.number = Numbered(nextFill_++, account_.market);
  f.orderNumber = order->number;
  f.product = &p;
  f.side = side;
  f.price = price;
  f.quantity = qty;
  f.atMs = atMs;
  f.fee = FeeOf(p, price, qty);

  // Positions are net by product: a fill against the position closes it
  // first, at a profit or loss, and opens the rest the other way.
  auto pos = std::find_if(positions_.begin(), positions_.end(),
                          [&](const Position& x) { return x.product == &p; });
  int32_t opening = qty;
  if (pos != positions_.end() && pos->side != side) {
    const int32_t closing = std::min(pos->quantity, qty);
    f.realized =
        (static_cast<double>(price) - pos->averagePrice) * closing * p.RawValue() * Sign(pos->side);
    pos->quantity -= closing;
    opening = qty - closing;
    if (pos->quantity == 0) {
      positions_.erase(pos);
      pos = positions_.end();
    }
  }
  if (opening > 0) {
    if (pos != positions_.end()) {
      pos->averagePrice =
          (pos->averagePrice * pos->quantity + static_cast<double>(price) * opening) /
          (pos->quantity + opening);
      pos->quantity += opening;
    } else {
      positions_.push_back(Position{&p, side, opening, static_cast<double>(price)});
    }
  }
  CashBalance& cash = CashIn(p.currency);
  cash.realized += f.realized;
  cash.fees += f.fee;
  fills_.push_back(std::move(f));
  return &fills_.back();
}

std::vector<Valuation> AccountBook::Value(SimulatedMarket& market, int64_t atMs) const {
  // Everything in the currency it arises in first.
  std::vector<Valuation> by;
  auto in = [&](std::string_view currency) -> Valuation& {
    for (Valuation& v : by) {
      if (v.currency == currency) return v;
    }
    by.push_back(Valuation{std::string(currency)});
    return by.back();
  };
  in(account_.market == Market::kDomestic ? "KRW" : "USD");
  for (const CashBalance& c : cash_) in(c.currency).cash += c.Cash();
  for (const Position& pos : positions_) {
    const Product& p = *pos.product;
    const int64_t mark = market.At(p, atMs).session.last;
    Valuation& v = in(p.currency);
    v.unrealized += (static_cast<double>(mark) - pos.averagePrice) * pos.quantity * p.RawValue() *
                    Sign(pos.side);
    v.margin += MarginPerContract(p, mark, pos.side) * pos.quantity;
  }
  openMargin_.ForEach(market, atMs, [&](std::string_view currency, double margin) {
    in(currency).orderMargin += margin;
  });
  for (Valuation& v : by) v.maintenance = v.margin * 2 / 3;
  if (account_.market != Market::kFxMargin) return by;
  Valuation usd{"USD"};
  for (const Valuation& v : by) {
    usd.cash += ToUsd(v.cash, v.currency, market, atMs);
    usd.unrealized += ToUsd(v.unrealized, v.currency, market, atMs);
    usd.margin += ToUsd(v.margin, v.currency, market, atMs);
    usd.orderMargin += ToUsd(v.orderMargin, v.currency, market, atMs);
  }
  usd.maintenance = usd.margin * 2 / 3;
  return {usd};
}

Valuation AccountBook::ValueIn(std::string_view currency, SimulatedMarket& market,
                               int64_t atMs) const {
  for (Valuation& v : Value(market, atMs)) {
    if (v.currency == currency) return v;
  }
  return Valuation{std::string(currency)};
}

double AccountBook::Available(const Product& p, SimulatedMarket& market, int64_t atMs) const {
  return ValueIn(CurrencyOf(p), market, atMs).Available();
}

}  // namespace zqk::sandbox::market
