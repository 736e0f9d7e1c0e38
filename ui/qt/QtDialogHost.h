#pragma once
// The dialog's surroundings on Qt: modal message boxes, the About box and the
// end of the dialog. Usable before the window exists (start-up messages): the
// boxes then have no parent and EndDialog has nothing to close.

#include <QDialog>
#include <QPointer>

#include "dialog/DialogHost.h"
#include "ui/qt/DialogView.h"

namespace zqk {

class QtDialogHost : public DialogHost {
 public:
  void SetWindow(DialogView* window) { window_ = window; }
  // While a session is replayed, the About box does not wait to be closed:
  // the recording goes on as it did once the user had closed it.
  void SetReplaying(bool replaying);
  DialogView* Window() const { return window_; }

  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) override;
  // Shown without asking: the recording answers when its moment comes.
  MessageBoxResult ShowReplayedMessageBox(
      std::string_view text, std::string_view caption, MessageBoxButtons buttons,
      MessageBoxIcon icon, const std::function<MessageBoxResult()>& awaitAnswer) override;
  void ShowAbout() override;
  void EndDialog(DialogResult result) override;

 private:
  QPointer<DialogView> window_;
  bool replaying_ = false;
  QPointer<QDialog> replayedAbout_;
};

}  // namespace zqk
