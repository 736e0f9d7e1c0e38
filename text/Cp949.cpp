#include "text/Cp949.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace zqk {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(cd);
}

// Converts `in`; on an invalid or unconvertible sequence either substitutes
// `replacement` and skips one input byte (lenient) or gives up (strict).
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in,
                                   std::optional<std::string_view> replacement) {
  IconvHandle cd = Open(to, from);
  if (!cd) return std::nullopt;
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[4096];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(static_cast<iconv_t>(cd.get()), &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!replacement) return std::nullopt;
    // EILSEQ or EINVAL (truncated sequence at the end): replace one byte, go on.
    out.append(*replacement);
    ++src;
    --srcLeft;
    iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::string Cp949ToUtf8(std::string_view cp949) {
  return Convert("UTF-8", "CP949", cp949, std::string_view("\xEF\xBF\xBD", 3)).value_or("");
}

std::string Utf8ToCp949(std::string_view utf8) {
  return Convert("CP949", "UTF-8", utf8, std::string_view("?", 1)).value_or("");
}

std::optional<std::string> Utf8ToCp949Strict(std::string_view utf8) {
  return Convert("CP949", "UTF-8", utf8, std::nullopt);
}

bool IsValidUtf8(std::string_view bytes) {
  return Convert("UTF-32LE", "UTF-8", bytes, std::nullopt).has_value();
}

}  // namespace zqk
