#pragma once
// Conversions between the program's CP949 text and UTF-8, used only at the edges:
// terminals, script and settings files, file-system paths. Widgets convert with Qt.

#include <optional>
#include <string>
#include <string_view>

namespace zqk {

// Bytes that are not valid CP949 become U+FFFD; never fails.
std::string Cp949ToUtf8(std::string_view cp949);

// Characters that CP949 lacks become '?'; never fails.
std::string Utf8ToCp949(std::string_view utf8);

// Strict conversion: nullopt when the input is not valid UTF-8 or holds a
// character that CP949 cannot represent.
std::optional<std::string> Utf8ToCp949Strict(std::string_view utf8);

// Whether `bytes` is well-formed UTF-8 (no stray, overlong or surrogate
// sequences).
bool IsValidUtf8(std::string_view bytes);

}  // namespace zqk
