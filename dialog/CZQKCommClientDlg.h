#pragma once
// The console's main dialog: owns the control model, the event log and the
// agent wrapper; every command and every agent event is one of its handlers,
// reached through its message map and its event-sink map.

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "agent/CZQKCommAgent.h"
#include "dialog/ActivityTracker.h"
#include "dialog/ControlModel.h"
#include "dialog/DialogHost.h"
#include "dialog/EventLog.h"
#include "dialog/ReplyInspector.h"
#include "dialog/SessionHost.h"

namespace zqk {

class SessionPlayer;
class SessionRecorder;
struct RecordedState;
struct RecordedStep;

enum class Notification { kClicked, kSelectionChanged };

class CZQKCommClientDlg : public AgentEventSink {
 public:
  struct Environment {
    DialogHost* host = nullptr;
    UiThread* uiThread = nullptr;
    // The directory of the running executable: ocx_log.log and mst/ live there.
    std::filesystem::path executableDir;
    // The per-user component registry that resolves the agent's class ID.
    std::filesystem::path componentRegistry;
    // The clock of the log's timestamps (seconds since the epoch).
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
  };

  explicit CZQKCommClientDlg(Environment env);
  ~CZQKCommClientDlg() override;
  CZQKCommClientDlg(const CZQKCommClientDlg&) = delete;
  CZQKCommClientDlg& operator=(const CZQKCommClientDlg&) = delete;

  ControlModel& Model() { return model_; }
  const ControlModel& Model() const { return model_; }
  EventLog& Log() { return log_; }
  // The requests and feeds of the session, those given up for want of an
  // answer moved out of the flight first (no agent call).
  const ActivityTracker& Activity();
  // The reply inspector: off until a window or a script turns it on.
  ReplyInspector& Inspector() { return inspector_; }
  const ReplyInspector& Inspector() const { return inspector_; }
  // The user turns the inspector's reading on or off (its window opens or
  // closes, a script's step): a recorded step, since it changes the calls
  // the console makes. Nothing happens when it is already so.
  void SetInspecting(bool on);
  // Agent time (ms), the activity's clock.
  int64_t NowMs() const;
  CZQKCommAgent& Agent() { return m_agent; }
  const std::filesystem::path& ExecutableDir() const { return env_.executableDir; }
  std::filesystem::path LogFilePath() const;

  // --- What the view (or the headless driver) reports of the user ---------
  // Once, after construction: the framework's dialog initialisation.
  void OnInitDialog();
  // A click on a button: check state first, then the command of the click.
  void Click(ControlId id);
  // The user picked an item of a drop-down list: selection, then command.
  void SelectItem(ControlId id, ListIndex index);
  // The user edited a control's text; no command runs.
  void EditText(ControlId id, std::string_view text);
  // Enter and Escape: the user is asked first, then OnOK or OnCancel end
  // the dialog. A stray key must not sign out and lose the unsaved log.
  void OnEnterKey();
  void OnEscapeKey();
  // Enter (through OK), Escape and the close box (through Cancel); the close
  // box and the system menu's Close end the dialog without asking.
  void OnOK();
  void OnCancel();
  // A system-menu command (the About item is kAboutCommandId).
  void OnSysCommand(int commandId);
  // The window is being destroyed; runs once.
  void OnDestroy();
  bool Destroyed() const { return destroyed_; }

  // The event-sink map: the four agent events, on the UI thread.
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override;

  // Appends one timestamped line to the event log.
  void AddLog(std::string_view text);

  // --- Session recording and replay (docs/recording.md) -----------------
  // Records from now on into `file` (created or emptied), beginning with the
  // state of the moment: every agent call and event (through the agent
  // wrapper), every user step and every message box. False and a UTF-8
  // reason when the file cannot be written.
  bool StartRecording(const std::filesystem::path& file, std::string* reason);
  // The same, telling the user in a message box when it cannot start.
  bool StartRecordingOrSayWhy(const std::filesystem::path& file);
  void StopRecording();
  // False also once a write failed (the user has been told).
  bool IsRecording() const;
  // Writes the lines the recording holds back: at the end of each pass of
  // the event loop.
  void FlushRecording();
  SessionRecorder* Recorder() const { return recorder_.get(); }
  // The replay the dialog takes part in; SessionPlayer sets it.
  void SetPlayer(SessionPlayer* player) { player_ = player; }
  SessionPlayer* Player() const { return player_; }
  // The controls' state and the members, as a recording starts from them.
  RecordedState CaptureState() const;
  void ApplyRecordedState(const RecordedState& state);

  // Members bound to edits 1002-1004 and shared between handlers.
  std::string m_strUserId;
  std::string m_strPassword;
  std::string m_strCertPassword;
  std::string m_strNextKey;
  std::string m_strLastOrderNo;

  // --- Handlers (message map) -------------------------------------------
  void OnLogin();
  void OnLogout();
  void OnConnect();
  void OnDisconnect();
  void OnTrMode();
  void OnFidMode();
  void OnRqTest();
  void OnDomestic();
  void OnOverseas();
  void OnFxMargin();
  void OnOrderTrChange();
  void OnApplyOrder();
  void OnLanguage();
  void OnSaveLog();
  void OnClearLog();
  void OnRealRegister();
  void OnRealUnregister();
  void OnSendOrder();
  void OnOrderRealRegister();
  void OnOrderRealUnregister();
  void OnOverseasAllMst();
  void OnOverseasFuturesMst();
  void OnOverseasOptionMst();
  void OnDomesticTDays();
  void OnOverseasTDays();
  void OnGetInfoTest();
  // The query command again with continuation key `nextKey` (a paged reply
  // the user chose to continue).
  void ContinueQuery(std::string nextKey);

  // --- Handlers (event-sink map) ----------------------------------------
  void OnTrReply(const std::string& trCode, int32_t rqId);
  void OnRealData(const std::string& key, int32_t realType);
  void OnAgentMessage(const std::string& code, const std::string& text);
  void OnRequestMessage(int32_t rqId, const std::string& code, const std::string& text);

  // --- Routines ---------------------------------------------------------
  void ApplyLanguage();
  void FillOrderTrCombo();
  void ShowStrategyFields(bool show);
  // The display language of the moment: radio 1068 checked means Korean.
  bool IsKorean() const;
  // The Korean or the English text, by the display language of the moment.
  std::string_view Lang(std::string_view korean, std::string_view english) const;

 private:
  using Handler = void (CZQKCommClientDlg::*)();
  struct MessageMapEntry {
    ControlId id;
    Notification notification;
    Handler handler;
  };
  static std::span<const MessageMapEntry> MessageMap();
  void Dispatch(ControlId id, Notification notification);
  // Runs a command or an event; an AgentError becomes a message box and
  // abandons it.
  void Guarded(const std::function<void()>& fn);
  // "Exit the console?", No the default.
  bool ConfirmExit();
  // Creates the agent control as Connect does.
  void CreateAgentControl();
  // A user step as it reaches the dialog: recorded, and matched against a
  // replay. Steps that a step's own handling passes on are not.
  class StepScope;
  void TapStep(const RecordedStep& step);

  Environment env_;
  // Between the dialog and its host (env_.host points here).
  std::unique_ptr<SessionHost> sessionHost_;
  ControlModel model_;
  EventLog log_;
  ActivityTracker activity_;
  ReplyInspector inspector_;
  // The RQID of the reply being decoded (its next page is a continuation of
  // it), and that of the reply whose next page is being asked for.
  std::optional<int32_t> decodingRqId_;
  std::optional<int32_t> continuing_;
  CZQKCommAgent m_agent;
  bool destroyed_ = false;
  std::time_t stampTime_ = -1;
  std::string stampText_;
  // The line being added, kept so that a line costs no allocation of its own.
  std::string logLine_;
  std::unique_ptr<SessionRecorder> recorder_;
  SessionPlayer* player_ = nullptr;
  int stepDepth_ = 0;
  // Work posted for later asks this whether the dialog still exists.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zqk
