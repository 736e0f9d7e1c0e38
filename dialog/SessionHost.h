#pragma once
// The dialog's surroundings as a recorded or replayed session meets them:
// every message box goes to the recording with the answer it got, and in a
// replay of the recorded steps it is answered as the recording says, after
// what happened while it was open has happened again.

#include "dialog/DialogHost.h"

namespace zqk {

class CZQKCommClientDlg;

class SessionHost final : public DialogHost {
 public:
  SessionHost(CZQKCommClientDlg& dlg, DialogHost& inner) : dlg_(dlg), inner_(inner) {}

  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) override;
  void ShowAbout() override { inner_.ShowAbout(); }
  void EndDialog(DialogResult result) override { inner_.EndDialog(result); }

  // The host beneath, for what belongs to no session (a recording's failure).
  DialogHost& Inner() { return inner_; }

 private:
  CZQKCommClientDlg& dlg_;
  DialogHost& inner_;
};

}  // namespace zqk
