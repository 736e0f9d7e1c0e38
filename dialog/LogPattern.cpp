#include "dialog/LogPattern.h"

#include <algorithm>
#include <optional>

#include "text/Cp949.h"
#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

constexpr size_t kNpos = std::string_view::npos;

bool IsCp949Text(std::string_view bytes) {
  // Bytes that do not convert become U+FFFD, which CP949 cannot hold.
  const std::optional<std::string> back = Utf8ToCp949Strict(Cp949ToUtf8(bytes));
  return back && *back == bytes;
}

}  // namespace

std::variant<LogPattern, PatternProblem> LogPattern::Compile(std::string_view cp949,
                                                             bool matchCase) {
  if (cp949.empty()) return PatternProblem::kEmpty;
  if (cp949.size() > kMaxPatternBytes) return PatternProblem::kTooLong;
  if (!IsCp949Text(cp949)) return PatternProblem::kNotCp949;
  LogPattern p;
  p.text_ = cp949;
  p.matchCase_ = matchCase;
  for (size_t b = 0; b < 256; ++b) {
    const bool upper = b >= 'A' && b <= 'Z';
    p.fold_[b] = static_cast<uint8_t>(!matchCase && upper ? b + ('a' - 'A') : b);
  }
  p.folded_.resize(cp949.size());
  for (size_t i = 0; i < cp949.size(); ++i) {
    p.folded_[i] = static_cast<char>(p.fold_[static_cast<uint8_t>(cp949[i])]);
  }
  const size_t m = p.folded_.size();
  p.shift_.fill(m);
  for (size_t i = 0; i + 1 < m; ++i) p.shift_[static_cast<uint8_t>(p.folded_[i])] = m - 1 - i;
  return p;
}

size_t LogPattern::Candidate(std::string_view bytes, size_t from) const {
  const size_t m = folded_.size();
  if (bytes.size() < m) return kNpos;
  const auto* text = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto* pattern = reinterpret_cast<const uint8_t*>(folded_.data());
  const uint8_t last = pattern[m - 1];
  const size_t lastStart = bytes.size() - m;
  for (size_t pos = from; pos <= lastStart;) {
    const uint8_t c = fold_[text[pos + m - 1]];
    if (c == last) {
      size_t i = 0;
      while (i + 1 < m && fold_[text[pos + i]] == pattern[i]) ++i;
      if (i + 1 >= m) return pos;
    }
    pos += shift_[c];
  }
  return kNpos;
}

bool LogPattern::AcceptFrom(std::string_view line, size_t at, size_t& known) const {
  // A byte that cannot be a trail byte starts a character: walk back to one
  // (or to a start known from an earlier candidate of this line), then step
  // forward character by character.
  size_t start = at;
  while (start > known && IsCp949TrailByte(line[start])) --start;
  while (start < at) start += Cp949CharLength(line, start);
  known = start;
  if (start != at) return false;
  if (matchCase_) return true;
  // Case folded the ASCII letters only: a double-byte character must be the
  // pattern's own, byte for byte.
  for (size_t i = 0; i < text_.size();) {
    if (Cp949CharLength(text_, i) == 2) {
      if (line[at + i] != text_[i] || line[at + i + 1] != text_[i + 1]) return false;
      i += 2;
    } else {
      ++i;
    }
  }
  return true;
}

size_t LogPattern::FindIn(std::string_view line, size_t from) const {
  size_t known = 0;
  for (size_t pos = from;;) {
    const size_t hit = Candidate(line, pos);
    if (hit == kNpos || AcceptFrom(line, hit, known)) return hit;
    pos = hit + 1;
  }
}

void LogPattern::ScanLines(const EventLog& log, LineIndex first, LineIndex limit,
                           const std::function<void(LineIndex)>& onMatch) const {
  const size_t m = folded_.size();
  limit.value = std::min(limit.value, log.Count());
  while (first < limit) {
    LineIndex runEnd;
    const std::string_view run = log.LineRun(first, limit, runEnd);
    // The line that the last candidate fell in, as offsets into the run.
    size_t line = first.value;
    std::string_view text = log.Line(LineIndex{line});
    size_t begin = static_cast<size_t>(text.data() - run.data());
    size_t end = begin + text.size();
    size_t known = 0;
    for (size_t pos = 0;;) {
      const size_t hit = Candidate(run, pos);
      if (hit == kNpos) break;
      while (hit >= end && line + 1 < runEnd.value) {
        text = log.Line(LineIndex{++line});
        begin = static_cast<size_t>(text.data() - run.data());
        end = begin + text.size();
        known = 0;
      }
      if (hit >= end) break;
      if (hit + m > end) {
        pos = end;  // the rest of this line cannot hold the pattern either
      } else if (AcceptFrom(text, hit - begin, known)) {
        onMatch(LineIndex{line});
        pos = end;  // a line counts once
      } else {
        pos = hit + 1;
      }
    }
    first = runEnd;
  }
}

}  // namespace zqk
