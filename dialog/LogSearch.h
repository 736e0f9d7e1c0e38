#pragma once
// The log window's search: the lines that match a pattern, found a slice at a
// time so that the window stays responsive over millions of lines, and kept
// up to date as lines arrive (they are searched by the next slice).

#include <optional>
#include <vector>

#include "dialog/EventLog.h"
#include "dialog/LogPattern.h"

namespace zqk {

enum class SearchDirection { kNext, kPrevious };

class LogSearch {
 public:
  // A new pattern: every line is searched again, from the first.
  void Start(LogPattern pattern);
  // No pattern: nothing matches, nothing is searched.
  void Stop();
  const LogPattern* Pattern() const { return pattern_ ? &*pattern_ : nullptr; }

  // Searches up to `maxLines` lines not searched yet. True when every line
  // of `log` has been searched (always, without a pattern).
  bool Continue(const EventLog& log, size_t maxLines);
  bool Complete(const EventLog& log) const { return !pattern_ || searched_ >= log.Count(); }
  size_t Searched() const { return searched_; }

  // The log was cleared: nothing is searched and nothing found any more.
  void Cleared();

  // The matching lines found so far, in order.
  const std::vector<LineIndex>& Matches() const { return matches_; }
  // The position of `line` among the matches, if it is one.
  std::optional<size_t> MatchNumber(LineIndex line) const;
  // The first match after (or before) `from`, going round the ends; from no
  // line, the first (or the last) match.
  std::optional<LineIndex> Step(std::optional<LineIndex> from, SearchDirection direction) const;

 private:
  std::optional<LogPattern> pattern_;
  size_t searched_ = 0;
  std::vector<LineIndex> matches_;
};

}  // namespace zqk
