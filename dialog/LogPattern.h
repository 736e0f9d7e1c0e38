#pragma once
// What the log window finds: a CP949 text, with or without regard to the
// case of ASCII letters. A match starts on a character boundary, so an ASCII
// letter of the pattern never matches the second byte of a double-byte
// character, and a double-byte character matches only itself (case never
// folds its bytes).

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "dialog/EventLog.h"

namespace zqk {

// Longer patterns are refused: nobody types them, and one pasted by mistake
// (a megabyte of text) would be searched for in every line.
inline constexpr size_t kMaxPatternBytes = 4096;

enum class PatternProblem {
  kEmpty,     // nothing to find
  kTooLong,   // over kMaxPatternBytes
  kNotCp949,  // bytes that are no CP949 text: no log line can hold them as text
};

class LogPattern {
 public:
  // The pattern of `cp949`, or why there is none.
  static std::variant<LogPattern, PatternProblem> Compile(std::string_view cp949, bool matchCase);

  std::string_view Text() const { return text_; }
  bool MatchCase() const { return matchCase_; }

  // The byte offset of the first match in `line` at or after `from`, or npos.
  size_t FindIn(std::string_view line, size_t from = 0) const;
  bool Matches(std::string_view line) const { return FindIn(line) != std::string_view::npos; }

  // Calls `onMatch` for every line in [first, limit) that holds a match, in
  // order; reads the log in runs of lines rather than line by line.
  void ScanLines(const EventLog& log, LineIndex first, LineIndex limit,
                 const std::function<void(LineIndex)>& onMatch) const;

 private:
  LogPattern() = default;
  // The first candidate at or after `from` in `bytes`: equal to the pattern
  // byte by byte, ASCII letters folded when case does not matter.
  size_t Candidate(std::string_view bytes, size_t from) const;
  // Whether the candidate at `at` of `line` is a match: on a character
  // boundary, and double-byte characters equal exactly. `known` is a
  // character start at or before `at` (0 at first), moved up for the next
  // candidate of the same line, so that a long line is walked once.
  bool AcceptFrom(std::string_view line, size_t at, size_t& known) const;

  // Whether the pattern stands at `text` (at least its length), letters
  // folded unless case matters.
  bool SameAt(const uint8_t* text) const;

  std::string text_;    // as given
  std::string folded_;  // searched for: ASCII letters in lower case unless matchCase_
  std::string other_;   // folded_ with its letters in upper case (equal when case matters)
  bool matchCase_ = true;
  std::array<uint8_t, 256> fold_{};
};

}  // namespace zqk
