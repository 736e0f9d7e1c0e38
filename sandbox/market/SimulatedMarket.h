#pragma once
// The one simulated market: every price, trade, quote and bar that any reply,
// tick, fill or master file shows comes from here, so that they agree.
//
// Time runs in 100 ms steps from the agent's start (step 0; earlier steps are
// the market's history). Each product's model price follows a seeded path
// (PricePath.h): FX pairs, indices and the front overseas future of each
// family follow their own; later overseas months follow their front month,
// those of an equity index at its carry (IndexCarry.h), the others at a fixed
// spread; domestic futures follow the KOSPI200 index at its carry; options
// are valued by Black's model on their underlying. Trades at a step are a
// pure function of the seed, the product and the step: buys at the ask,
// sells at the bid, more of them at the busy hours of the product's market
// (IntradayProfile.h), where FX spreads are also narrower. A session is the
// local calendar day, from midnight or from the agent's start, whichever is
// later; its previous close is the price at midnight. Nothing closes: every
// product trades around the clock.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "sandbox/market/BarCache.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/IndexCarry.h"
#include "sandbox/market/OptionModel.h"
#include "sandbox/market/PricePath.h"
#include "sandbox/market/ProductUniverse.h"

namespace zqk::sandbox::market {

struct Trade {
  int64_t step = 0;
  int64_t price = 0;  // raw
  int32_t qty = 0;
  bool buy = false;  // the buyer took the ask
};

struct Session {
  int32_t date = 0;  // YYYYMMDD
  int64_t firstStep = 0;
  int64_t prevClose = 0;
  // 0 until the session's first trade; `last` is the previous close then.
  int64_t open = 0;
  int64_t high = 0;
  int64_t low = 0;
  int64_t last = 0;
  int64_t volume = 0;
  int64_t buyVolume = 0;
  int64_t sellVolume = 0;
  int32_t trades = 0;
  int32_t buyTrades = 0;
  int32_t sellTrades = 0;
  double turnover = 0;  // in the product's currency
  int32_t lastQty = 0;
  bool lastBuy = false;
  int64_t lastTradeStep = -1;  // valid once trades > 0
};

struct BookLevel {
  int64_t price = 0;  // raw; 0 where the book has no level
  int32_t size = 0;
  int32_t count = 0;
};

struct Book {
  std::array<BookLevel, 5> asks{};  // best first
  std::array<BookLevel, 5> bids{};
  int64_t AskSize() const;
  int64_t BidSize() const;
  int64_t AskCount() const;
  int64_t BidCount() const;
};

struct Snapshot {
  const Product* product = nullptr;
  int64_t atMs = 0;
  int64_t step = 0;
  Session session;
  Book book;          // empty for indices
  double fair = 0;    // the model price, raw, unrounded
  double driver = 0;  // the price the product follows, raw (itself for a driver)
};

// A product's price now without its session's totals: cheap for any product
// at any time (lists of many products).
struct Glance {
  int32_t date = 0;  // of the session
  int64_t prevClose = 0;
  int64_t last = 0;  // the session's last trade, the previous close before it
  int32_t lastQty = 0;
  bool lastBuy = false;
  int64_t lastTradeStep = -1;  // -1: none this session
  Book book;
};

struct Bar {
  int64_t startMs = 0;  // agent time
  int64_t open = 0;
  int64_t high = 0;
  int64_t low = 0;
  int64_t close = 0;
  int64_t volume = 0;
};

class SimulatedMarket {
 public:
  // Minutes of bars remembered, over all products: some 2.5 MB.
  static constexpr size_t kBarCacheCapacity = 20'000;

  SimulatedMarket(uint64_t seed, MarketClock clock, size_t barCacheCapacity = kBarCacheCapacity);
  ~SimulatedMarket();
  SimulatedMarket(const SimulatedMarket&) = delete;
  SimulatedMarket& operator=(const SimulatedMarket&) = delete;

  const ProductUniverse& products() const { return universe_; }
  const MarketClock& clock() const { return clock_; }
  uint64_t seed() const { return seed_; }
  size_t barCacheSize() const { return barCache_.size(); }

  int64_t StepAt(int64_t agentMs) const;         // the step that holds `agentMs`
  int64_t FirstStepFrom(int64_t agentMs) const;  // the first step at or after `agentMs`
  int64_t MsOfStep(int64_t step) const;

  // The product's state at `atMs`: its session through that step and its
  // book then. Cheap when the times asked for a product only go forward.
  Snapshot At(const Product& p, int64_t atMs);

  Glance GlanceAt(const Product& p, int64_t atMs);

  // The model price (raw, unrounded) at a step.
  double Fair(const Product& p, int64_t step);
  // The model price on the product's grid: what an index shows, what a
  // product without trades is worth.
  int64_t PriceAt(const Product& p, int64_t step);
  // The product's underlying or the product it follows; itself when none.
  const Product& Driver(const Product& p) const;

  Book BookAt(const Product& p, int64_t step);
  // The trades of one step, in the order they happened.
  std::vector<Trade> TradesAt(const Product& p, int64_t step);
  // Up to `count` trades before `beforeStep`, newest first, none before
  // `firstStep`.
  std::vector<Trade> RecentTrades(const Product& p, int64_t beforeStep, size_t count,
                                  int64_t firstStep);
  // Bars of `periodSecs` (a divisor of a day, or 86400 for days) aligned on
  // local midnight: the last `count` up to the one holding `atMs` (which
  // ends at `atMs`), oldest first. Every step counts while the bars hold
  // 400,000 steps in all; beyond that each bar samples its steps evenly and
  // scales the volume.
  std::vector<Bar> Bars(const Product& p, int32_t periodSecs, int64_t atMs, size_t count);

  // Black's model for an option at `atMs`; zeros for other products.
  Greeks OptionGreeks(const Product& p, int64_t atMs);
  // Years from `atMs` to the product's expiry (negative once expired; 0 for
  // products that do not expire).
  double YearsToExpiry(const Product& p, int64_t atMs);
  // The yearly carry (rate less dividend yield, as a fraction) of the index
  // that `p` follows at `atMs`; 0 for a product that follows no index.
  double Carry(const Product& p, int64_t atMs);

  // Rounding onto the product's tick grid.
  static int64_t FloorToGrid(const Product& p, double raw);
  static int64_t RoundToGrid(const Product& p, double raw);
  // The grid's next price up and down from a price on it.
  static int64_t TickUp(const Product& p, int64_t price);
  static int64_t TickDown(const Product& p, int64_t price);

 private:
  struct Track;
  // The model at a step: the product's fair price, the price of the path it
  // follows, the forward price of its underlying and the years to expiry.
  struct Model {
    double fair = 0;
    double driver = 0;
    double forward = 0;
    double years = 0;
  };
  Track& TrackOf(const Product& p);
  // `cursor` for sequential reads of the path, null for a one-off read.
  Model ModelAt(const Track& t, PricePath::Cursor* cursor, int64_t step) const;
  double FairWith(Track& t, int64_t step, bool sequential);
  Book BookFor(Track& t, int64_t step, double fair) const;
  // Ask less bid at a step, in ticks: FX spreads vary with the hour and from
  // quote to quote.
  int SpreadTicks(const Track& t, int64_t step) const;
  // The index carry that prices a product, or null.
  const CarrySchedule* CarryFor(const Product& p);
  // The `count` trades of a step (TradeCount's).
  void TradesFor(const Track& t, int64_t step, int32_t count, double fair,
                 std::vector<Trade>& out) const;
  int32_t TradeCount(const Track& t, int64_t step) const;
  void StartSession(Track& t, int64_t step);
  // The session that holds `step`: its date, first step and previous close.
  Session SessionOf(Track& t, int64_t step);
  void Advance(Track& t, int64_t step);
  // The trades of every `stride`th step of [fromStep, endStep), each
  // counting `stride` times.
  BarTally Walk(Track& t, PricePath::Cursor& cursor, int64_t fromStep, int64_t endStep,
                int64_t stride) const;
  // The same for a bar every step of which counts, [fromStep, endStep) of
  // the bar that starts at `startMs`: whole minutes from the cache.
  BarTally TallyByMinutes(Track& t, int64_t startMs, int64_t fromStep, int64_t endStep);
  // A bar without trades stays at `lastPrice` (the model price when 0); at
  // most `samples` steps are read.
  Bar MakeBar(Track& t, int64_t startMs, int64_t fromStep, int64_t endStep, int64_t lastPrice,
              int64_t samples, bool byMinutes);

  uint64_t seed_;
  MarketClock clock_;
  ProductUniverse universe_;
  std::vector<std::unique_ptr<Track>> tracks_;  // by position in the universe
  BarCache barCache_;
  std::map<const IndexCarry*, CarrySchedule> carries_;
};

}  // namespace zqk::sandbox::market
