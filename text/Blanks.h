#pragma once
// What a blank is, once for the whole program: the six white-space bytes of the
// C library's "C" locale. A NUL byte or a double-byte blank is a character of
// the value, never a blank, so that trimming never eats into CP949 text.

#include <string_view>

namespace zqk {

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr std::string_view TrimLeadingBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

constexpr std::string_view TrimTrailingBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

constexpr std::string_view TrimBlanks(std::string_view text) {
  return TrimLeadingBlanks(TrimTrailingBlanks(text));
}

}  // namespace zqk
