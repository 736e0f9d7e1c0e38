#pragma once
// Plays a recorded session (ReplaySession) into the dialog: the recorded
// state first, then every user step and every event at its recorded time on
// the UI thread's clock, in the recorded order, while the replay control
// answers the dialog's calls and the dialog's message boxes take their
// recorded answers. With the steps skipped (a script gives them), only the
// events are played. The replay stops at the first divergence.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "agent/ReplaySession.h"
#include "agent/UiThread.h"

namespace zqk {

class CZQKCommClientDlg;

class SessionPlayer {
 public:
  // Runs the UI thread's loop, nested, until `done` holds or nothing more is
  // due: a message box of the recording waits so for its moment.
  using LoopRunner = std::function<void(const std::function<bool()>& done)>;

  struct Options {
    // 1: the recorded pace; 2: twice as fast; 0: as fast as the loop runs.
    double speed = 1;
    LoopRunner runLoop;
  };

  // Opens a recording for replay, checked to its end, with the console's own
  // codes (the replies of master files); nullptr and the fault.
  static std::shared_ptr<ReplaySession> OpenRecording(const std::filesystem::path& file,
                                                      ReplaySession::Steps steps,
                                                      RecordingError* error);

  SessionPlayer(CZQKCommClientDlg& dlg, UiThread& ui, std::shared_ptr<ReplaySession> session,
                Options options);
  // Stop().
  ~SessionPlayer();
  SessionPlayer(const SessionPlayer&) = delete;
  SessionPlayer& operator=(const SessionPlayer&) = delete;

  // Puts the recorded state into the dialog (creating the agent control when
  // the recording began with it), joins the dialog and its agent to the
  // session, and schedules the first entry. Once, after OnInitDialog.
  void Start();
  // Leaves the dialog and its agent to go on without the replay.
  void Stop();

  ReplaySession& Session() { return *session_; }
  bool ReplaysSteps() const { return session_->StepMode() == ReplaySession::Steps::kReplayed; }
  // The recording has been played to its end, or the replay diverged.
  bool Done() const { return session_->Finished() || session_->Diverged(); }
  // Called once when Done() becomes true.
  void SetDoneHandler(std::function<void()> handler) { onDone_ = std::move(handler); }
  // When the next scheduled entry is due on the UI thread's clock; nullopt
  // when none is scheduled (the replay waits for the console, or is done).
  std::optional<int64_t> NextDueMs() const { return dueMs_; }
  // Whether the next entry of the replay is that user step.
  bool Expects(StepKind step);

  // The answer of a message box that the dialog shows, once what the
  // recording holds before it has run: nullopt when the recording has no
  // such box there (the replay then diverged).
  std::optional<int32_t> AwaitBox(const RecordedStep& box);

 private:
  void Schedule();
  void PlayNext();
  void Perform(const RecordedStep& step);
  // After an entry has played, what comes next must be the recording's to
  // start (a step or an event): anything else the console failed to do.
  void CheckConsoleCaughtUp();
  void CheckDone();

  CZQKCommClientDlg& dlg_;
  UiThread& ui_;
  std::shared_ptr<ReplaySession> session_;
  Options options_;
  int64_t startMs_ = 0;
  std::optional<uint64_t> ticket_;
  std::optional<int64_t> dueMs_;
  bool awaitingBox_ = false;
  bool boxDue_ = false;
  bool attached_ = false;
  bool doneReported_ = false;
  std::string lastPlayed_;  // for messages: what the replay did last
  std::function<void()> onDone_;
};

}  // namespace zqk
