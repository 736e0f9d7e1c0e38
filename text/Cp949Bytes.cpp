#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

std::string_view CutBetweenCharacters(std::string_view text, size_t maxBytes,
                                      bool dropEndingLeadByte) {
  size_t end = 0;
  while (end < text.size()) {
    if (dropEndingLeadByte && end + 1 == text.size() && IsCp949LeadByte(text[end])) break;
    const size_t next = end + Cp949CharLength(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

std::string_view Cp949LeadingBytes(std::string_view text, size_t maxBytes) {
  return CutBetweenCharacters(text, maxBytes, false);
}

std::string_view Cp949Prefix(std::string_view text, size_t maxBytes) {
  return CutBetweenCharacters(text, maxBytes, true);
}

}  // namespace zqk
