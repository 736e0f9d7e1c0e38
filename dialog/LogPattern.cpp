#include "dialog/LogPattern.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "text/Cp949.h"
#include "text/Cp949Bytes.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
  // The first and last bytes in their other case, where they are letters.
  p.other_ = p.folded_;
  if (!matchCase) {
    for (char& c : p.other_) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    }
  }
  return p;
}

bool LogPattern::SameAt(const uint8_t* text) const {
  const auto* pattern = reinterpret_cast<const uint8_t*>(folded_.data());
  const size_t m = folded_.size();
  if (matchCase_) return std::memcmp(text, pattern, m) == 0;
  for (size_t i = 0; i < m; ++i) {
    if (fold_[text[i]] != pattern[i]) return false;
  }
  return true;
}

size_t LogPattern::Candidate(std::string_view bytes, size_t from) const {
  const size_t m = folded_.size();
  const size_t n = bytes.size();
  if (n < m || from > n - m) return kNpos;
  const auto* text = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t pos = from;
#ifdef __SSE2__
  // Sixteen places at a time: those whose first and last bytes are the
  // pattern's (in either case of a letter) are compared in full.
  const auto set = [](uint8_t b) { return _mm_set1_epi8(static_cast<char>(b)); };
  const __m128i first = set(folded_.front()), firstOther = set(other_.front());
  const __m128i last = set(folded_.back()), lastOther = set(other_.back());
  for (; pos + m - 1 + 16 <= n; pos += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos + m - 1));
    const __m128i atFirst = _mm_or_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(a, firstOther));
    const __m128i atLast = _mm_or_si128(_mm_cmpeq_epi8(b, last), _mm_cmpeq_epi8(b, lastOther));
    for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(atFirst, atLast)));
         mask != 0; mask &= mask - 1) {
      const size_t at = pos + static_cast<size_t>(__builtin_ctz(mask));
      if (SameAt(text + at)) return at;
    }
  }
#endif
  for (; pos + m <= n; ++pos) {
    if (SameAt(text + pos)) return pos;
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
      if (hit >= end) {
        // The last line that starts at or before the candidate holds it.
        size_t low = line + 1, high = runEnd.value;
        while (low < high) {
          const size_t mid = low + (high - low) / 2;
          if (static_cast<size_t>(log.Line(LineIndex{mid}).data() - run.data()) <= hit)
            low = mid + 1;
          else
            high = mid;
        }
        line = low - 1;
        text = log.Line(LineIndex{line});
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
