#pragma once
// Text helpers of the reply decoders: the white-space trims and the decimal
// reading of count and size fields, on the bytes the agent returns.

#include <cstdint>
#include <string_view>

namespace zqk {

// Blank, tab, line feed, vertical tab, form feed and carriage return; nothing
// else (a NUL byte or a double-byte blank is a character of the value).
constexpr bool IsReplySpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// `value` without its trailing white space.
std::string_view TrimTrailingSpace(std::string_view value);

// `value` without its leading and trailing white space.
std::string_view TrimSpace(std::string_view value);

// The leading-digits reading of a number field: leading white space skipped,
// an optional sign and the digits after it taken, the rest ignored; no digits
// read as 0. A number beyond the 32-bit range reads as the nearest limit.
int32_t DecimalValue(std::string_view value);

}  // namespace zqk
