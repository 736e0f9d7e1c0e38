#pragma once
// Conversions between the program's CP949 text and UTF-8, used only at the edges:
// terminals, script and settings files, file-system paths. Widgets convert with Qt.

#include <optional>
#include <string>
#include <string_view>

namespace zqk {

// Bytes that are not valid CP949 become U+FFFD; never fails.
std::string Cp949ToUtf8(std::string_view cp949);

// Many texts converted one after another with one converter (opening one
// costs more than converting a short line): an export of millions of lines.
class Cp949ToUtf8Stream {
 public:
  Cp949ToUtf8Stream();
  ~Cp949ToUtf8Stream();
  Cp949ToUtf8Stream(const Cp949ToUtf8Stream&) = delete;
  Cp949ToUtf8Stream& operator=(const Cp949ToUtf8Stream&) = delete;
  // Appends `cp949` to `out` as Cp949ToUtf8 converts it; false when a byte
  // was not CP949 and became U+FFFD.
  bool Append(std::string_view cp949, std::string& out);

 private:
  void* cd_;
};

// Characters that CP949 lacks become '?'; never fails.
std::string Utf8ToCp949(std::string_view utf8);

// Strict conversion: nullopt when the input is not valid UTF-8 or holds a
// character that CP949 cannot represent.
std::optional<std::string> Utf8ToCp949Strict(std::string_view utf8);

// Whether `bytes` is well-formed UTF-8 (no stray, overlong or surrogate
// sequences).
bool IsValidUtf8(std::string_view bytes);

}  // namespace zqk
