#include "sandbox/orders/Exchange.h"

#include <algorithm>

#include "sandbox/broker/Broker.h"
#include "sandbox/orders/Matching.h"
#include "sandbox/orders/OrderFeedRecords.h"
#include "sandbox/orders/OrderMessages.h"

namespace zqk::sandbox::orders {
namespace {

using market::AccountBook;
using market::Order;
using market::OrderTicket;
using market::Product;
using protocol::OrderFeedTypesOf;

// The fill conditions by the codes of each market's list.
bool FillOrKill(const OrderTicket& t) {
  switch (t.product->market) {
    case Market::kDomestic:
      return t.fillCondition == '2';
    case Market::kOverseas:
      return t.fillCondition == '4';
    case Market::kFxMargin:
      break;
  }
  return false;
}

bool FillAndKill(const OrderTicket& t) {
  return t.product->market != Market::kFxMargin && t.fillCondition == '3';
}

}  // namespace

std::string Exchange::Key(const AccountBook& book, std::string_view number) {
  return book.account().number + "/" + std::string(number);
}

bool Exchange::IsCme(const AccountBook& book, std::string_view number) const {
  return cme_.contains(Key(book, number));
}

market::Book& Exchange::Liquidity(const Product& p, int64_t step) {
  if (step != liquidityStep_) {
    liquidity_.clear();
    liquidityStep_ = step;
  }
  auto it = liquidity_.find(&p);
  if (it == liquidity_.end()) it = liquidity_.emplace(&p, broker_.market.BookAt(p, step)).first;
  return it->second;
}

int64_t Exchange::ExpiryStep(const Order& order, int32_t validUntil, int64_t atMs) const {
  const market::SimulatedMarket& m = broker_.market;
  const market::MarketClock& clock = m.clock();
  const char condition = order.ticket.fillCondition;
  switch (order.ticket.product->market) {
    case Market::kDomestic:
      return m.StepAt(clock.DayEnd(atMs));
    case Market::kOverseas:
      if (condition == '0') return m.StepAt(clock.DayEnd(atMs));
      if (condition == '6' && validUntil > 0) {
        return m.StepAt(clock.DayEnd(clock.AgentMsOfDate(validUntil)));
      }
      return kNever;
    case Market::kFxMargin:
      break;
  }
  return kNever;
}

void Exchange::Track(AccountBook& book, const std::string& number, bool triggered,
                     int64_t expiresAtStep) {
  working_.Add(Working{&book, number, triggered, expiresAtStep});
}

void Exchange::Untrack(const AccountBook& book, std::string_view number) {
  working_.Remove(book, number);
}

bool Exchange::StopReachedNow(const OrderTicket& t, int64_t now) {
  // A stop wakes on a trade of this session, never on the previous close.
  const market::Session& session = broker_.market.At(*t.product, now).session;
  return session.trades > 0 && StopReached(t.side, t.stopPrice, session.last);
}

void Exchange::Enter(AccountBook& book, const std::string& number, bool triggered,
                     int64_t expiresAtStep, int64_t step, int64_t now) {
  if (triggered) Arrive(book, number, step, now);
  Settle(book, number, now);
  if (book.FindOrder(number)->Open() > 0) Track(book, number, triggered, expiresAtStep);
}

void Exchange::Acknowledge(const AccountBook& book, const Order& change, std::string_view text,
                           int64_t now) {
  const auto& types = OrderFeedTypesOf(book.account().market);
  sink_.Record(book, types.acceptance,
               feeds::AcceptanceRecord(book, change, broker_.market.clock().Local(now)));
  sink_.Record(book, types.confirmation, feeds::ConfirmationRecord(book, change, text));
}

void Exchange::Placed(AccountBook& book, const std::string& number, bool cme, int32_t validUntil) {
  const int64_t now = broker_.Now();
  const int64_t step = broker_.market.StepAt(now);
  RunTo(step);
  const Order& order = *book.FindOrder(number);
  sink_.Record(book, OrderFeedTypesOf(book.account().market).acceptance,
               feeds::AcceptanceRecord(book, order, broker_.market.clock().Local(now)));
  if (cme) cme_.insert(Key(book, number));
  const bool triggered = !IsStop(order.ticket) || StopReachedNow(order.ticket, now);
  Enter(book, number, triggered, ExpiryStep(order, validUntil, now), step, now);
}

void Exchange::Amended(AccountBook& book, const std::string& number) {
  const int64_t now = broker_.Now();
  const int64_t step = broker_.market.StepAt(now);
  RunTo(step);
  const Order& amend = *book.FindOrder(number);
  const std::string original = amend.original;
  Acknowledge(book, amend, kTextAmended, now);
  // What stays of the old order: nothing, unless only part of it moved.
  const int32_t openType = OrderFeedTypesOf(book.account().market).open;
  sink_.Record(book, openType, feeds::OpenOrderRecord(book, *book.FindOrder(original), openType));

  // The amending order inherits the old one's session, expiry and stop.
  const Working* old = working_.Find(book, original);
  const OrderTicket& t = amend.ticket;
  const bool triggered = !IsStop(t) || (old && old->triggered) || StopReachedNow(t, now);
  const int64_t expires = old ? old->expiresAtStep : ExpiryStep(amend, 0, amend.atMs);
  if (IsCme(book, original)) cme_.insert(Key(book, number));
  if (book.FindOrder(original)->Open() <= 0) Untrack(book, original);
  Enter(book, number, triggered, expires, step, now);
}

void Exchange::Cancelled(AccountBook& book, const std::string& number) {
  const int64_t now = broker_.Now();
  RunTo(broker_.market.StepAt(now));
  const Order& cancel = *book.FindOrder(number);
  const std::string original = cancel.original;
  Acknowledge(book, cancel, kTextCancelled, now);
  if (book.FindOrder(original)->Open() <= 0) Untrack(book, original);
  Settle(book, original, now);
}

void Exchange::Adopt(AccountBook& book) {
  const int64_t now = broker_.Now();
  RunTo(broker_.market.StepAt(now));
  for (const Order& o : book.orders()) {
    if (o.Open() > 0 && !working_.Find(book, o.number)) {
      Track(book, o.number, !IsStop(o.ticket), ExpiryStep(o, 0, o.atMs));
    }
  }
}

void Exchange::Arrive(AccountBook& book, const std::string& number, int64_t step, int64_t atMs) {
  const OrderTicket t = book.FindOrder(number)->ticket;
  const int32_t open = book.FindOrder(number)->Open();
  market::Book& liquidity = Liquidity(*t.product, step);
  const int64_t limit = LimitOf(t);
  if (FillOrKill(t) && CrossingSize(liquidity, t.side, limit) < open) {
    End(book, number, kTextFillOrKill, atMs);
    return;
  }
  for (const Execution& e : Take(liquidity, t.side, limit, open)) {
    Execute(book, number, e.price, e.quantity, atMs);
  }
  if (FillAndKill(t) && book.FindOrder(number)->Open() > 0) {
    End(book, number, kTextFillAndKill, atMs);
  }
}

void Exchange::Rest(Working& w, int64_t step) {
  AccountBook& book = *w.book;
  const Order* order = book.FindOrder(w.number);
  if (!order || order->Open() <= 0) return;
  const int64_t atMs = broker_.market.MsOfStep(step);
  const int32_t open = order->Open();
  const OrderTicket t = order->ticket;
  if (step >= w.expiresAtStep) {
    End(book, w.number, kTextExpired, atMs);
  } else if (!w.triggered) {
    if (!StopReached(t.side, t.stopPrice, broker_.market.TradesAt(*t.product, step))) return;
    w.triggered = true;
    Arrive(book, w.number, step, atMs);
  } else if (LimitOf(t) == 0) {
    // What the book lacked for a market order: taken from the next books.
    Arrive(book, w.number, step, atMs);
  } else if (auto e = FillResting(Liquidity(*t.product, step), t.side, LimitOf(t), open)) {
    Execute(book, w.number, e->price, e->quantity, atMs);
  }
  if (book.FindOrder(w.number)->Open() != open) Settle(book, w.number, atMs);
}

void Exchange::Execute(AccountBook& book, const std::string& number, int64_t price, int32_t qty,
                       int64_t atMs) {
  const Product& p = *book.FindOrder(number)->ticket.product;
  const market::Side side = book.FindOrder(number)->ticket.side;
  int32_t closing = 0;
  if (const market::Position* pos = book.FindPosition(p); pos && pos->side != side) {
    closing = std::min(pos->quantity, qty);
  }
  const market::Fill* applied = book.ApplyFill(number, price, qty, atMs);
  if (!applied) return;
  const market::Fill fill = *applied;
  const auto& types = OrderFeedTypesOf(book.account().market);
  sink_.Record(book, types.fill,
               feeds::FillRecord(book, *book.FindOrder(number), fill,
                                 broker_.market.clock().Local(atMs), types.fill));
  if (closing > 0) sink_.Record(book, real::kClose, feeds::CloseRecord(book, fill, closing));
  if (const market::Position* pos = book.FindPosition(p)) {
    sink_.Record(book, real::kPosition, feeds::PositionRecord(book, number, *pos));
  }
}

void Exchange::End(AccountBook& book, const std::string& number, std::string_view why,
                   int64_t atMs) {
  const Order* ended = book.Cancel(number, 0, atMs);
  if (!ended) return;
  sink_.Record(book, OrderFeedTypesOf(book.account().market).confirmation,
               feeds::ConfirmationRecord(book, *ended, why));
}

void Exchange::Settle(const AccountBook& book, const std::string& number, int64_t atMs) {
  const auto& types = OrderFeedTypesOf(book.account().market);
  const Order& order = *book.FindOrder(number);
  sink_.Record(book, types.open, feeds::OpenOrderRecord(book, order, types.open));
  sink_.Record(
      book, types.available,
      feeds::AvailableRecord(book, book.CurrencyOf(*order.ticket.product), broker_.market, atMs));
}

void Exchange::RunTo(int64_t step) {
  for (int64_t s = lastStep_ + 1; s <= step && !working_.empty(); ++s) {
    // Records go to the sink only: nothing here adds work.
    const auto bookOf = [&](const Product& p) -> const market::Book& { return Liquidity(p, s); };
    const auto tradesOf = [&](const Product& p) { return broker_.market.TradesAt(p, s); };
    for (const RestingOrders::Id id : working_.DueAt(s, bookOf, tradesOf)) {
      Rest(working_[id], s);
      working_.Refile(id);
    }
  }
  lastStep_ = std::max(lastStep_, step);
}

}  // namespace zqk::sandbox::orders
