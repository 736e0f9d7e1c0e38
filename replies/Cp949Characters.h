#pragma once
// Characters in the CP949 bytes that the agent delivers: a lead byte followed
// by a trail byte is one double-byte character; any other byte is one
// character by itself.

#include <cstddef>
#include <string_view>

namespace zqk {

bool IsLeadByte(unsigned char c);
bool IsTrailByte(unsigned char c);

// `cp949` up to its last whole character: a lead byte at the very end, whose
// trail byte is missing, is left out, so that what is written after the text
// cannot become the second half of its last character.
std::string_view WholeCharacters(std::string_view cp949);

}  // namespace zqk
