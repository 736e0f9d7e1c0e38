#include "sandbox/orders/Matching.h"

#include <algorithm>
#include <optional>

namespace zqk::sandbox::orders {
namespace {

using market::Book;
using market::BookLevel;
using market::Side;

std::array<BookLevel, 5>& OtherSide(Book& book, Side side) {
  return side == Side::kBuy ? book.asks : book.bids;
}

bool Crosses(const BookLevel& level, Side side, int64_t limit) {
  if (level.price <= 0 || level.size <= 0) return false;
  if (limit <= 0) return true;
  return side == Side::kBuy ? level.price <= limit : level.price >= limit;
}

}  // namespace

int64_t CrossingSize(const Book& book, Side side, int64_t limit) {
  const auto& levels = side == Side::kBuy ? book.asks : book.bids;
  int64_t n = 0;
  for (const BookLevel& level : levels) {
    if (Crosses(level, side, limit)) n += level.size;
  }
  return n;
}

std::vector<Execution> Take(Book& book, Side side, int64_t limit, int32_t quantity) {
  std::vector<Execution> out;
  for (BookLevel& level : OtherSide(book, side)) {
    if (quantity <= 0) break;
    if (!Crosses(level, side, limit)) continue;
    const int32_t qty = std::min(quantity, level.size);
    out.push_back(Execution{level.price, qty});
    level.size -= qty;
    quantity -= qty;
  }
  return out;
}

std::optional<Execution> FillResting(Book& book, Side side, int64_t limit, int32_t quantity) {
  int32_t filled = 0;
  for (const Execution& e : Take(book, side, limit, quantity)) filled += e.quantity;
  if (filled <= 0) return std::nullopt;
  return Execution{limit, filled};
}

bool StopReached(Side side, int64_t stop, int64_t price) {
  if (price <= 0) return false;
  return side == Side::kBuy ? price >= stop : price <= stop;
}

bool StopReached(Side side, int64_t stop, std::span<const market::Trade> trades) {
  return std::any_of(trades.begin(), trades.end(),
                     [&](const market::Trade& t) { return StopReached(side, stop, t.price); });
}

}  // namespace zqk::sandbox::orders
