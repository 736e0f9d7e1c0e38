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

// Converts `in` with `cd`, appending to `out`; on an invalid or
// unconvertible sequence either substitutes `replacement` and skips one input
// byte (lenient) or gives up (strict). Returns whether nothing was replaced.
bool ConvertInto(iconv_t cd, std::string_view in, std::optional<std::string_view> replacement,
                 std::string& out, bool& failed) {
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[4096];
  bool whole = true;
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    whole = false;
    if (!replacement) {
      failed = true;
      return false;
    }
    // EILSEQ or EINVAL (truncated sequence at the end): replace one byte, go on.
    out.append(*replacement);
    ++src;
    --srcLeft;
  }
  // A sequence cut at the end stays in the converter's state: drop it.
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  return whole;
}

constexpr std::string_view kReplacementCharacter("\xEF\xBF\xBD", 3);

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in,
                                   std::optional<std::string_view> replacement) {
  IconvHandle cd = Open(to, from);
  if (!cd) return std::nullopt;
  std::string out;
  out.reserve(in.size() * 2);
  bool failed = false;
  ConvertInto(static_cast<iconv_t>(cd.get()), in, replacement, out, failed);
  if (failed) return std::nullopt;
  return out;
}

}  // namespace

std::string Cp949ToUtf8(std::string_view cp949) {
  return Convert("UTF-8", "CP949", cp949, kReplacementCharacter).value_or("");
}

Cp949ToUtf8Stream::Cp949ToUtf8Stream() : cd_(iconv_open("UTF-8", "CP949")) {}

Cp949ToUtf8Stream::~Cp949ToUtf8Stream() {
  if (cd_ != reinterpret_cast<void*>(-1)) iconv_close(static_cast<iconv_t>(cd_));
}

bool Cp949ToUtf8Stream::Append(std::string_view cp949, std::string& out) {
  size_t ascii = 0;
  while (ascii < cp949.size() && static_cast<unsigned char>(cp949[ascii]) < 0x80) ++ascii;
  out.append(cp949.substr(0, ascii));
  if (ascii == cp949.size()) return true;
  if (cd_ == reinterpret_cast<void*>(-1)) {
    out.append(kReplacementCharacter);
    return false;
  }
  bool failed = false;
  return ConvertInto(static_cast<iconv_t>(cd_), cp949.substr(ascii), kReplacementCharacter, out,
                     failed);
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
