#include "replies/Cp949Characters.h"

namespace zqk {

bool IsLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

bool IsTrailByte(unsigned char c) {
  return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
}

std::string_view WholeCharacters(std::string_view cp949) {
  size_t at = 0;
  while (at < cp949.size()) {
    const bool lead = IsLeadByte(static_cast<unsigned char>(cp949[at]));
    if (lead && at + 1 == cp949.size()) return cp949.substr(0, at);
    const bool pair = lead && IsTrailByte(static_cast<unsigned char>(cp949[at + 1]));
    at += pair ? 2 : 1;
  }
  return cp949;
}

}  // namespace zqk
