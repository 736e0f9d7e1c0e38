#pragma once
// Orders filed by one number (a price, or the step they expire at): the
// levels in order of the number, the orders of a level in the order they
// were filed. The distinct levels are few beside the orders (prices lie on
// a product's tick grid near the market, expiries at the ends of days), so
// filing and taking out an order cost the same with ten orders resting as
// with a hundred thousand.

#include <cstdint>
#include <list>
#include <map>

namespace zqk::sandbox::orders {

template <typename Id>
class OrderLadder {
 public:
  // Where an order is filed, for taking it out.
  struct Place {
    typename std::map<int64_t, std::list<Id>>::iterator level;
    typename std::list<Id>::iterator at;
  };

  bool empty() const { return levels_.empty(); }

  Place Add(int64_t key, Id id) {
    auto level = levels_.try_emplace(key).first;
    level->second.push_back(id);
    return Place{level, std::prev(level->second.end())};
  }

  void Remove(Place place) {
    place.level->second.erase(place.at);
    if (place.level->second.empty()) levels_.erase(place.level);
  }

  // Calls `f(id)` for every order filed at `from` to `to` (both included).
  template <typename F>
  void Each(int64_t from, int64_t to, F&& f) const {
    for (auto level = levels_.lower_bound(from); level != levels_.end() && level->first <= to;
         ++level) {
      for (const Id id : level->second) f(id);
    }
  }

 private:
  std::map<int64_t, std::list<Id>> levels_;
};

}  // namespace zqk::sandbox::orders
