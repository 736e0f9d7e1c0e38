#pragma once
// What the market remembers of the bars it has built: the tally of a run of
// steps of one product (in practice a whole minute), so that a page of bars
// asked again a moment later, continued, or asked in a longer period walks
// only the steps it has not walked before. The market is deterministic, so a
// tally never goes stale; the cache only has to stay bounded, and forgets
// the tallies it learnt first.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace zqk::sandbox::market {

// The trades of a run of steps, as a bar shows them.
struct BarTally {
  int64_t trades = 0;
  int64_t open = 0;
  int64_t high = 0;
  int64_t low = 0;
  int64_t close = 0;
  int64_t volume = 0;

  void Record(int64_t price, int64_t qty);
  // Appends the run of steps that follows this one.
  void Append(const BarTally& later);
};

class BarCache {
 public:
  explicit BarCache(size_t capacity) : capacity_(capacity) {}

  // The tally of steps [fromStep, endStep) of the product at `product`
  // (its position in the universe), walked every `stride` steps.
  struct Key {
    size_t product = 0;
    int64_t fromStep = 0;
    int64_t endStep = 0;
    int64_t stride = 1;
    bool operator==(const Key&) const = default;
  };

  const BarTally* Find(const Key& key) const;
  void Put(const Key& key, const BarTally& tally);

  size_t size() const { return tallies_.size(); }
  size_t capacity() const { return capacity_; }

 private:
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };

  size_t capacity_;
  std::unordered_map<Key, BarTally, KeyHash> tallies_;
  std::deque<Key> order_;  // oldest first
};

}  // namespace zqk::sandbox::market
