#pragma once

#include <ctime>
#include <string>

namespace zqk {

// "[PM 03:07:09]  ": the local time on the 12-hour clock with the AM/PM
// designator of the C runtime's default ("C") locale, whatever locale the
// process has, followed by two blanks. Empty if the time cannot be converted.
std::string FormatLogTimestamp(std::time_t time);

}  // namespace zqk
