#pragma once
// A static text of a dialog template. A caption wider than its rectangle is
// drawn cut short with an ellipsis, and its whole text is the tool tip, rather
// than being cut off in the middle of a letter. The text itself stays whole:
// text() is the caption.

#include <QLabel>

namespace zqk {

class CaptionLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

  // Whether the caption is wider than the label's contents.
  bool Elided() const;
  // What the label draws: the caption, or its elided form.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace zqk
