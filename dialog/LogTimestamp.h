#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace zqk {

// "[PM 03:07:09]  ": the local time on the 12-hour clock with the AM/PM
// designator of the C runtime's default ("C") locale, whatever locale the
// process has, followed by two blanks. Empty if the time cannot be converted.
std::string FormatLogTimestamp(std::time_t time);

// `line` without a leading timestamp of that form, or `line` unchanged.
std::string_view StripLogTimestamp(std::string_view line);

}  // namespace zqk
