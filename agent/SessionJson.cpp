#include "agent/SessionJson.h"

#include <charconv>

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

char* WriteEscaped(char* out, unsigned char c) {
  char shortForm = 0;
  switch (c) {
    case '"':
      shortForm = '"';
      break;
    case '\\':
      shortForm = '\\';
      break;
    case '\n':
      shortForm = 'n';
      break;
    case '\r':
      shortForm = 'r';
      break;
    case '\t':
      shortForm = 't';
      break;
  }
  *out++ = '\\';
  if (shortForm) {
    *out++ = shortForm;
    return out;
  }
  const char escape[] = {'u', '0', '0', kHexDigits[c >> 4], kHexDigits[c & 0xF]};
  return WriteJsonRaw(out, std::string_view(escape, sizeof escape));
}

}  // namespace

size_t JsonTextRoom(std::string_view cp949) {
  constexpr size_t kShort = 4096;
  if (cp949.size() <= kShort) return MaxJsonTextBytes(cp949.size());
  const Cp949Table& table = Cp949Table::Get();
  size_t bytes = 2;
  size_t i = 0;
  while (i < cp949.size()) {
    const size_t run = PlainRunEnd(cp949, i);
    bytes += run - i;
    i = run;
    if (i == cp949.size()) break;
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      bytes += 6;
      ++i;
      continue;
    }
    const std::string_view utf8 = i + 1 < cp949.size()
                                      ? table.Utf8Of(c, static_cast<unsigned char>(cp949[i + 1]))
                                      : std::string_view();
    if (utf8.empty()) return 2 * cp949.size() + 16;  // written as hex
    bytes += 3;
    i += 2;
  }
  return bytes + 16;
}

char* WriteJsonText(char* out, std::string_view cp949) {
  char* const start = out;
  const Cp949Table& table = Cp949Table::Get();
  *out++ = '"';
  size_t i = 0;
  while (i < cp949.size()) {
    // Runs of plain ASCII, the bulk of every line, in one copy.
    const size_t run = PlainRunEnd(cp949, i);
    std::memcpy(out, cp949.data() + i, run - i);
    out += run - i;
    i = run;
    if (i == cp949.size()) break;
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      out = WriteEscaped(out, c);
      ++i;
      continue;
    }
    const std::string_view utf8 = i + 1 < cp949.size()
                                      ? table.Utf8Of(c, static_cast<unsigned char>(cp949[i + 1]))
                                      : std::string_view();
    if (utf8.empty()) return WriteJsonHex(start, cp949);
    // Three bytes whatever the length: the table keeps three for each, and a
    // character of two bytes has room for three.
    std::memcpy(out, utf8.data(), 3);
    out += utf8.size();
    i += 2;
  }
  *out++ = '"';
  return out;
}

char* WriteJsonHex(char* out, std::string_view bytes) {
  out = WriteJsonRaw(out, "{\"hex\":\"");
  for (const char b : bytes) {
    const auto c = static_cast<unsigned char>(b);
    *out++ = kHexDigits[c >> 4];
    *out++ = kHexDigits[c & 0xF];
  }
  return WriteJsonRaw(out, "\"}");
}

char* WriteJsonInt(char* out, int64_t value) {
  return std::to_chars(out, out + kMaxJsonIntBytes, value).ptr;
}

JsonLineBuffer::JsonLineBuffer(size_t capacity)
    : data_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

char* JsonLineBuffer::Room(size_t bytes) {
  if (capacity_ - size_ < bytes) {
    const size_t capacity = std::max(2 * capacity_, size_ + bytes);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
  }
  return data_.get() + size_;
}

}  // namespace zqk
