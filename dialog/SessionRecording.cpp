// Session recording from the dialog's side: the state a recording starts
// from, the user steps, and the recorder's life (docs/recording.md).
#include <utility>

#include "agent/SessionEntry.h"
#include "agent/SessionRecorder.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/SessionPlayer.h"
#include "text/Cp949.h"

namespace zqk {
namespace {

// The dialog's members that a recording's state holds, by name.
struct Member {
  std::string_view name;
  std::string CZQKCommClientDlg::*member;
};
constexpr Member kMembers[] = {
    {"userId", &CZQKCommClientDlg::m_strUserId},
    {"password", &CZQKCommClientDlg::m_strPassword},
    {"certPassword", &CZQKCommClientDlg::m_strCertPassword},
    {"nextKey", &CZQKCommClientDlg::m_strNextKey},
    {"lastOrderNo", &CZQKCommClientDlg::m_strLastOrderNo},
};

}  // namespace

bool CZQKCommClientDlg::StartRecording(const std::filesystem::path& file, std::string* reason) {
  StopRecording();
  UiThread* ui = env_.uiThread;
  recorder_ = SessionRecorder::Start(
      file, kAgentClassId, [ui] { return ui->NowMs(); }, reason);
  if (!recorder_) return false;
  // A failed write stops the recording inside whatever wrote; the user hears
  // of it once that is over.
  recorder_->SetFailureHandler([this, alive = std::weak_ptr<bool>(alive_)](const std::string& why) {
    env_.uiThread->Post(
        [this, alive, why] {
          if (alive.expired()) return;
          StopRecording();
          sessionHost_->Inner().ShowMessageBox(
              std::string(Lang("세션 기록을 멈췄습니다: ", "Session recording stopped: ")) +
                  Utf8ToCp949(why),
              kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
        },
        0);
  });
  recorder_->State(CaptureState());
  // The inspector reading already is the step that turned it on, first.
  if (inspector_.Enabled()) recorder_->Step({.kind = StepKind::kInspect, .number = 1});
  m_agent.SetRecorder(recorder_.get());
  return true;
}

bool CZQKCommClientDlg::StartRecordingOrSayWhy(const std::filesystem::path& file) {
  std::string reason;
  if (StartRecording(file, &reason)) return true;
  sessionHost_->Inner().ShowMessageBox(
      std::string(Lang("세션 기록을 시작할 수 없습니다: ", "The session cannot be recorded: ")) +
          Utf8ToCp949(file.string() + ": " + reason),
      kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
  return false;
}

void CZQKCommClientDlg::StopRecording() {
  m_agent.SetRecorder(nullptr);
  recorder_.reset();
}

bool CZQKCommClientDlg::IsRecording() const {
  return recorder_ && recorder_->Active();
}

void CZQKCommClientDlg::FlushRecording() {
  if (recorder_) recorder_->Flush();
}

void CZQKCommClientDlg::TapStep(const RecordedStep& step) {
  if (recorder_) recorder_->Step(step);
  if (player_) player_->Session().MatchStep(step);
}

RecordedState CZQKCommClientDlg::CaptureState() const {
  RecordedState state;
  state.controlUp = m_agent.HasWindow();
  for (const Member& m : kMembers) state.members.emplace_back(m.name, this->*m.member);
  for (const ControlTemplate& c : model_.Dialog().controls) {
    if (c.id == kStaticId) continue;
    state.controls.push_back({.id = c.id.value,
                              .text = model_.Text(c.id),
                              .checked = model_.IsChecked(c.id),
                              .enabled = model_.IsEnabled(c.id),
                              .visible = model_.IsVisible(c.id),
                              .items = model_.Items(c.id),
                              .selected = model_.Selected(c.id).value});
  }
  return state;
}

void CZQKCommClientDlg::ApplyRecordedState(const RecordedState& state) {
  for (const auto& [name, value] : state.members) {
    for (const Member& m : kMembers) {
      if (m.name == name) this->*m.member = value;
    }
  }
  for (const RecordedControl& c : state.controls) {
    const ControlId id{c.id};
    model_.SetText(id, c.text);
    model_.SetChecked(id, c.checked);
    model_.SetEnabled(id, c.enabled);
    model_.SetVisible(id, c.visible);
    if (model_.Items(id) != c.items) {
      model_.ResetContent(id);
      for (const std::string& item : c.items) model_.AddItem(id, item);
    }
    model_.SetSelected(id, ListIndex{c.selected});
  }
  if (state.controlUp && !m_agent.HasWindow()) CreateAgentControl();
}

}  // namespace zqk
