#include "replies/ReplyText.h"

#include <limits>

namespace zqk {

std::string_view TrimTrailingSpace(std::string_view value) {
  size_t end = value.size();
  while (end > 0 && IsReplySpace(value[end - 1])) --end;
  return value.substr(0, end);
}

std::string_view TrimSpace(std::string_view value) {
  value = TrimTrailingSpace(value);
  size_t begin = 0;
  while (begin < value.size() && IsReplySpace(value[begin])) ++begin;
  return value.substr(begin);
}

int32_t DecimalValue(std::string_view value) {
  size_t i = 0;
  while (i < value.size() && IsReplySpace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  // Accumulated as a negative number, whose range holds the 32-bit minimum,
  // and held there once a limit is passed: any number of digits is safe.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  int64_t acc = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    acc = acc * 10 - (value[i] - '0');
    if (acc < kMin) acc = kMin - 1;
  }
  if (negative) return static_cast<int32_t>(acc < kMin ? kMin : acc);
  return acc < -int64_t{std::numeric_limits<int32_t>::max()} ? std::numeric_limits<int32_t>::max()
                                                             : static_cast<int32_t>(-acc);
}

}  // namespace zqk
