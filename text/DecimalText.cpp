#include "text/DecimalText.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace zqk {

int32_t LeadingInt32(std::string_view text) {
  // strtoll wants a terminated string; it stops at the first NUL as atol does.
  const std::string terminated(text);
  const long long value = std::strtoll(terminated.c_str(), nullptr, 10);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace zqk
