#pragma once
// Characters of CP949 text counted on its bytes: a lead byte (0x81 to 0xFE)
// followed by a trail byte is one double-byte character; every other byte is a
// character of its own. Widths and cuts go by bytes but never split a
// double-byte character.

#include <cstddef>
#include <string_view>

namespace zqk {

constexpr bool IsCp949LeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

constexpr bool IsCp949TrailByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE);
}

// Bytes of the character that starts at `at` (< text.size()): 2 for a lead
// byte with a trail byte after it, else 1.
constexpr size_t Cp949CharLength(std::string_view text, size_t at) {
  return IsCp949LeadByte(text[at]) && at + 1 < text.size() && IsCp949TrailByte(text[at + 1]) ? 2
                                                                                             : 1;
}

// The longest start of `text` of at most `maxBytes` bytes that ends between
// two characters. A lead byte that ends `text` is a byte like any other: raw
// data is shown as it came.
std::string_view Cp949LeadingBytes(std::string_view text, size_t maxBytes);

// Cp949LeadingBytes, except that a lead byte that ends `text` has lost its
// trail byte and is left out: fixed-width fields and names written before
// other text never end in half a character.
std::string_view Cp949Prefix(std::string_view text, size_t maxBytes);

}  // namespace zqk
