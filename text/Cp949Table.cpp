#include "text/Cp949Table.h"

#include <iconv.h>

namespace zqk {
namespace {

// One character through an open converter: the output, or nothing when the
// input is not exactly one convertible character.
std::string ConvertOne(iconv_t cd, std::string_view in) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[8];
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0) {
    return {};
  }
  return std::string(buffer, static_cast<size_t>(dst - buffer));
}

// The code point of one UTF-8 character of 2 or 3 bytes.
char32_t CodePointOf(std::string_view utf8) {
  const auto b = [&](size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(utf8[i]));
  };
  if (utf8.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
}

}  // namespace

const Cp949Table& Cp949Table::Get() {
  static const Cp949Table* const table = new Cp949Table();
  return *table;
}

Cp949Table::Cp949Table() : cp949_(0x10000, 0) {
  const iconv_t decode = iconv_open("UTF-8", "CP949");
  const iconv_t encode = iconv_open("CP949", "UTF-8");
  if (decode != reinterpret_cast<iconv_t>(-1) && encode != reinterpret_cast<iconv_t>(-1)) {
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x41; trail <= 0xFE; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::string utf8 = ConvertOne(decode, std::string_view(pair, 2));
        // Beyond ASCII and within the Basic Multilingual Plane, as every
        // CP949 character is; and back to the same two bytes.
        if (utf8.size() < 2 || utf8.size() > 3) continue;
        if (ConvertOne(encode, utf8) != std::string_view(pair, 2)) continue;
        Utf8Char& c =
            utf8_[Index(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail))];
        utf8.copy(c.bytes, utf8.size());
        c.length = static_cast<uint8_t>(utf8.size());
        cp949_[CodePointOf(utf8)] = static_cast<uint16_t>(lead << 8 | trail);
      }
    }
  }
  if (decode != reinterpret_cast<iconv_t>(-1)) iconv_close(decode);
  if (encode != reinterpret_cast<iconv_t>(-1)) iconv_close(encode);
}

bool AppendCp949AsUtf8(std::string_view cp949, std::string& out) {
  const Cp949Table& table = Cp949Table::Get();
  for (size_t i = 0; i < cp949.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (i + 1 == cp949.size()) return false;
    const std::string_view utf8 = table.Utf8Of(c, static_cast<unsigned char>(cp949[i + 1]));
    if (utf8.empty()) return false;
    out += utf8;
    ++i;
  }
  return true;
}

bool AppendCodePointAsCp949(char32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
    return true;
  }
  const uint16_t bytes = Cp949Table::Get().Cp949Of(codePoint);
  if (bytes == 0) return false;
  out += static_cast<char>(bytes >> 8);
  out += static_cast<char>(bytes & 0xFF);
  return true;
}

}  // namespace zqk
