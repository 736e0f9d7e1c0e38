#pragma once
// The widgets' edge of the program's text: CP949 bytes to QString and back.
// Conversions happen here only, and only for what a widget shows or takes.

#include <QString>
#include <string>
#include <string_view>

namespace zqk {

// Bytes that are not CP949 become replacement characters; never fails.
QString FromCp949(std::string_view bytes);
// The caller makes sure that the text is encodable (IsCp949Encodable); a
// character that is not becomes the encoder's substitute.
std::string ToCp949(const QString& text);
bool IsCp949Encodable(const QString& text);

}  // namespace zqk
