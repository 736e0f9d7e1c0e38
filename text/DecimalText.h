#pragma once
// Decimal numbers typed by the user or delivered by the agent as text.

#include <cstdint>
#include <string_view>

namespace zqk {

// The number at the start of `text`, read as the C library's atol reads it:
// leading blanks (text/Blanks.h) are skipped, then an optional sign and the decimal
// digits that follow; anything from the first other character on is ignored,
// and text that does not start with a number gives 0. A number beyond the
// 32-bit range gives the nearest 32-bit value, as a 32-bit long saturates.
int32_t LeadingInt32(std::string_view text);

}  // namespace zqk
