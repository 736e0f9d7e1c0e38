#pragma once
// The pieces of a recording's JSON lines, appended to a buffer without a
// document in between: a recording writes a line for every agent call, so
// each piece costs a few appends. Text is CP949 converted to UTF-8 when all of
// it is CP949 text, and {"hex": "..."} of its bytes when not.

#include <cstdint>
#include <string>
#include <string_view>

namespace zqk {

void AppendJsonText(std::string& out, std::string_view cp949);
void AppendJsonHex(std::string& out, std::string_view bytes);
void AppendJsonInt(std::string& out, int64_t value);
inline void AppendJsonBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

}  // namespace zqk
