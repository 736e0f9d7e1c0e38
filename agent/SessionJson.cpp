#include "agent/SessionJson.h"

#include <charconv>
#include <cstring>

#include "text/Cp949Table.h"

namespace zqk {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsPlain(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

// Whether none of the 8 bytes of `w` needs more than a copy: the words of a
// run of ASCII go by in one test rather than eight.
bool AllPlain(uint64_t w) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHigh = 0x8080808080808080u;
  auto hasZero = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
  const uint64_t special = (w & kHigh) | ((w - 0x20 * kOnes) & ~w & kHigh) |
                           hasZero(w ^ ('"' * kOnes)) | hasZero(w ^ ('\\' * kOnes));
  return special == 0;
}

// The end of the run of plain bytes that starts at `from`.
size_t PlainRunEnd(std::string_view text, size_t from) {
  size_t at = from;
  while (at + 8 <= text.size()) {
    uint64_t w;
    std::memcpy(&w, text.data() + at, 8);
    if (!AllPlain(w)) break;
    at += 8;
  }
  while (at < text.size() && IsPlain(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
  }
  const char escape[] = {'\\', 'u', '0', '0', kHexDigits[c >> 4], kHexDigits[c & 0xF]};
  out.append(escape, sizeof escape);
}

}  // namespace

void AppendJsonText(std::string& out, std::string_view cp949) {
  const size_t mark = out.size();
  const Cp949Table& table = Cp949Table::Get();
  out += '"';
  size_t i = 0;
  while (i < cp949.size()) {
    // Runs of plain ASCII, the bulk of every line, in one append.
    const size_t run = PlainRunEnd(cp949, i);
    out.append(cp949.data() + i, run - i);
    i = run;
    if (i == cp949.size()) break;
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      AppendEscaped(out, c);
      ++i;
      continue;
    }
    // A run of double-byte characters (a Korean word) in one append too.
    char converted[96];
    size_t used = 0;
    while (i < cp949.size() && static_cast<unsigned char>(cp949[i]) >= 0x80 &&
           used + 3 <= sizeof converted) {
      const std::string_view utf8 = i + 1 < cp949.size()
                                        ? table.Utf8Of(static_cast<unsigned char>(cp949[i]),
                                                       static_cast<unsigned char>(cp949[i + 1]))
                                        : std::string_view();
      if (utf8.empty()) {
        out.resize(mark);
        AppendJsonHex(out, cp949);
        return;
      }
      // Three bytes whatever the length: the table keeps three for each.
      std::memcpy(converted + used, utf8.data(), 3);
      used += utf8.size();
      i += 2;
    }
    out.append(converted, used);
  }
  out += '"';
}

void AppendJsonHex(std::string& out, std::string_view bytes) {
  out += "{\"hex\":\"";
  const size_t at = out.size();
  out.resize(at + 2 * bytes.size());
  char* p = out.data() + at;
  for (const char b : bytes) {
    const auto c = static_cast<unsigned char>(b);
    *p++ = kHexDigits[c >> 4];
    *p++ = kHexDigits[c & 0xF];
  }
  out += "\"}";
}

void AppendJsonInt(std::string& out, int64_t value) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

}  // namespace zqk
