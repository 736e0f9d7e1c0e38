#include "text/DecimalText.h"

#include <limits>

#include "text/Blanks.h"

namespace zqk {

int32_t LeadingInt32(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number, whose range holds the 32-bit minimum,
  // and held there once a limit is passed: any number of digits is safe.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  int64_t acc = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    acc = acc * 10 - (text[i] - '0');
    if (acc < kMin) acc = kMin - 1;
  }
  if (negative) return static_cast<int32_t>(acc < kMin ? kMin : acc);
  return acc < -int64_t{std::numeric_limits<int32_t>::max()} ? std::numeric_limits<int32_t>::max()
                                                             : static_cast<int32_t>(-acc);
}

}  // namespace zqk
