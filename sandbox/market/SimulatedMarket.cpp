#include "sandbox/market/SimulatedMarket.h"

#include <algorithm>
#include <cmath>

#include "sandbox/market/IntradayProfile.h"
#include "sandbox/market/PricePath.h"
#include "sandbox/market/SeededHash.h"

namespace zqk::sandbox::market {
namespace {

// Log prices stay within +-30% of the start through a soft limit, so that
// no run, however long, leaves the plausible range.
constexpr double kBand = 0.3;
constexpr double kStepsPerDay = 86'400'000.0 / kStepMs;
constexpr double kYearMs = 365 * 86'400'000.0;
// The steps one request for bars may walk through; beyond it each bar is
// sampled evenly, so that no request for bars takes long.
constexpr int64_t kBarBudgetSteps = 400'000;
constexpr int64_t kMinBarSamples = 500;

constexpr uint64_t kTradeSalt = 0x7A11'0000'0000'0001ull;
constexpr uint64_t kBookSalt = 0xB00C'0000'0000'0002ull;
constexpr uint64_t kSpreadSalt = 0x5B7E'AD00'0000'0003ull;

// FX quotes of one pair at one moment: the usual spread, a little wider now
// and then; the hour widens them all.
constexpr double kFxSpreadSteps[] = {1.0, 1.0, 1.0, 1.15, 1.35, 1.6};

int64_t CloseMsOf(const Product& p) {
  return p.expiry ? MarketClock::CloseEpochMs(p.expiry) : 0;
}

// Years from `epochMs` to a close (0 for a product that never expires).
double YearsTo(int64_t closeMs, int64_t epochMs) {
  return closeMs ? static_cast<double>(closeMs - epochMs) / kYearMs : 0;
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

namespace {

// The sum of one figure over a side's levels.
int64_t Total(const std::array<BookLevel, 5>& side, int32_t BookLevel::*figure) {
  int64_t n = 0;
  for (const BookLevel& l : side) n += l.*figure;
  return n;
}

}  // namespace

int64_t Book::AskSize() const {
  return Total(asks, &BookLevel::size);
}
int64_t Book::BidSize() const {
  return Total(bids, &BookLevel::size);
}
int64_t Book::AskCount() const {
  return Total(asks, &BookLevel::count);
}
int64_t Book::BidCount() const {
  return Total(bids, &BookLevel::count);
}

struct SimulatedMarket::Track {
  Track(const Product& p, const Product& d, const Product& u, const CarrySchedule* carry,
        uint64_t seed)
      : product(&p),
        driver(&d),
        underlying(&u),
        carry(carry),
        profile(&IntradayProfile::Of(p)),
        key(Hash(seed, p.id)),
        path(seed, d.id, d.dailyVol / std::sqrt(kStepsPerDay)),
        cursor(path),
        expiryCloseMs(CloseMsOf(p)),
        underlyingCloseMs(CloseMsOf(u)),
        driverCloseMs(CloseMsOf(d)) {}

  const Product* product;
  const Product* driver;       // whose path the price follows
  const Product* underlying;   // options: the underlying; otherwise the product
  const CarrySchedule* carry;  // the index's, for its futures and their options
  const IntradayProfile* profile;
  uint64_t key;
  PricePath path;  // the driver's
  PricePath::Cursor cursor;
  int64_t expiryCloseMs;
  int64_t underlyingCloseMs;
  int64_t driverCloseMs;

  bool started = false;
  Session session;
  int64_t nextStep = 0;    // the first step not yet in the session
  int64_t dayEndStep = 0;  // the first step of the next day
};

SimulatedMarket::SimulatedMarket(uint64_t seed, MarketClock clock, size_t barCacheCapacity)
    : seed_(seed),
      clock_(clock),
      universe_(clock_.Local(clock_.agentMsAtStart()).date),
      tracks_(universe_.All().size()),
      barCache_(barCacheCapacity) {}

SimulatedMarket::~SimulatedMarket() = default;

int64_t SimulatedMarket::StepAt(int64_t agentMs) const {
  return FloorDiv(agentMs - clock_.agentMsAtStart(), kStepMs);
}

int64_t SimulatedMarket::FirstStepFrom(int64_t agentMs) const {
  return FloorDiv(agentMs - clock_.agentMsAtStart() + kStepMs - 1, kStepMs);
}

int64_t SimulatedMarket::MsOfStep(int64_t step) const {
  return clock_.agentMsAtStart() + step * kStepMs;
}

const Product& SimulatedMarket::Driver(const Product& p) const {
  if (p.kind == ProductKind::kIndex || p.kind == ProductKind::kFxPair) return p;
  if (p.market == Market::kDomestic) {
    const Product* index = universe_.Find(p.underlying);
    return index ? *index : p;
  }
  // Overseas: every month of a family follows the family's first contract.
  const Product* future = p.IsOption() ? universe_.Find(p.underlying) : &p;
  if (!future) return p;
  const Product* front = universe_.FirstOfRoot(future->root);
  return front ? *front : *future;
}

const CarrySchedule* SimulatedMarket::CarryFor(const Product& p) {
  // An overseas option is priced on its underlying future, whose family
  // names the index; a domestic product names its index itself.
  const Product* future =
      p.market == Market::kOverseas && p.IsOption() ? universe_.Find(p.underlying) : &p;
  const IndexCarry* carry = future ? FindIndexCarry(*future) : nullptr;
  if (!carry) return nullptr;
  auto it = carries_.find(carry);
  if (it == carries_.end()) it = carries_.emplace(carry, CarrySchedule(*carry, clock_)).first;
  return &it->second;
}

SimulatedMarket::Track& SimulatedMarket::TrackOf(const Product& p) {
  const size_t at = static_cast<size_t>(&p - universe_.All().data());
  std::unique_ptr<Track>& t = tracks_.at(at);
  if (!t) {
    const Product* u = p.IsOption() ? universe_.Find(p.underlying) : &p;
    t = std::make_unique<Track>(p, Driver(p), u ? *u : p, CarryFor(p), seed_);
  }
  return *t;
}

int64_t SimulatedMarket::FloorToGrid(const Product& p, double raw) {
  const int64_t tick =
      p.smallTick > 0 && raw < static_cast<double>(p.smallTickBelow) ? p.smallTick : p.tick;
  return static_cast<int64_t>(std::floor(raw / static_cast<double>(tick))) * tick;
}

int64_t SimulatedMarket::RoundToGrid(const Product& p, double raw) {
  const int64_t tick =
      p.smallTick > 0 && raw < static_cast<double>(p.smallTickBelow) ? p.smallTick : p.tick;
  return std::max(p.TickAt(0),
                  static_cast<int64_t>(std::llround(raw / static_cast<double>(tick))) * tick);
}

int64_t SimulatedMarket::TickUp(const Product& p, int64_t price) {
  return price + p.TickAt(price);
}

int64_t SimulatedMarket::TickDown(const Product& p, int64_t price) {
  return price - p.TickAt(price - 1);
}

SimulatedMarket::Model SimulatedMarket::ModelAt(const Track& t, PricePath::Cursor* cursor,
                                                int64_t step) const {
  const Product& p = *t.product;
  const Product& d = *t.driver;
  const double x = cursor ? cursor->At(step) : t.path.At(step);
  Model m;
  m.driver = static_cast<double>(d.reference) * std::exp(kBand * std::tanh(x / kBand));
  const int64_t epochMs = clock_.EpochMs(MsOfStep(step));
  m.years = YearsTo(t.expiryCloseMs, epochMs);
  // Domestic products follow the index at its carry to their expiry; the
  // later months of an overseas index future follow the front month at the
  // carry between their expiries; other overseas months keep a fixed spread
  // to the front.
  if (&p == &d) {
    m.forward = m.driver;
  } else if (t.carry && p.market == Market::kDomestic) {
    m.forward = CarriedForward(m.driver, t.carry->At(epochMs), m.years);
  } else if (t.carry) {
    const double carry = t.carry->At(epochMs);
    m.forward = m.driver * CarriedForward(1, carry, YearsTo(t.underlyingCloseMs, epochMs)) /
                CarriedForward(1, carry, YearsTo(t.driverCloseMs, epochMs));
  } else {
    m.forward =
        m.driver * static_cast<double>(t.underlying->reference) / static_cast<double>(d.reference);
  }
  m.fair = p.IsOption() ? BlackValue(p.kind == ProductKind::kCall, m.forward,
                                     static_cast<double>(p.strike), m.years, p.impliedVol)
                              .value
                        : m.forward;
  return m;
}

double SimulatedMarket::FairWith(Track& t, int64_t step, bool sequential) {
  return ModelAt(t, sequential ? &t.cursor : nullptr, step).fair;
}

double SimulatedMarket::Fair(const Product& p, int64_t step) {
  return FairWith(TrackOf(p), step, false);
}

int64_t SimulatedMarket::PriceAt(const Product& p, int64_t step) {
  return RoundToGrid(p, Fair(p, step));
}

int SimulatedMarket::SpreadTicks(const Track& t, int64_t step) const {
  const Product& p = *t.product;
  if (p.kind != ProductKind::kFxPair) return p.spreadTicks;
  const uint64_t h = Mix(t.key ^ kSpreadSalt ^ Mix(static_cast<uint64_t>(step)));
  const double widen = kFxSpreadSteps[h % std::size(kFxSpreadSteps)];
  const double hour = t.profile->Spread(clock_.MinuteOfDay(MsOfStep(step)));
  return std::max(1, static_cast<int>(std::lround(p.spreadTicks * widen * hour)));
}

Book SimulatedMarket::BookFor(Track& t, int64_t step, double fair) const {
  Book book;
  const Product& p = *t.product;
  if (p.kind == ProductKind::kIndex) return book;
  const int64_t bid = std::max(FloorToGrid(p, fair), p.TickAt(0));
  int64_t ask = bid;
  for (int i = SpreadTicks(t, step); i > 0; --i) ask = TickUp(p, ask);
  const int64_t maxSize = std::max<int64_t>(5, static_cast<int64_t>(p.meanQty * 15));
  int64_t askPrice = ask;
  int64_t bidPrice = bid;
  for (size_t i = 0; i < 5; ++i) {
    const uint64_t h = Mix(t.key ^ kBookSalt ^ Mix(static_cast<uint64_t>(step) * 16 + i));
    const int32_t askSize = static_cast<int32_t>(Between(h, 1, maxSize));
    const int32_t bidSize = static_cast<int32_t>(Between(h >> 24, 1, maxSize));
    // Orders of one to four contracts each make up a level.
    book.asks[i] = {askPrice, askSize,
                    std::max(1, askSize / static_cast<int32_t>(Between(h >> 48, 1, 4)))};
    if (bidPrice > 0) {
      book.bids[i] = {bidPrice, bidSize,
                      std::max(1, bidSize / static_cast<int32_t>(Between(h >> 52, 1, 4)))};
    }
    askPrice = TickUp(p, askPrice);
    bidPrice = bidPrice > p.TickAt(0) ? TickDown(p, bidPrice) : 0;
  }
  return book;
}

Book SimulatedMarket::BookAt(const Product& p, int64_t step) {
  Track& t = TrackOf(p);
  return BookFor(t, step, FairWith(t, step, false));
}

int32_t SimulatedMarket::TradeCount(const Track& t, int64_t step) const {
  const double perStep = t.product->tradeRate * kStepMs / 1000.0 *
                         t.profile->Activity(clock_.MinuteOfDay(MsOfStep(step)));
  if (perStep <= 0) return 0;
  const uint64_t h = Mix(t.key + kTradeSalt * static_cast<uint64_t>(step));
  // floor(x + U) has the mean x for U uniform in [0, 1).
  return static_cast<int32_t>(std::floor(perStep * 2 * Unit(h) + Unit(Mix(h))));
}

void SimulatedMarket::TradesFor(const Track& t, int64_t step, int32_t n, double fair,
                                std::vector<Trade>& out) const {
  if (n == 0) return;
  const Product& p = *t.product;
  const int64_t bid = std::max(FloorToGrid(p, fair), p.TickAt(0));
  int64_t ask = bid;
  for (int i = SpreadTicks(t, step); i > 0; --i) ask = TickUp(p, ask);
  const uint64_t h = Mix(t.key + kTradeSalt * static_cast<uint64_t>(step));
  const double maxQty = std::max(1.0, p.meanQty * 20);
  for (int32_t j = 0; j < n; ++j) {
    const uint64_t hj = Mix(h ^ (static_cast<uint64_t>(j) + 1) * 0xD1B54A32D192ED03ull);
    const bool buy = (hj >> 63) != 0;
    const double qty = 1 + std::floor(-std::log(1 - Unit(hj)) * std::max(0.0, p.meanQty - 1));
    out.push_back(Trade{step, buy ? ask : bid, static_cast<int32_t>(std::min(qty, maxQty)), buy});
  }
}

std::vector<Trade> SimulatedMarket::TradesAt(const Product& p, int64_t step) {
  std::vector<Trade> out;
  Track& t = TrackOf(p);
  if (p.kind == ProductKind::kIndex) return out;
  if (const int32_t n = TradeCount(t, step); n > 0)
    TradesFor(t, step, n, FairWith(t, step, false), out);
  return out;
}

Session SimulatedMarket::SessionOf(Track& t, int64_t step) {
  const int64_t ms = MsOfStep(step);
  const int64_t dayStart = FirstStepFrom(clock_.DayStart(ms));
  Session s;
  s.date = clock_.Local(ms).date;
  s.firstStep = step >= 0 ? std::max<int64_t>(dayStart, 0) : dayStart;
  s.prevClose = RoundToGrid(*t.product, FairWith(t, dayStart - 1, false));
  s.last = s.prevClose;
  return s;
}

void SimulatedMarket::StartSession(Track& t, int64_t step) {
  const int64_t ms = MsOfStep(step);
  t.session = SessionOf(t, step);
  t.nextStep = t.session.firstStep;
  t.dayEndStep = FirstStepFrom(clock_.DayEnd(ms));
  t.started = true;
}

Glance SimulatedMarket::GlanceAt(const Product& p, int64_t atMs) {
  const int64_t step = StepAt(atMs);
  Track& t = TrackOf(p);
  Glance g;
  if (t.started && t.nextStep - 1 == step && t.session.firstStep <= step) {
    // Followed up to now already: the session knows.
    const Session& s = t.session;
    g = Glance{s.date, s.prevClose, s.last, s.lastQty, s.lastBuy, s.trades ? s.lastTradeStep : -1,
               {}};
  } else {
    const Session s = SessionOf(t, step);
    g.date = s.date;
    g.prevClose = g.last = s.prevClose;
    if (p.kind == ProductKind::kIndex) {
      g.last = RoundToGrid(p, FairWith(t, step, false));
      g.lastTradeStep = step;
    } else if (const std::vector<Trade> recent = RecentTrades(p, step + 1, 1, s.firstStep);
               !recent.empty()) {
      g.last = recent.front().price;
      g.lastQty = recent.front().qty;
      g.lastBuy = recent.front().buy;
      g.lastTradeStep = recent.front().step;
    }
  }
  g.book = BookFor(t, step, FairWith(t, step, false));
  return g;
}

namespace {

void Record(Session& s, int64_t price, int32_t qty, bool buy, int64_t step, double rawValue) {
  if (s.trades == 0) s.open = s.high = s.low = price;
  s.high = std::max(s.high, price);
  s.low = std::min(s.low, price);
  s.last = price;
  s.volume += qty;
  ++s.trades;
  if (buy) {
    s.buyVolume += qty;
    ++s.buyTrades;
  } else {
    s.sellVolume += qty;
    ++s.sellTrades;
  }
  s.turnover += static_cast<double>(price) * rawValue * qty;
  s.lastQty = qty;
  s.lastBuy = buy;
  s.lastTradeStep = step;
}

}  // namespace

void SimulatedMarket::Advance(Track& t, int64_t target) {
  if (!t.started) StartSession(t, target);
  const Product& p = *t.product;
  const bool index = p.kind == ProductKind::kIndex;
  const double rawValue = p.RawValue();
  std::vector<Trade> trades;
  while (t.nextStep <= target) {
    const int64_t step = t.nextStep;
    if (step >= t.dayEndStep) StartSession(t, step);
    if (index) {
      // An index "trades" its value at every step, with no volume.
      const int64_t value = RoundToGrid(p, FairWith(t, step, true));
      Record(t.session, value, 0, true, step, 0);
    } else if (const int32_t n = TradeCount(t, step); n > 0) {
      trades.clear();
      TradesFor(t, step, n, FairWith(t, step, true), trades);
      for (const Trade& tr : trades) Record(t.session, tr.price, tr.qty, tr.buy, step, rawValue);
    }
    t.nextStep = step + 1;
  }
}

Snapshot SimulatedMarket::At(const Product& p, int64_t atMs) {
  const int64_t step = StepAt(atMs);
  Track* t = &TrackOf(p);
  // The past of a product already followed further: a track of its own.
  std::unique_ptr<Track> past;
  if (t->started && (step < t->nextStep - 1 || step < t->session.firstStep)) {
    past = std::make_unique<Track>(p, *t->driver, *t->underlying, t->carry, seed_);
    t = past.get();
  }
  Advance(*t, step);
  const Model m = ModelAt(*t, &t->cursor, step);
  Snapshot s;
  s.product = &p;
  s.atMs = atMs;
  s.step = step;
  s.session = t->session;
  s.book = BookFor(*t, step, m.fair);
  s.fair = m.fair;
  s.driver = m.driver;
  return s;
}

std::vector<Trade> SimulatedMarket::RecentTrades(const Product& p, int64_t beforeStep, size_t count,
                                                 int64_t firstStep) {
  std::vector<Trade> out;
  Track& t = TrackOf(p);
  if (p.kind == ProductKind::kIndex) return out;
  std::vector<Trade> step;
  for (int64_t s = beforeStep - 1; s >= firstStep && out.size() < count; --s) {
    const int32_t n = TradeCount(t, s);
    if (n == 0) continue;
    step.clear();
    TradesFor(t, s, n, FairWith(t, s, false), step);
    for (auto it = step.rbegin(); it != step.rend() && out.size() < count; ++it) out.push_back(*it);
  }
  return out;
}

BarTally SimulatedMarket::Walk(Track& t, PricePath::Cursor& cursor, int64_t fromStep,
                               int64_t endStep, int64_t stride) const {
  const Product& p = *t.product;
  const bool index = p.kind == ProductKind::kIndex;
  BarTally tally;
  std::vector<Trade> trades;
  for (int64_t step = fromStep; step < endStep; step += stride) {
    if (index) {
      tally.Record(RoundToGrid(p, ModelAt(t, &cursor, step).fair), 0);
    } else if (const int32_t n = TradeCount(t, step); n > 0) {
      // Only a step with trades needs the model.
      trades.clear();
      TradesFor(t, step, n, ModelAt(t, &cursor, step).fair, trades);
      for (const Trade& tr : trades) tally.Record(tr.price, static_cast<int32_t>(tr.qty * stride));
    }
  }
  return tally;
}

BarTally SimulatedMarket::TallyByMinutes(Track& t, int64_t startMs, int64_t fromStep,
                                         int64_t endStep) {
  const size_t product = static_cast<size_t>(t.product - universe_.All().data());
  PricePath::Cursor cursor(t.path);
  BarTally tally;
  int64_t from = fromStep;
  for (int64_t minute = startMs + 60'000; from < endStep; minute += 60'000) {
    const int64_t minuteEnd = FirstStepFrom(minute);
    const int64_t end = std::min(minuteEnd, endStep);
    if (from >= end) continue;
    if (end != minuteEnd) {
      // The minute still going on (or cut short): walked, not kept.
      tally.Append(Walk(t, cursor, from, end, 1));
    } else {
      const BarCache::Key key{product, from, end, 1};
      if (const BarTally* kept = barCache_.Find(key)) {
        tally.Append(*kept);
      } else {
        const BarTally walked = Walk(t, cursor, from, end, 1);
        barCache_.Put(key, walked);
        tally.Append(walked);
      }
    }
    from = end;
  }
  return tally;
}

Bar SimulatedMarket::MakeBar(Track& t, int64_t startMs, int64_t fromStep, int64_t endStep,
                             int64_t lastPrice, int64_t samples, bool byMinutes) {
  const Product& p = *t.product;
  Bar bar;
  bar.startMs = MsOfStep(fromStep);
  const int64_t steps = endStep - fromStep;
  const int64_t stride = steps > samples ? (steps + samples - 1) / samples : 1;
  BarTally tally;
  if (byMinutes && stride == 1) {
    tally = TallyByMinutes(t, startMs, fromStep, endStep);
  } else {
    PricePath::Cursor cursor(t.path);
    tally = Walk(t, cursor, fromStep, endStep, stride);
  }
  if (tally.trades == 0) {
    // Nothing traded: the bar stays at the last price before it.
    const int64_t price =
        lastPrice > 0 ? lastPrice : RoundToGrid(p, ModelAt(t, nullptr, fromStep).fair);
    bar.open = bar.high = bar.low = bar.close = price;
    return bar;
  }
  bar.open = tally.open;
  bar.high = tally.high;
  bar.low = tally.low;
  bar.close = tally.close;
  bar.volume = tally.volume;
  return bar;
}

std::vector<Bar> SimulatedMarket::Bars(const Product& p, int32_t periodSecs, int64_t atMs,
                                       size_t count) {
  std::vector<Bar> bars;
  if (periodSecs <= 0 || count == 0) return bars;
  count = std::min<size_t>(count, 1000);
  const int64_t periodMs = int64_t{periodSecs} * 1000;
  const bool daily = periodSecs >= 86'400;
  // Bars of whole minutes are made of minutes, which the cache keeps.
  const bool byMinutes = daily || periodSecs % 60 == 0;
  auto startOf = [&](int64_t ms) {
    const int64_t day = clock_.DayStart(ms);
    return daily ? day : day + (ms - day) / periodMs * periodMs;
  };
  // Bar starts, newest first.
  std::vector<int64_t> starts;
  int64_t start = startOf(atMs);
  while (starts.size() < count) {
    starts.push_back(start);
    start = startOf(start - 1);
  }
  Track& t = TrackOf(p);
  const int64_t lastStep = StepAt(atMs);
  const int64_t samples =
      std::max<int64_t>(kMinBarSamples, kBarBudgetSteps / static_cast<int64_t>(count));
  int64_t lastPrice = 0;
  for (size_t i = starts.size(); i-- > 0;) {
    const int64_t from = FirstStepFrom(starts[i]);
    const int64_t end = i == 0 ? lastStep + 1 : FirstStepFrom(starts[i - 1]);
    bars.push_back(
        MakeBar(t, starts[i], from, std::max(from + 1, end), lastPrice, samples, byMinutes));
    lastPrice = bars.back().close;
  }
  return bars;
}

double SimulatedMarket::YearsToExpiry(const Product& p, int64_t atMs) {
  return YearsTo(TrackOf(p).expiryCloseMs, clock_.EpochMs(atMs));
}

double SimulatedMarket::Carry(const Product& p, int64_t atMs) {
  const Track& t = TrackOf(p);
  return t.carry ? t.carry->At(clock_.EpochMs(atMs)) : 0;
}

Greeks SimulatedMarket::OptionGreeks(const Product& p, int64_t atMs) {
  if (!p.IsOption()) return {};
  const Model m = ModelAt(TrackOf(p), nullptr, StepAt(atMs));
  return BlackValue(p.kind == ProductKind::kCall, m.forward, static_cast<double>(p.strike), m.years,
                    p.impliedVol);
}

}  // namespace zqk::sandbox::market
