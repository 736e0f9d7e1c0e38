#include "ui/qt/ByteWidthValidator.h"

#include "ui/qt/Cp949Text.h"

namespace zqk {

ByteWidthValidator::ByteWidthValidator(size_t width, QObject* parent)
    : QValidator(parent), width_(width) {}

QValidator::State ByteWidthValidator::validate(QString& input, int& pos) const {
  if (!IsCp949Encodable(input)) return Invalid;
  if (width_ == 0) return Acceptable;
  size_t bytes = 0;
  qsizetype keep = 0;
  for (; keep < input.size(); ++keep) {
    const size_t size = ToCp949(QString(input[keep])).size();
    if (bytes + size > width_) break;
    bytes += size;
  }
  if (keep < input.size()) {
    input.truncate(keep);
    pos = std::min(pos, static_cast<int>(keep));
  }
  return Acceptable;
}

}  // namespace zqk
