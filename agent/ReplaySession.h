#pragma once
// A recorded session played back: a cursor over its entries that the replay
// control, the dialog and the player share. Each call the console makes is
// matched against the next recorded call and answered with its result; each
// user step it receives against the next recorded step. The first thing that
// differs is the divergence: the replay stops there and says what the console
// did, the recording's line, and what that line holds.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "agent/RecordingReader.h"
#include "agent/SessionEntry.h"
#include "agent/abi/AgentAbi.h"

namespace zqk {

class ReplaySession {
 public:
  // Whether the recorded user steps (and message-box answers) are part of the
  // replay, or left out because another source (a script) gives the steps
  // (all but those StepKeptWithScript names, which the script must match).
  enum class Steps { kReplayed, kSkipped };

  // Reads and checks all of `file` first, then opens it again for the
  // replay: a recording that cannot be replayed to its end is refused before
  // anything runs. nullptr with the fault.
  static std::shared_ptr<ReplaySession> Open(const std::filesystem::path& file,
                                             const RecordingReadOptions& options, Steps steps,
                                             RecordingError* error);

  const std::filesystem::path& File() const { return file_; }
  const RecordingHeader& Header() const { return reader_->Header(); }
  Steps StepMode() const { return steps_; }
  // The console's state when the recording started, when it holds one.
  std::shared_ptr<const RecordedState> InitialState() const { return initialState_; }

  // The next entry the console is to meet (the state and, when they are
  // skipped, steps left out); nullptr at the end, after a divergence or once
  // finished. Valid until Consume().
  const RecordedEntry* Peek();
  void Consume();
  // Called after every entry consumed and at a divergence: what comes next
  // may be due, or the replay over.
  void SetAdvanceHandler(std::function<void()> handler) { onAdvance_ = std::move(handler); }

  // --- The replay control -------------------------------------------------
  // The next creation of the control answers without a recorded one: the
  // recording began with the control up.
  void AllowCreationOnce() { creationAllowed_ = true; }
  // Whether the control is created; when not, the recorded reason (CP949).
  bool MatchCreate(std::string& error);
  void MatchDestroy();
  struct Answer {
    int32_t status = ZQK_OK;
    RecordedValue result;  // for a failure, its error text (CP949)
  };
  // Fires the events recorded inside this call first, then answers it.
  Answer AnswerCall(const OperationInfo& op, std::span<const zqk_value> args);
  // The host of the live control, through which recorded events arrive.
  void Attach(const zqk_host* host) { host_ = host; }
  void Detach(const zqk_host* host);
  // Fires the next entry, an event, through the live control. False when the
  // replay diverged meanwhile.
  bool FireNext();

  // --- The dialog ---------------------------------------------------------
  // A user step the dialog received (when steps are skipped, only those
  // StepKeptWithScript names are matched).
  void MatchStep(const RecordedStep& step);

  // The console did `what` (UTF-8, "called X(...)") where the recording has
  // something else next: the replay stops.
  void Diverge(const std::string& what);
  bool Diverged() const { return divergence_.has_value(); }
  // What diverged and where, UTF-8.
  const std::string& Divergence() const;
  // Ends the replay where it stands: nothing more is matched, and the
  // control can no longer be created.
  void Finish() { finished_ = true; }
  bool Finished() const { return finished_; }
  // Entries consumed so far.
  size_t Played() const { return played_; }

 private:
  ReplaySession(std::filesystem::path file, Steps steps, std::unique_ptr<RecordingReader> reader)
      : file_(std::move(file)), steps_(steps), reader_(std::move(reader)) {}
  bool Stopped() const { return finished_ || Diverged(); }
  std::string StoppedText() const;

  std::filesystem::path file_;
  Steps steps_;
  std::unique_ptr<RecordingReader> reader_;
  std::shared_ptr<const RecordedState> initialState_;
  std::optional<RecordedEntry> next_;
  bool atEnd_ = false;
  bool creationAllowed_ = false;
  const zqk_host* host_ = nullptr;
  std::optional<std::string> divergence_;
  bool finished_ = false;
  size_t played_ = 0;
  std::function<void()> onAdvance_;
};

}  // namespace zqk
