#pragma once
// The console as start-up opens it: the dialog over the Qt event loop, with
// its window, initialised and shown. Registering the agent comes first and is
// the caller's.

#include <filesystem>

#include "dialog/CZQKCommClientDlg.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/QtUiThread.h"

namespace zqk {

class Console {
 public:
  // `host` shows the dialog's message boxes; `executableDir` holds the log file.
  Console(QtDialogHost& host, const std::filesystem::path& executableDir);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  CZQKCommClientDlg& Dialog() { return dlg_; }
  DialogView& Window() { return window_; }

  // The dialog's destruction (signs out, stops the agent); once. Message boxes
  // it shows are parentless: the window may be closed already.
  void Destroy();

 private:
  static CZQKCommClientDlg::Environment MakeEnvironment(QtDialogHost& host, UiThread& uiThread,
                                                        const std::filesystem::path& executableDir);

  QtDialogHost& host_;
  QtUiThread uiThread_;
  CZQKCommClientDlg dlg_;
  DialogView window_;
};

}  // namespace zqk
