#pragma once
// CP949 and Unicode one character at a time, from tables built once from the
// system's converter: for text converted in bulk, line after line (session
// recordings), where opening a converter for every value would cost more than
// the value. A character is CP949 text only when it converts both ways to the
// same bytes, so that these functions agree with
// Utf8ToCp949Strict(Cp949ToUtf8(x)) == x.

#include <cstdint>
#include <string>
#include <string_view>

namespace zqk {

class Cp949Table {
 public:
  // The tables, built on first use (a few milliseconds); thread-safe.
  static const Cp949Table& Get();

  // The UTF-8 of the double-byte character `lead` `trail`; empty when those
  // two bytes are no CP949 character.
  std::string_view Utf8Of(unsigned char lead, unsigned char trail) const {
    const size_t at = Index(lead, trail);
    if (at == kNone) return {};
    const Utf8Char& c = utf8_[at];
    return {c.bytes, c.length};
  }
  // The CP949 bytes of a code point of the Basic Multilingual Plane beyond
  // ASCII, lead byte high; 0 when CP949 lacks it.
  uint16_t Cp949Of(char32_t codePoint) const {
    return codePoint < cp949_.size() ? cp949_[codePoint] : 0;
  }

  Cp949Table(const Cp949Table&) = delete;
  Cp949Table& operator=(const Cp949Table&) = delete;

 private:
  struct Utf8Char {
    char bytes[3] = {};
    uint8_t length = 0;
  };
  static constexpr size_t kLeads = 0xFE - 0x81 + 1;
  static constexpr size_t kTrails = 0xFE - 0x41 + 1;
  static constexpr size_t kNone = ~size_t{0};
  static size_t Index(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x41 || trail > 0xFE) return kNone;
    return (lead - 0x81u) * kTrails + (trail - 0x41u);
  }

  Cp949Table();
  Utf8Char utf8_[kLeads * kTrails];
  std::basic_string<uint16_t> cp949_;
};

// Appends `cp949` as UTF-8 to `out` and returns true when every character is
// CP949 text; otherwise returns false, and `out` holds what was appended
// before the first byte that is not.
bool AppendCp949AsUtf8(std::string_view cp949, std::string& out);

// Appends one code point as CP949 (ASCII as itself); false when CP949 lacks it.
bool AppendCodePointAsCp949(char32_t codePoint, std::string& out);

}  // namespace zqk
