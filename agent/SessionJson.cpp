#include "agent/SessionJson.h"

#include <charconv>

#include "text/Cp949Table.h"

namespace zqk {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsPlain(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
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
    size_t run = i;
    while (run < cp949.size() && IsPlain(static_cast<unsigned char>(cp949[run]))) ++run;
    out.append(cp949.data() + i, run - i);
    i = run;
    if (i == cp949.size()) break;
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      AppendEscaped(out, c);
      ++i;
      continue;
    }
    const std::string_view utf8 = i + 1 < cp949.size()
                                      ? table.Utf8Of(c, static_cast<unsigned char>(cp949[i + 1]))
                                      : std::string_view();
    if (utf8.empty()) {
      out.resize(mark);
      AppendJsonHex(out, cp949);
      return;
    }
    out += utf8;
    i += 2;
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
