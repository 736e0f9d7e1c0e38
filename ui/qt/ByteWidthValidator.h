#pragma once
// Keeps an edit's text within a field's width in CP949 bytes: a Korean
// character counts two and is never cut; text beyond the width (typed or
// pasted) is dropped from the end. Characters with no CP949 form are refused.

#include <QValidator>

namespace zqk {

class ByteWidthValidator : public QValidator {
  Q_OBJECT
 public:
  // `width` 0: no limit.
  explicit ByteWidthValidator(size_t width, QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;
  void SetWidth(size_t width) { width_ = width; }

 private:
  size_t width_;
};

}  // namespace zqk
