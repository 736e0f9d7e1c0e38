#include "dialog/LogTimestamp.h"

#include <locale.h>

namespace zqk {
namespace {

// The toolkit sets the process locale from the environment; the log keeps the
// runtime's default designators, so format with a "C" locale object of its own.
locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t{});
  return classic;
}

}  // namespace

std::string FormatLogTimestamp(std::time_t time) {
  std::tm local{};
  if (!localtime_r(&time, &local)) return {};
  char buffer[128];
  const size_t n = strftime_l(buffer, sizeof buffer, "[%p %I:%M:%S]  ", &local, ClassicLocale());
  return std::string(buffer, n);
}

std::string_view StripLogTimestamp(std::string_view line) {
  // "[PM 03:07:09]  ": 'X' a letter, '9' a digit, anything else itself.
  static constexpr std::string_view kShape = "[XX 99:99:99]  ";
  if (line.size() < kShape.size()) return line;
  for (size_t i = 0; i < kShape.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool ok = kShape[i] == 'X'   ? (c >= 'A' && c <= 'Z')
                    : kShape[i] == '9' ? (c >= '0' && c <= '9')
                                       : c == static_cast<unsigned char>(kShape[i]);
    if (!ok) return line;
  }
  return line.substr(kShape.size());
}

}  // namespace zqk
