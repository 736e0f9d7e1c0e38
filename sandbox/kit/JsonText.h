#pragma once
// JSON strings of the components' own files (sandbox settings, fixtures) as
// the CP949 text they stand for.

#include <string>

class QString;

namespace zqk {

// `text` in CP949. Throws std::invalid_argument ("where: why", UTF-8) when it
// holds a lone surrogate (an escape such as "\ud800" that stands for no
// character) or a character that CP949 cannot represent.
std::string JsonStringToCp949(const QString& text, const std::string& where);

}  // namespace zqk
