#include "sandbox/orders/RestingOrders.h"

#include <algorithm>
#include <limits>

namespace zqk::sandbox::orders {
namespace {

using market::Book;
using market::BookLevel;
using market::Side;

constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
constexpr int64_t kLowest = std::numeric_limits<int64_t>::min();

// The lowest ask and the highest bid that still offer size: a buy limit at or
// above the one, a sell limit at or below the other, is crossed.
int64_t LowestAsk(const Book& book) {
  int64_t best = kNever;
  for (const BookLevel& l : book.asks) {
    if (l.price > 0 && l.size > 0) best = std::min(best, l.price);
  }
  return best;
}

int64_t HighestBid(const Book& book) {
  int64_t best = 0;
  for (const BookLevel& l : book.bids) {
    if (l.price > 0 && l.size > 0) best = std::max(best, l.price);
  }
  return best;
}

}  // namespace

void RestingOrders::Add(WorkingOrder order) {
  Id id;
  if (freeSlots_.empty()) {
    id = static_cast<Id>(slots_.size());
    slots_.emplace_back();
  } else {
    id = freeSlots_.back();
    freeSlots_.pop_back();
  }
  Slot& slot = slots_[id];
  slot = Slot{std::move(order), {}, nextArrival_++, true};
  ++count_;
  byNumber_[NumberKey{slot.order.book, slot.order.number}] = id;
  if (slot.order.expiresAtStep != kNever) {
    slot.filing.expiry = expiries_.Add(slot.order.expiresAtStep, id);
  }
  File(id, slot);
}

void RestingOrders::File(Id id, Slot& slot) {
  const market::OrderTicket& t = slot.order.book->FindOrder(slot.order.number)->ticket;
  Filing& f = slot.filing;
  f.product = t.product;
  ProductOrders& at = products_[t.product];
  const bool buy = t.side == Side::kBuy;
  f.asleep = !slot.order.triggered;
  if (f.asleep) {
    f.ladder = buy ? &at.buyStops : &at.sellStops;
    f.place = f.ladder->Add(t.stopPrice, id);
  } else if (LimitOf(t) > 0) {
    f.ladder = buy ? &at.buyLimits : &at.sellLimits;
    f.place = f.ladder->Add(LimitOf(t), id);
  } else {
    f.ladder = nullptr;
    everyStep_.insert(id);
  }
  // Nothing filed at the product after all: no entry left behind.
  if (at.empty()) products_.erase(t.product);
}

void RestingOrders::Unfile(Id id, Slot& slot) {
  Filing& f = slot.filing;
  if (!f.ladder) {
    everyStep_.erase(id);
    return;
  }
  f.ladder->Remove(f.place);
  f.ladder = nullptr;
  auto it = products_.find(f.product);
  if (it != products_.end() && it->second.empty()) products_.erase(it);
}

WorkingOrder* RestingOrders::Find(const market::AccountBook& book, std::string_view number) {
  auto it = byNumber_.find(NumberView{&book, number});
  return it == byNumber_.end() ? nullptr : &slots_[it->second].order;
}

void RestingOrders::Remove(const market::AccountBook& book, std::string_view number) {
  auto it = byNumber_.find(NumberView{&book, number});
  if (it != byNumber_.end()) Erase(it->second);
}

void RestingOrders::Erase(Id id) {
  Slot& slot = slots_[id];
  if (!slot.used) return;
  Unfile(id, slot);
  if (slot.filing.expiry) expiries_.Remove(*slot.filing.expiry);
  byNumber_.erase(byNumber_.find(NumberView{slot.order.book, slot.order.number}));
  slot = Slot{};
  freeSlots_.push_back(id);
  --count_;
}

std::vector<RestingOrders::Id> RestingOrders::DueAt(int64_t step, const BookOf& bookOf,
                                                    const TradesOf& tradesOf) const {
  std::vector<std::pair<uint64_t, Id>> due;
  const auto take = [&](Id id) { due.emplace_back(slots_[id].arrival, id); };
  for (const Id id : everyStep_) take(id);
  expiries_.Each(kLowest, step, take);
  for (const auto& [product, at] : products_) {
    if (!at.buyLimits.empty() || !at.sellLimits.empty()) {
      const Book& book = bookOf(*product);
      at.buyLimits.Each(LowestAsk(book), kNever, take);
      at.sellLimits.Each(kLowest, HighestBid(book), take);
    }
    if (!at.buyStops.empty() || !at.sellStops.empty()) {
      // A buy stop wakes on a trade at or above it, a sell stop on one at or
      // below it; a trade without a price reaches none.
      int64_t highest = 0;
      int64_t lowest = kNever;
      for (const market::Trade& trade : tradesOf(*product)) {
        if (trade.price <= 0) continue;
        highest = std::max(highest, trade.price);
        lowest = std::min(lowest, trade.price);
      }
      at.buyStops.Each(kLowest, highest, take);
      at.sellStops.Each(lowest, kNever, take);
    }
  }
  std::sort(due.begin(), due.end());
  due.erase(std::unique(due.begin(), due.end()), due.end());
  std::vector<Id> ids;
  ids.reserve(due.size());
  for (const auto& [arrival, id] : due) ids.push_back(id);
  return ids;
}

void RestingOrders::Refile(Id id) {
  Slot& entry = slots_[id];
  if (!entry.used) return;
  const market::Order* order = entry.order.book->FindOrder(entry.order.number);
  if (!order || order->Open() <= 0) {
    Erase(id);
    return;
  }
  if (entry.filing.asleep && entry.order.triggered) {
    Unfile(id, entry);
    File(id, entry);
  }
}

}  // namespace zqk::sandbox::orders
