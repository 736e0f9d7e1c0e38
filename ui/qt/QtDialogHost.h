#pragma once
// The dialog's surroundings on Qt: modal message boxes, the About box and the
// end of the dialog. Usable before the window exists (start-up messages): the
// boxes then have no parent and EndDialog has nothing to close.

#include <QPointer>

#include "dialog/DialogHost.h"
#include "ui/qt/DialogView.h"

namespace zqk {

class QtDialogHost : public DialogHost {
 public:
  void SetWindow(DialogView* window) { window_ = window; }
  DialogView* Window() const { return window_; }

  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) override;
  void ShowAbout() override;
  void EndDialog(DialogResult result) override;

 private:
  QPointer<DialogView> window_;
};

}  // namespace zqk
