#pragma once
// The byte ruler over the dialog's fixed-width edits (the order record and
// the query inputs): while the mouse hovers over one, or its caret moves, a
// tip below it names the field under the mouse or the caret (name, offset,
// width, the field's text) and any warning of the text against its layout.
// The tip is a window of its own over the dialog: no control moves. It reads
// the control model only and makes no agent call.

#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

#include "dialog/ByteRuler.h"
#include "dialog/CZQKCommClientDlg.h"

class QLabel;
class QLineEdit;

namespace zqk {

class DialogView;

class ByteRulerTip : public QObject {
  Q_OBJECT
 public:
  ByteRulerTip(CZQKCommClientDlg& dlg, DialogView& view);
  ~ByteRulerTip() override;

  // The tip's window and what it shows now (hidden when no edit is hovered
  // or focused).
  QLabel* Tip() const { return tip_; }
  // The tip's lines as plain text.
  const QString& TipText() const { return plain_; }
  // Shows the tip of `id` for the byte at character position `position` of
  // its text (as the caret or the mouse puts it).
  void ShowAt(ControlId id, int position);
  void Hide();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<ControlId> IdOf(const QObject* edit) const;
  QLineEdit* EditOf(ControlId id) const;
  // The character under `x` (the edit's coordinates) of the edit's text.
  static int CharacterAt(QLineEdit& edit, int x);

  CZQKCommClientDlg& dlg_;
  DialogView& view_;
  QPointer<QLabel> tip_;
  // The ruled edits, by their place in kRuledEdits.
  std::array<QPointer<QLineEdit>, 3> edits_;
  // The edit the tip is shown for, and whether the mouse put it there.
  QString plain_;
  std::optional<ControlId> shown_;
  bool byMouse_ = false;
};

}  // namespace zqk
