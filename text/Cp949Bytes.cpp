#include "text/Cp949Bytes.h"

namespace zqk {

std::string_view FirstCp949Chars(std::string_view text, size_t count) {
  size_t end = 0;
  for (size_t n = 0; n < count && end < text.size(); ++n) end += Cp949CharLength(text, end);
  return text.substr(0, end);
}

std::string_view Cp949Prefix(std::string_view text, size_t maxBytes) {
  size_t end = 0;
  while (end < text.size()) {
    if (end + 1 == text.size() && IsCp949LeadByte(text[end])) break;
    const size_t next = end + Cp949CharLength(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace zqk
