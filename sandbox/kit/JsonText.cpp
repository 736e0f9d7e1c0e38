#include "sandbox/kit/JsonText.h"

#include <QString>
#include <optional>
#include <stdexcept>

#include "text/Cp949.h"

namespace zqk {

std::string JsonStringToCp949(const QString& text, const std::string& where) {
  // The JSON reader keeps a lone surrogate as it is; UTF-8 would turn it into
  // a "?" that then passes for text.
  if (!text.isValidUtf16()) {
    throw std::invalid_argument(where + ": holds a lone surrogate (\\ud800 to \\udfff)");
  }
  const QByteArray utf8 = text.toUtf8();
  std::optional<std::string> cp949 =
      Utf8ToCp949Strict(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
  if (!cp949)
    throw std::invalid_argument(where + ": holds a character that CP949 cannot represent");
  return *cp949;
}

}  // namespace zqk
