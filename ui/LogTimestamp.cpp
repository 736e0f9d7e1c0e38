#include "ui/LogTimestamp.h"

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

}  // namespace zqk
