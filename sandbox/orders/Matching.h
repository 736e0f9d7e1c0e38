#pragma once
// How an order meets the simulated market's book at one step. An order
// that arrives takes the levels of the other side that its price reaches
// (all five for a market order), best first, each at the level's price and
// at most the level's size. An order already resting at its limit fills at
// that limit once the other side's quotes reach it, for as much as those
// quotes offer. A stop order wakes when the market trades at or through its
// stop. Pure functions: the caller keeps the book of the step and passes
// it to every order of the step, so that two orders never take the same
// size twice.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox::orders {

struct Execution {
  int64_t price = 0;  // raw
  int32_t quantity = 0;
  bool operator==(const Execution&) const = default;
};

// What the other side of `book` offers an order of `side` at `limit`
// (0: at any price).
int64_t CrossingSize(const market::Book& book, market::Side side, int64_t limit);

// An arriving order: takes up to `quantity` from the crossing levels, best
// first, one execution per level at its price, and removes it from `book`.
std::vector<Execution> Take(market::Book& book, market::Side side, int64_t limit, int32_t quantity);

// A resting order at `limit`: takes up to `quantity` from the crossing
// levels and fills it all at `limit`. Nothing when nothing crosses.
std::optional<Execution> FillResting(market::Book& book, market::Side side, int64_t limit,
                                     int32_t quantity);

// Whether a trade at `price` reaches a stop of `side`: a buy stop at or
// above it, a sell stop at or below it.
bool StopReached(market::Side side, int64_t stop, int64_t price);
bool StopReached(market::Side side, int64_t stop, std::span<const market::Trade> trades);

}  // namespace zqk::sandbox::orders
