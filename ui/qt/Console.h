#pragma once
// The console as start-up opens it: the dialog over the Qt event loop, with
// its window, initialised and shown; a session recording and a replay when
// asked for. Registering the agent comes first and is the caller's.

#include <filesystem>
#include <memory>

#include "agent/ReplaySession.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/SessionPlayer.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/QtUiThread.h"

namespace zqk {

// What a session of the console records and replays (docs/recording.md).
struct ConsoleSession {
  std::filesystem::path recordFile;       // recorded from the start, when given
  std::shared_ptr<ReplaySession> replay;  // played in the window, when given
  double replaySpeed = 1;                 // 1 the recorded pace, 0 as fast as it goes
};

class Console {
 public:
  // `host` shows the dialog's message boxes; `executableDir` holds the log file.
  Console(QtDialogHost& host, const std::filesystem::path& executableDir,
          ConsoleSession session = {});
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  CZQKCommClientDlg& Dialog() { return dlg_; }
  DialogView& Window() { return window_; }
  SessionPlayer* Player() { return player_.get(); }

  // The dialog's destruction (signs out, stops the agent); once. Message boxes
  // it shows are parentless: the window may be closed already. A replay still
  // running ends first.
  void Destroy();

 private:
  static CZQKCommClientDlg::Environment MakeEnvironment(QtDialogHost& host, UiThread& uiThread,
                                                        const std::filesystem::path& executableDir);
  void StartReplay(const ConsoleSession& session);
  // Tells the user how the replay ended.
  void ReplayDone();

  QtDialogHost& host_;
  QtUiThread uiThread_;
  CZQKCommClientDlg dlg_;
  DialogView window_;
  std::unique_ptr<SessionPlayer> player_;
};

}  // namespace zqk
