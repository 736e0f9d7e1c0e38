#include "ui/qt/Cp949Validator.h"

#include "ui/qt/Cp949Text.h"

namespace zqk {

Cp949Validator::Cp949Validator(bool digitsOnly, QObject* parent)
    : QValidator(parent), digitsOnly_(digitsOnly) {}

QValidator::State Cp949Validator::validate(QString& input, int& /*pos*/) const {
  if (digitsOnly_) {
    for (QChar c : input) {
      if (c < u'0' || c > u'9') return Invalid;
    }
    return Acceptable;
  }
  return IsCp949Encodable(input) ? Acceptable : Invalid;
}

}  // namespace zqk
