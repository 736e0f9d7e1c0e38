#pragma once
// The About box, built from its template: the name and version line and an OK
// button, nothing else.

#include <QDialog>

namespace zqk {

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace zqk
