#include "sandbox/ledger/OpenOrderMargin.h"

#include <algorithm>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox::market {

void OpenOrderMargin::Change(size_t at, const OrderTicket& t, int32_t before, int32_t after) {
  if (before == after) return;
  ProductTotals& totals = products_[t.product];
  SideTotals& side = totals.sides[t.side == Side::kBuy ? 0 : 1];
  const int64_t delta = static_cast<int64_t>(after) - before;
  if (t.price > 0) {
    side.pricedNotional += static_cast<__int128>(t.price) * delta;
    side.pricedOpen += delta;
  } else {
    side.unpricedOpen += delta;
  }
  if (before <= 0 && after > 0) {
    if (open_.size() <= at) open_.resize(at + 1);
    open_[at] = true;
    totals.openedAt.push_back(at);
    ++totals.openOrders;
  } else if (before > 0 && after <= 0) {
    open_[at] = false;
    --totals.openOrders;
    while (!totals.openedAt.empty() && !open_[totals.openedAt.front()]) {
      totals.openedAt.pop_front();
    }
  }
  if (totals.openOrders == 0) products_.erase(t.product);
}

double OpenOrderMargin::MarginOf(const Product& p, const ProductTotals& totals,
                                 SimulatedMarket& market, int64_t atMs) const {
  double margin = 0;
  const Side sides[2] = {Side::kBuy, Side::kSell};
  for (int i = 0; i < 2; ++i) {
    const SideTotals& s = totals.sides[i];
    if (p.IsOption()) {
      // An option's margin is per contract, whatever its price.
      margin +=
          MarginPerContract(p, 0, sides[i]) * static_cast<double>(s.pricedOpen + s.unpricedOpen);
      continue;
    }
    // Any other product's is in proportion to its price.
    __int128 notional = s.pricedNotional;
    if (s.unpricedOpen > 0) {
      notional += static_cast<__int128>(market.At(p, atMs).session.last) * s.unpricedOpen;
    }
    margin += MarginPerContract(p, 1, sides[i]) * static_cast<double>(notional);
  }
  return margin;
}

std::vector<const Product*> OpenOrderMargin::InBookOrder() const {
  std::vector<std::pair<size_t, const Product*>> first;
  first.reserve(products_.size());
  for (const auto& [p, totals] : products_) first.emplace_back(totals.openedAt.front(), p);
  std::sort(first.begin(), first.end());
  std::vector<const Product*> out;
  out.reserve(first.size());
  for (const auto& [at, p] : first) out.push_back(p);
  return out;
}

}  // namespace zqk::sandbox::market
