#include "sandbox/market/BarCache.h"

#include <algorithm>

#include "sandbox/market/SeededHash.h"

namespace zqk::sandbox::market {

void BarTally::Record(int64_t price, int64_t qty) {
  if (trades == 0) open = high = low = price;
  high = std::max(high, price);
  low = std::min(low, price);
  close = price;
  volume += qty;
  ++trades;
}

void BarTally::Append(const BarTally& later) {
  if (later.trades == 0) return;
  if (trades == 0) {
    *this = later;
    return;
  }
  high = std::max(high, later.high);
  low = std::min(low, later.low);
  close = later.close;
  volume += later.volume;
  trades += later.trades;
}

size_t BarCache::KeyHash::operator()(const Key& k) const {
  return static_cast<size_t>(Hash(k.product, static_cast<uint64_t>(k.fromStep),
                                  static_cast<uint64_t>(k.endStep),
                                  static_cast<uint64_t>(k.stride)));
}

const BarTally* BarCache::Find(const Key& key) const {
  auto it = tallies_.find(key);
  return it == tallies_.end() ? nullptr : &it->second;
}

void BarCache::Put(const Key& key, const BarTally& tally) {
  if (capacity_ == 0) return;
  if (!tallies_.try_emplace(key, tally).second) return;
  order_.push_back(key);
  while (tallies_.size() > capacity_) {
    tallies_.erase(order_.front());
    order_.pop_front();
  }
}

}  // namespace zqk::sandbox::market
