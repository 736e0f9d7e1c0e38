#include "dialog/SessionPlayer.h"

#include <algorithm>
#include <cmath>

#include "dialog/CZQKCommClientDlg.h"
#include "replies/MasterFileDecoder.h"

namespace zqk {
namespace {

bool IsBox(const RecordedEntry& e) {
  return e.kind == RecordedEntry::Kind::kStep && e.step.kind == StepKind::kBox;
}

std::string Played(const RecordedEntry& e) {
  return DescribeEntry(e) + " (line " + std::to_string(e.line) + ")";
}

}  // namespace

std::shared_ptr<ReplaySession> SessionPlayer::OpenRecording(const std::filesystem::path& file,
                                                            ReplaySession::Steps steps,
                                                            RecordingError* error) {
  RecordingReadOptions options;
  options.masterFileReplyCode = std::string(kMasterFileTrCode);
  return ReplaySession::Open(file, options, steps, error);
}

SessionPlayer::SessionPlayer(CZQKCommClientDlg& dlg, UiThread& ui,
                             std::shared_ptr<ReplaySession> session, Options options)
    : dlg_(dlg), ui_(ui), session_(std::move(session)), options_(std::move(options)) {}

SessionPlayer::~SessionPlayer() {
  Stop();
}

void SessionPlayer::Start() {
  startMs_ = ui_.NowMs();
  attached_ = true;
  dlg_.Agent().SetReplay(session_);
  dlg_.SetPlayer(this);
  session_->SetAdvanceHandler([this] { Schedule(); });
  // The recording turns the inspector on where it was (a recording begun
  // with it on does so first).
  dlg_.Inspector().SetEnabled(false);
  if (std::shared_ptr<const RecordedState> state = session_->InitialState()) {
    if (state->controlUp) session_->AllowCreationOnce();
    dlg_.ApplyRecordedState(*state);
  }
  lastPlayed_ = "the start of the replay";
  CheckConsoleCaughtUp();
  Schedule();
}

bool SessionPlayer::Expects(StepKind step) {
  const RecordedEntry* next = attached_ && ReplaysSteps() ? session_->Peek() : nullptr;
  return next && next->kind == RecordedEntry::Kind::kStep && next->step.kind == step;
}

void SessionPlayer::Stop() {
  if (!attached_) return;
  attached_ = false;
  if (ticket_) ui_.Cancel(*ticket_);
  ticket_.reset();
  dueMs_.reset();
  session_->SetAdvanceHandler(nullptr);
  session_->Finish();
  // The replay control answers nothing more: the console goes on without it,
  // and Connect creates the registered agent again.
  if (dlg_.Agent().Replay() == session_.get()) {
    dlg_.Agent().DestroyWindow();
    dlg_.Agent().SetReplay(nullptr);
  }
  if (dlg_.Player() == this) dlg_.SetPlayer(nullptr);
}

void SessionPlayer::Schedule() {
  if (!attached_ || ticket_) return;
  const RecordedEntry* next = Done() ? nullptr : session_->Peek();
  if (!next) {
    // Within a script, the script's end decides when the recording has none;
    // a message box at the end of the recording is one it does not have.
    if (!Done() && (!ReplaysSteps() || awaitingBox_)) return;
    // The end of the recorded steps, or a divergence: told and undone from
    // the top of the loop, once the console has done what it was doing.
    dueMs_ = ui_.NowMs();
    ticket_ = ui_.Post([this] { PlayNext(); }, 0);
    return;
  }
  // A step kept while a script gives the steps is the script's to take.
  const bool plays = (next->kind == RecordedEntry::Kind::kStep && ReplaysSteps() &&
                      (!IsBox(*next) || awaitingBox_)) ||
                     (next->kind == RecordedEntry::Kind::kEvent && !next->nested);
  // Anything else is the console's to do.
  if (!plays) return;
  const int64_t now = ui_.NowMs();
  int64_t due = now;
  if (options_.speed > 0) {
    due = startMs_ +
          static_cast<int64_t>(std::llround(static_cast<double>(next->timeMs) / options_.speed));
  }
  const int64_t delay = std::clamp<int64_t>(due - now, 0, INT32_MAX);
  dueMs_ = now + delay;
  ticket_ = ui_.Post([this] { PlayNext(); }, static_cast<uint32_t>(delay));
}

void SessionPlayer::PlayNext() {
  ticket_.reset();
  dueMs_.reset();
  const RecordedEntry* next = Done() ? nullptr : session_->Peek();
  if (!next) {
    if (awaitingBox_) return;
    if (!Done()) session_->Finish();
    CheckDone();
    return;
  }
  if (IsBox(*next)) {
    // AwaitBox takes it from here.
    if (awaitingBox_) boxDue_ = true;
    return;
  }
  const size_t line = next->line;
  lastPlayed_ = Played(*next);
  if (next->kind == RecordedEntry::Kind::kEvent) {
    session_->FireNext();
  } else {
    const RecordedStep step = next->step;
    Perform(step);
    const RecordedEntry* after = session_->Peek();
    if (after && after->line == line) session_->Diverge("did not take " + DescribeStep(step));
  }
  CheckConsoleCaughtUp();
  Schedule();
  CheckDone();
}

void SessionPlayer::Perform(const RecordedStep& s) {
  switch (s.kind) {
    case StepKind::kSet:
      dlg_.EditText(ControlId{s.control}, s.text);
      break;
    case StepKind::kClick:
      dlg_.Click(ControlId{s.control});
      break;
    case StepKind::kSelect:
      dlg_.SelectItem(ControlId{s.control}, ListIndex{s.number});
      break;
    case StepKind::kOk:
      dlg_.OnOK();
      break;
    case StepKind::kCancel:
      dlg_.OnCancel();
      break;
    case StepKind::kSysCommand:
      dlg_.OnSysCommand(s.number);
      break;
    case StepKind::kDestroy:
      dlg_.OnDestroy();
      break;
    case StepKind::kEnter:
      dlg_.OnEnterKey();
      break;
    case StepKind::kEscape:
      dlg_.OnEscapeKey();
      break;
    case StepKind::kInspect:
      dlg_.SetInspecting(s.number != 0);
      break;
    case StepKind::kBox:
      break;
  }
}

void SessionPlayer::CheckConsoleCaughtUp() {
  if (!ReplaysSteps() || Done()) return;
  const RecordedEntry* next = session_->Peek();
  if (!next) return;
  const bool recordingsTurn =
      (next->kind == RecordedEntry::Kind::kStep && (!IsBox(*next) || awaitingBox_)) ||
      (next->kind == RecordedEntry::Kind::kEvent && !next->nested);
  if (!recordingsTurn) session_->Diverge("had nothing more to do after " + lastPlayed_);
}

void SessionPlayer::CheckDone() {
  if (doneReported_ || !Done()) return;
  doneReported_ = true;
  std::function<void()> onDone = onDone_;
  Stop();
  if (onDone) onDone();
}

std::optional<int32_t> SessionPlayer::AwaitBox(const RecordedStep& box) {
  if (!ReplaysSteps() || Done() || !attached_) return std::nullopt;
  const std::string shown = "showed the message box " + QuoteForMessage(box.text) + " (" +
                            std::string(kBoxButtonNames[box.buttons]) + ")";
  awaitingBox_ = true;
  boxDue_ = false;
  Schedule();
  if (options_.runLoop) options_.runLoop([this] { return boxDue_ || Done() || !ticket_; });
  awaitingBox_ = false;
  const RecordedEntry* next = session_->Peek();
  if (!boxDue_ || !next || !IsBox(*next)) {
    session_->Diverge(shown);
    return std::nullopt;
  }
  boxDue_ = false;
  RecordedStep asked = box;
  asked.number = next->step.number;
  if (!(next->step == asked)) {
    session_->Diverge(shown);
    return std::nullopt;
  }
  const int32_t answer = next->step.number;
  session_->Consume();
  return answer;
}

}  // namespace zqk
