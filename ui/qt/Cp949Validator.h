#pragma once
// Keeps an edit's text within what the program can hold: every character must
// have a CP949 form (the model stores CP949 bytes), and a digits-only edit
// takes the digits 0 to 9 alone. Rejected input never reaches the edit, so the
// widget and the model never disagree.

#include <QValidator>

namespace zqk {

class Cp949Validator : public QValidator {
  Q_OBJECT
 public:
  explicit Cp949Validator(bool digitsOnly, QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;

 private:
  bool digitsOnly_;
};

}  // namespace zqk
