#include "dialog/CZQKCommClientDlg.h"

#include <utility>

#include "agent/SessionEntry.h"
#include "agent/SessionRecorder.h"
#include "dialog/LogFile.h"
#include "dialog/LogTimestamp.h"
#include "dialog/SessionPlayer.h"
#include "dialog/SessionStepScope.h"

namespace zqk {

CZQKCommClientDlg::CZQKCommClientDlg(Environment env)
    : env_(std::move(env)),
      sessionHost_(std::make_unique<SessionHost>(*this, *env_.host)),
      model_(MainDialogTemplate()),
      m_agent(*env_.uiThread, *this, env_.componentRegistry) {
  env_.host = sessionHost_.get();
  // The template's initial data: one item in each drop-down list.
  for (const ControlTemplate& c : model_.Dialog().controls) {
    if (c.kind == ControlKind::kDropDownList) model_.AddItem(c.id, kInitialListItem);
  }
}

CZQKCommClientDlg::~CZQKCommClientDlg() {
  *alive_ = false;
  // The agent goes first: its last calls may still be recorded.
  m_agent.DestroyWindow();
  StopRecording();
}

int64_t CZQKCommClientDlg::NowMs() const {
  return env_.uiThread->NowMs();
}

const ActivityTracker& CZQKCommClientDlg::Activity() {
  activity_.Expire(NowMs());
  return activity_;
}

std::filesystem::path CZQKCommClientDlg::LogFilePath() const {
  return env_.executableDir / kLogFileName;
}

void CZQKCommClientDlg::OnInitDialog() {
  // Data exchange: the (empty) members into edits 1002-1004.
  model_.SetText(id::kUserId, m_strUserId);
  model_.SetText(id::kPassword, m_strPassword);
  model_.SetText(id::kCertPassword, m_strCertPassword);

  model_.SetChecked(id::kTrMode, true);
  model_.SetChecked(id::kDomestic, true);
  model_.SetChecked(id::kFidMode, false);
  model_.SetChecked(id::kOverseas, false);
  model_.SetChecked(id::kFxMargin, false);
  OnDomestic();
  m_strLastOrderNo.clear();
  m_strNextKey.clear();
  OnTrMode();
  model_.SetChecked(id::kKorean, true);
  model_.SetChecked(id::kEnglish, false);
  ApplyLanguage();
  model_.SetText(id::kInfoName, "시스템구분");
  for (ControlId list :
       {id::kBuySell, id::kPriceType, id::kFillCondition, id::kStrategy, id::kOrderKind}) {
    model_.SetSelected(list, ListIndex{0});
  }
  ShowStrategyFields(false);
}

void CZQKCommClientDlg::Click(ControlId id) {
  if (destroyed_) return;
  const StepScope step(*this, {.kind = StepKind::kClick, .control = id.value});
  model_.ApplyClick(id);
  Dispatch(id, Notification::kClicked);
}

void CZQKCommClientDlg::SelectItem(ControlId id, ListIndex index) {
  if (destroyed_) return;
  const StepScope step(*this,
                       {.kind = StepKind::kSelect, .control = id.value, .number = index.value});
  model_.SetSelected(id, index);
  Dispatch(id, Notification::kSelectionChanged);
}

void CZQKCommClientDlg::EditText(ControlId id, std::string_view text) {
  const StepScope step(*this,
                       {.kind = StepKind::kSet, .control = id.value, .text = std::string(text)});
  model_.SetText(id, text);
}

void CZQKCommClientDlg::OnOK() {
  const StepScope step(*this, {.kind = StepKind::kOk});
  // The framework's OK: data exchange from edits 1002-1004, then end.
  m_strUserId = model_.Text(id::kUserId);
  m_strPassword = model_.Text(id::kPassword);
  m_strCertPassword = model_.Text(id::kCertPassword);
  env_.host->EndDialog(DialogResult::kOk);
}

void CZQKCommClientDlg::OnCancel() {
  const StepScope step(*this, {.kind = StepKind::kCancel});
  env_.host->EndDialog(DialogResult::kCancel);
}

void CZQKCommClientDlg::OnSysCommand(int commandId) {
  const StepScope step(*this, {.kind = StepKind::kSysCommand, .number = commandId});
  if ((commandId & 0xFFF0) == kAboutCommandId) env_.host->ShowAbout();
}

void CZQKCommClientDlg::SetInspecting(bool on) {
  if (inspector_.Enabled() == on) return;
  // A window closed after the dialog's end is no step of the session.
  if (destroyed_) {
    inspector_.SetEnabled(on);
    return;
  }
  const StepScope step(*this, {.kind = StepKind::kInspect, .number = on ? 1 : 0});
  inspector_.SetEnabled(on);
}

void CZQKCommClientDlg::OnDestroy() {
  if (destroyed_) return;
  const StepScope step(*this, {.kind = StepKind::kDestroy});
  Guarded([this] { OnDisconnect(); });
  destroyed_ = true;
}

void CZQKCommClientDlg::Guarded(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const AgentError& e) {
    env_.host->ShowMessageBox(e.what(), kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kError);
  }
}

void CZQKCommClientDlg::Dispatch(ControlId id, Notification notification) {
  for (const MessageMapEntry& entry : MessageMap()) {
    if (entry.id == id && entry.notification == notification) {
      Guarded([this, &entry] { (this->*entry.handler)(); });
      return;
    }
  }
}

void CZQKCommClientDlg::AddLog(std::string_view text) {
  const std::time_t now = env_.clock();
  if (now != stampTime_) {
    stampTime_ = now;
    stampText_ = FormatLogTimestamp(now);
  }
  logLine_.assign(stampText_).append(text);
  const size_t n = log_.Count();
  log_.Append(logLine_);
  if (n > 0) log_.Select(LineIndex{n});
}

bool CZQKCommClientDlg::IsKorean() const {
  return model_.IsChecked(id::kKorean);
}

std::string_view CZQKCommClientDlg::Lang(std::string_view korean, std::string_view english) const {
  return IsKorean() ? korean : english;
}

}  // namespace zqk
