#include "sandbox/market/IndexCarry.h"

#include <algorithm>
#include <array>
#include <set>

namespace zqk::sandbox::market {
namespace {

// Policy rates by the dates they were decided (docs/sandbox.md names them).
constexpr auto kKrw = std::to_array<DatedPercent>({
    {20150611, 1.50},
    {20160609, 1.25},
    {20171130, 1.50},
    {20181130, 1.75},
    {20190718, 1.50},
    {20191016, 1.25},
    {20200317, 0.75},
    {20200528, 0.50},
    {20210826, 0.75},
    {20211125, 1.00},
    {20220114, 1.25},
    {20220414, 1.50},
    {20220526, 1.75},
    {20220713, 2.25},
    {20220825, 2.50},
    {20221012, 3.00},
    {20221124, 3.25},
});
// The middle of the federal funds target range.
constexpr auto kUsd = std::to_array<DatedPercent>({
    {20151216, 0.375}, {20161214, 0.625}, {20170315, 0.875}, {20170614, 1.125}, {20171213, 1.375},
    {20180321, 1.625}, {20180613, 1.875}, {20180926, 2.125}, {20181219, 2.375}, {20190731, 2.125},
    {20190918, 1.875}, {20191030, 1.625}, {20200303, 1.125}, {20200315, 0.125}, {20220316, 0.375},
    {20220504, 0.875}, {20220615, 1.625}, {20220727, 2.375}, {20220921, 3.125}, {20221102, 3.875},
    {20221214, 4.375},
});
// The ECB's deposit facility rate.
constexpr auto kEur = std::to_array<DatedPercent>({
    {20160316, -0.40},
    {20190918, -0.50},
    {20220727, 0.00},
    {20220914, 0.75},
    {20221102, 1.50},
    {20221221, 2.00},
});
// The HKMA base rate, which follows the federal funds target.
constexpr auto kHkd = std::to_array<DatedPercent>({
    {20151217, 0.75},
    {20161215, 1.00},
    {20170316, 1.25},
    {20170615, 1.50},
    {20171214, 1.75},
    {20180322, 2.00},
    {20180614, 2.25},
    {20180927, 2.50},
    {20181220, 2.75},
});
// The Bank of Japan's policy-rate balance rate.
constexpr auto kJpy = std::to_array<DatedPercent>({{20160216, -0.10}});
// The People's Bank of China's one-year deposit rate.
constexpr auto kCny = std::to_array<DatedPercent>({{20151024, 1.50}});

// Dividend yields of the indices in 2016. The DAX is a total-return index:
// its dividends stay in it, and it has none to subtract.
constexpr auto kKospi200Yield = std::to_array<DatedPercent>({{20160101, 1.7}});
constexpr auto kSp500Yield = std::to_array<DatedPercent>({{20160101, 2.1}});
constexpr auto kNasdaq100Yield = std::to_array<DatedPercent>({{20160101, 1.2}});
constexpr auto kDowYield = std::to_array<DatedPercent>({{20160101, 2.5}});
constexpr auto kDaxYield = std::to_array<DatedPercent>({{20160101, 0.0}});
constexpr auto kEuroStoxx50Yield = std::to_array<DatedPercent>({{20160101, 3.6}});
constexpr auto kHangSengYield = std::to_array<DatedPercent>({{20160101, 3.6}});
constexpr auto kHsceiYield = std::to_array<DatedPercent>({{20160101, 3.9}});
constexpr auto kA50Yield = std::to_array<DatedPercent>({{20160101, 3.0}});
constexpr auto kNikkeiYield = std::to_array<DatedPercent>({{20160101, 1.7}});

constexpr auto kIndices = std::to_array<IndexCarry>({
    {"KOSPI200", kKrw, kKospi200Yield},
    {"ES", kUsd, kSp500Yield},
    {"NQ", kUsd, kNasdaq100Yield},
    {"YM", kUsd, kDowYield},
    {"FDAX", kEur, kDaxYield},
    {"FESX", kEur, kEuroStoxx50Yield},
    {"HSI", kHkd, kHangSengYield},
    {"HHI", kHkd, kHsceiYield},
    {"CN", kCny, kA50Yield},
    {"NK", kJpy, kNikkeiYield},
});

double PercentOn(std::span<const DatedPercent> table, int32_t ymd) {
  double percent = 0;
  for (const DatedPercent& d : table) {
    if (d.since > ymd) break;
    percent = d.percent;
  }
  return percent;
}

}  // namespace

const IndexCarry* FindIndexCarry(const Product& p) {
  std::string_view family;
  if (p.market == Market::kDomestic && p.kind != ProductKind::kIndex) {
    family = p.underlying;
  } else if (p.market == Market::kOverseas && p.kind == ProductKind::kFuture) {
    family = p.root;
  }
  if (family.empty()) return nullptr;
  for (const IndexCarry& c : kIndices) {
    if (c.family == family) return &c;
  }
  return nullptr;
}

double CarryOn(const IndexCarry& carry, int32_t ymd) {
  return (PercentOn(carry.rate, ymd) - PercentOn(carry.dividendYield, ymd)) / 100;
}

double CarriedForward(double index, double carry, double years) {
  return index * (1 + carry * std::max(0.0, years));
}

CarrySchedule::CarrySchedule(const IndexCarry& carry, const MarketClock& clock) {
  std::set<int32_t> dates;
  for (const DatedPercent& d : carry.rate) dates.insert(d.since);
  for (const DatedPercent& d : carry.dividendYield) dates.insert(d.since);
  for (int32_t ymd : dates) {
    changes_.emplace_back(clock.EpochMs(clock.AgentMsOfDate(ymd)), CarryOn(carry, ymd));
  }
}

double CarrySchedule::At(int64_t epochMs) const {
  // Before the first date: no figure is in force.
  auto after = std::upper_bound(changes_.begin(), changes_.end(), epochMs,
                                [](int64_t ms, const auto& change) { return ms < change.first; });
  return after == changes_.begin() ? 0.0 : std::prev(after)->second;
}

}  // namespace zqk::sandbox::market
