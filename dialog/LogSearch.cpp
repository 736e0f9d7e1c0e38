#include "dialog/LogSearch.h"

#include <algorithm>
#include <utility>

namespace zqk {

void LogSearch::Start(LogPattern pattern) {
  pattern_ = std::move(pattern);
  searched_ = 0;
  matches_.clear();
}

void LogSearch::Stop() {
  pattern_.reset();
  searched_ = 0;
  matches_.clear();
}

bool LogSearch::Continue(const EventLog& log, size_t maxLines) {
  if (!pattern_) return true;
  const size_t count = log.Count();
  if (searched_ > count) Cleared();  // cleared without our hearing of it
  const size_t limit = searched_ + std::min(maxLines, count - searched_);
  pattern_->ScanLines(log, LineIndex{searched_}, LineIndex{limit},
                      [this](LineIndex line) { matches_.push_back(line); });
  searched_ = limit;
  return searched_ >= count;
}

void LogSearch::Cleared() {
  searched_ = 0;
  matches_.clear();
}

std::optional<size_t> LogSearch::MatchNumber(LineIndex line) const {
  const auto it = std::lower_bound(matches_.begin(), matches_.end(), line);
  if (it == matches_.end() || *it != line) return std::nullopt;
  return static_cast<size_t>(it - matches_.begin());
}

std::optional<LineIndex> LogSearch::Step(std::optional<LineIndex> from,
                                         SearchDirection direction) const {
  if (matches_.empty()) return std::nullopt;
  if (direction == SearchDirection::kNext) {
    if (!from) return matches_.front();
    const auto it = std::upper_bound(matches_.begin(), matches_.end(), *from);
    return it == matches_.end() ? matches_.front() : *it;
  }
  if (!from) return matches_.back();
  const auto it = std::lower_bound(matches_.begin(), matches_.end(), *from);
  return it == matches_.begin() ? matches_.back() : *(it - 1);
}

}  // namespace zqk
