#include "tools/zqk-script/ScriptRunner.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "agent/VirtualUiThread.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/LogTimestamp.h"
#include "dialog/SessionPlayer.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "text/Cp949.h"
#include "tools/zqk-script/CallRecordDrain.h"
#include "tools/zqk-script/ScriptHost.h"

namespace zqk::script {
namespace {

// One log line as UTF-8 on one output line: control bytes are escaped.
std::string LogLineForOutput(std::string_view cp949) {
  std::string out;
  for (const char c : Cp949ToUtf8(cp949)) AppendEscapingControlBytes(out, c);
  return out;
}

std::string ArgForOutput(const AgentArg& a) {
  return a.type == ValueType::kLong ? std::to_string(a.i4) : QuoteForOutput(a.str);
}

std::string ResultForOutput(const AgentResult& r) {
  if (r.status != ZQK_OK) return "error " + QuoteForOutput(r.str);
  switch (r.type) {
    case ValueType::kLong:
      return std::to_string(r.i4);
    case ValueType::kString:
      return QuoteForOutput(r.str);
    case ValueType::kEmpty:
      break;
  }
  return "(none)";
}

class Runner {
 public:
  Runner(const RunOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err), host_(out) {
    CZQKCommClientDlg::Environment env;
    env.host = &host_;
    env.uiThread = &ui_;
    env.executableDir = options.executableDir;
    env.componentRegistry = options.componentRegistry;
    dlg_ = std::make_unique<CZQKCommClientDlg>(std::move(env));
    drain_ = std::make_unique<CallRecordDrain>(dlg_->Agent());
    EventLog& log = dlg_->Log();
    log.AddListener([this, &log](LogChange change) {
      if (change != LogChange::kAppended) return;
      std::string_view line = log.Line(LineIndex{log.Count() - 1});
      if (!options_.timestamps) line = StripLogTimestamp(line);
      out_ << LogLineForOutput(line) << '\n';
      drain_->LineLogged();
    });
    // Connect says nothing when the agent cannot be created, as the dialog
    // must; a script run still learns why.
    dlg_->Agent().SetCreateFailureObserver([this](std::string_view error) {
      if (options_.traceCalls) {
        out_ << kOutputPrefix << "create -> error " << QuoteForOutput(error) << '\n';
      }
      err_ << "line " << line_ << ": the agent cannot be created: " << LogLineForOutput(error)
           << '\n';
    });
    if (options.traceCalls) {
      dlg_->Agent().SetCallObserver(
          [this](const OperationInfo& op, std::span<const AgentArg> args, const AgentResult& r) {
            // The driver's own requests to the fixture are not the dialog's calls.
            if (!FindOperation(static_cast<int32_t>(op.dispid))) return;
            out_ << kOutputPrefix << "call " << op.name << '(';
            for (size_t i = 0; i < args.size(); ++i)
              out_ << (i ? ", " : "") << ArgForOutput(args[i]);
            out_ << ") -> " << ResultForOutput(r) << '\n';
          });
    }
  }

  RunStatus Run(const std::vector<Step>& steps) {
    dlg_->OnInitDialog();
    Settle();
    if (options_.replay) StartReplay();
    // After the replay's state: a recording of a replay starts where it does.
    if (!options_.recordFile.empty()) {
      std::string reason;
      if (!dlg_->StartRecording(options_.recordFile, &reason)) {
        err_ << "zqk-script: --record " << options_.recordFile.string() << ": " << reason << '\n';
        return RunStatus::kBadScript;
      }
    }
    Settle();
    RunStatus status = player_ && player_->ReplaysSteps() ? PlayRecording() : RunSteps(steps);
    EndReplayedScript();
    // The end of a script closes the dialog as its close box does.
    dlg_->OnDestroy();
    Settle();
    status = std::max(status, EndReplay());
    status = std::max(status, EndRecording());
    out_.flush();
    return status;
  }

 private:
  RunStatus RunSteps(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      line_ = step.line;
      if (host_.Ended()) {
        Fail("the dialog is closed");
        return RunStatus::kFailed;
      }
      if (!std::visit([this](const auto& a) { return Do(a); }, step.action)) {
        return RunStatus::kFailed;
      }
      Settle();
      drain_->StepDone();
      if (Diverged()) return RunStatus::kFailed;
    }
    return RunStatus::kOk;
  }

  void StartReplay() {
    SessionPlayer::Options player;
    player.runLoop = [this](const std::function<bool()>& done) {
      while (!done()) {
        const std::optional<int64_t> due = player_->NextDueMs();
        if (!due || !AdvanceTo(*due)) return;
      }
    };
    player_ = std::make_unique<SessionPlayer>(*dlg_, ui_, options_.replay, std::move(player));
    player_->Start();
  }

  bool AdvanceTo(int64_t ms) {
    return ui_.Advance(static_cast<uint32_t>(std::max<int64_t>(0, ms - ui_.NowMs())));
  }

  // The recorded steps, each at its time on the virtual clock.
  RunStatus PlayRecording() {
    while (!player_->Done()) {
      const std::optional<int64_t> due = player_->NextDueMs();
      if (!due) {
        player_->Session().Diverge("stopped");
        break;
      }
      if (!AdvanceTo(*due)) {
        Fail("the agent keeps posting work without letting time pass");
        return RunStatus::kFailed;
      }
      dlg_->FlushRecording();
    }
    return Diverged() ? RunStatus::kFailed : RunStatus::kOk;
  }

  // A script that has used up the recording closes the dialog without it;
  // one that has not lets the closing's calls meet what is left.
  void EndReplayedScript() {
    if (!player_ || player_->ReplaysSteps() || Diverged()) return;
    if (!player_->Session().Peek()) player_->Stop();
  }

  RunStatus EndReplay() {
    if (!player_) return RunStatus::kOk;
    if (!player_->ReplaysSteps() && !Diverged() && player_->Session().Peek()) {
      player_->Session().Diverge("came to the end of the script");
    }
    player_->Stop();
    if (!Diverged()) return RunStatus::kOk;
    err_ << "zqk-script: the replay diverged: " << player_->Session().Divergence() << '\n';
    return RunStatus::kFailed;
  }

  RunStatus EndRecording() {
    if (options_.recordFile.empty()) return RunStatus::kOk;
    const bool whole = dlg_->IsRecording();
    dlg_->StopRecording();
    if (whole) return RunStatus::kOk;
    err_ << "zqk-script: the recording " << options_.recordFile.string()
         << " stopped before the end of the session\n";
    return RunStatus::kFailed;
  }

  bool Diverged() const { return player_ && player_->Session().Diverged(); }

  void Settle() {
    if (!ui_.RunDue()) Fail("the agent keeps posting work without letting time pass");
    // The end of a pass of the event loop.
    dlg_->FlushRecording();
  }
  bool Fail(const std::string& message) {
    err_ << "line " << line_ << ": " << message << '\n';
    return false;
  }
  void EndIfClosed() {
    if (host_.Ended()) dlg_->OnDestroy();
  }

  bool Do(const SetText& a) {
    dlg_->EditText(a.id, a.text);
    return true;
  }
  bool Do(const Click& a) {
    dlg_->Click(a.id);
    return true;
  }
  bool Do(const Select& a) {
    if (a.index.value >= static_cast<int>(dlg_->Model().Items(a.id).size())) {
      return Fail("list " + std::to_string(a.id.value) + " has no item " +
                  std::to_string(a.index.value));
    }
    dlg_->SelectItem(a.id, a.index);
    return true;
  }
  bool Do(const Answer& a) {
    host_.QueueAnswers(a.answers);
    return true;
  }
  bool Do(const FireEvent& a);
  bool Do(const Wait& a) {
    if (!ui_.Advance(a.ms)) return Fail("the agent keeps posting work without letting time pass");
    dlg_->FlushRecording();
    return true;
  }
  bool Do(const Print& a);
  bool Do(const PrintActivity& a);
  bool Do(const Inspect& a) {
    dlg_->SetInspecting(a.on);
    return true;
  }
  bool Do(const PrintInspect& a);
  bool Do(const PressKey& a) {
    switch (a.key) {
      case Key::kEnter:  // asks first, as Escape does
        dlg_->OnEnterKey();
        break;
      case Key::kEscape:
        dlg_->OnEscapeKey();
        break;
      case Key::kClose:  // the close box ends at once
        dlg_->OnCancel();
        break;
    }
    EndIfClosed();
    return true;
  }
  bool Do(const About&) {
    dlg_->OnSysCommand(kAboutCommandId);
    return true;
  }
  bool Do(const Expect& e);
  bool Do(const CatalogueStep& a) {
    RunCatalogueStep(a, *dlg_, out_);
    return true;
  }
  bool Do(const UseStep& a) {
    RunUseStep(a, *dlg_, out_);
    return true;
  }
  bool Do(const PrintRuler& a) {
    RunPrintRuler(a, *dlg_, out_);
    return true;
  }

  const RunOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  ScriptHost host_;
  VirtualUiThread ui_;
  // Declared before the dialog, so that it outlives the log lines it counts.
  std::unique_ptr<CallRecordDrain> drain_;
  std::unique_ptr<CZQKCommClientDlg> dlg_;
  // After the dialog: it leaves the dialog before the dialog goes.
  std::unique_ptr<SessionPlayer> player_;
  int line_ = 0;
};

// Events are fired by the agent itself, so that the data it delivers with them
// is what the dialog's decoders read: the fixture agent fires on request.
bool Runner::Do(const FireEvent& a) {
  CZQKCommAgent& agent = dlg_->Agent();
  if (!agent.HasWindow()) return Fail("fire needs a connected agent: click Connect (1005) first");
  QJsonArray args;
  for (const auto& arg : a.args) {
    if (const int32_t* i = std::get_if<int32_t>(&arg)) {
      args.append(*i);
      continue;
    }
    const std::string& cp949 = std::get<std::string>(arg);
    const std::string utf8 = Cp949ToUtf8(cp949);
    if (Utf8ToCp949Strict(utf8) == cp949) {
      args.append(QString::fromStdString(utf8));
    } else {  // bytes that are not CP949 text travel as hex
      args.append(QJsonObject{
          {QStringLiteral("hex"), QString::fromLatin1(QByteArray::fromStdString(cp949).toHex())}});
    }
  }
  const std::string json = QJsonDocument(args).toJson(QJsonDocument::Compact).toStdString();
  const EventInfo* info = FindEvent(a.dispid);
  const std::string name = info ? std::string(info->name) : std::to_string(a.dispid);
  const AgentArg callArgs[] = {AgentArg(name), AgentArg(json)};
  try {
    const AgentResult r = agent.InvokeExtension(fixture::kFixtureFireEvent, "FixtureFireEvent",
                                                callArgs, ValueType::kLong);
    if (r.i4 != ZQK_OK)
      return Fail("the dialog refused the event (status " + std::to_string(r.i4) + ")");
  } catch (const AgentError& e) {
    return Fail(std::string("the agent cannot fire events on request (use --agent fixture): ") +
                Cp949ToUtf8(e.what()));
  }
  return true;
}

// Text as "## print ID "text"", any other state with its kind named first.
bool Runner::Do(const Print& a) {
  const ControlModel& m = dlg_->Model();
  out_ << kOutputPrefix << "print ";
  switch (a.what) {
    case ExpectWhat::kText:
    case ExpectWhat::kLastLog:
      out_ << a.id.value << ' ' << QuoteForOutput(m.Text(a.id));
      break;
    case ExpectWhat::kChecked:
      out_ << "checked " << a.id.value << ' ' << m.IsChecked(a.id);
      break;
    case ExpectWhat::kEnabled:
      out_ << "enabled " << a.id.value << ' ' << m.IsEnabled(a.id);
      break;
    case ExpectWhat::kVisible:
      out_ << "visible " << a.id.value << ' ' << m.IsVisible(a.id);
      break;
    case ExpectWhat::kSelected:
      out_ << "selected " << a.id.value << ' ' << m.Selected(a.id).value;
      break;
    case ExpectWhat::kItems:
      out_ << "items " << a.id.value;
      for (const std::string& item : m.Items(a.id)) out_ << ' ' << QuoteForOutput(item);
      break;
  }
  out_ << '\n';
  return true;
}

// The dialog's activity as "## " lines; times are agent milliseconds.
bool Runner::Do(const PrintInspect& a) {
  const ReplyInspector& inspector = dlg_->Inspector();
  if (static_cast<size_t>(a.n) >= inspector.Count()) {
    return Fail("the inspector holds " + std::to_string(inspector.Count()) + " entries, no entry " +
                std::to_string(a.n));
  }
  for (const std::string& line :
       EntryLines(inspector.At(static_cast<size_t>(a.n)), inspect::Language::kEnglish)) {
    out_ << kOutputPrefix << "inspect " << LogLineForOutput(line) << '\n';
  }
  return true;
}

bool Runner::Do(const PrintActivity& a) {
  const ActivityTracker& activity = dlg_->Activity();
  const int64_t now = dlg_->NowMs();
  auto optional = [](const std::optional<int64_t>& v) {
    return v ? std::to_string(*v) : std::string("-");
  };
  if (a.what == ActivityWhat::kFeeds) {
    const std::vector<QuoteFeedActivity> quotes = activity.QuoteFeeds(now);
    const std::vector<OrderFeedActivity> orders = activity.OrderFeeds();
    out_ << kOutputPrefix << "feeds quote=" << quotes.size() << " order=" << orders.size() << '\n';
    for (const QuoteFeedActivity& f : quotes) {
      out_ << kOutputPrefix << "quote-feed key=" << QuoteForOutput(f.key) << " type=" << f.realType
           << " records=" << f.records << " per-second=";
      if (f.perSecond) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.1f", *f.perSecond);
        out_ << rate;
      } else {
        out_ << '-';
      }
      out_ << '\n';
    }
    for (const OrderFeedActivity& f : orders) {
      out_ << kOutputPrefix << "order-feed account=" << QuoteForOutput(f.account)
           << " records=" << f.records << '\n';
    }
    return true;
  }
  static constexpr const char* kEnds[] = {"answered", "refused", "dropped", "no-answer"};
  const std::vector<InFlightRequest> flights = activity.InFlight();
  out_ << kOutputPrefix << "requests in-flight=" << flights.size()
       << " finished=" << activity.Finished().size() << '\n';
  for (const InFlightRequest& r : flights) {
    out_ << kOutputPrefix << "in-flight rqid=" << r.rqId << " code=" << QuoteForOutput(r.code)
         << " sent=" << r.sentMs << " pages=" << r.pagesSoFar << '\n';
  }
  for (const FinishedRequest& r : activity.Finished()) {
    out_ << kOutputPrefix << "finished rqid=" << r.rqId << " code=" << QuoteForOutput(r.code)
         << " sent=" << r.sentMs << " end=" << kEnds[static_cast<int>(r.end)]
         << " pages=" << r.pageLatencyMs.size() << " latency=";
    for (size_t i = 0; i < r.pageLatencyMs.size(); ++i)
      out_ << (i ? "," : "") << r.pageLatencyMs[i];
    if (r.pageLatencyMs.empty()) out_ << '-';
    out_ << '\n';
  }
  for (const CodeActivity& c : activity.Codes()) {
    out_ << kOutputPrefix << "code " << QuoteForOutput(c.code) << " requests=" << c.requests
         << " pages=" << c.pages << " refused=" << c.refused << " dropped=" << c.dropped
         << " no-answer=" << c.noAnswer << " median=" << optional(c.medianMs)
         << " p99=" << optional(c.p99Ms) << " max=" << optional(c.maxMs) << '\n';
  }
  return true;
}

bool Runner::Do(const Expect& e) {
  const ControlModel& m = dlg_->Model();
  std::ostringstream why;
  bool ok = true;
  switch (e.what) {
    case ExpectWhat::kText:
      ok = m.Text(e.id) == e.texts[0];
      if (!ok) why << "text of " << e.id.value << " is " << QuoteForOutput(m.Text(e.id));
      break;
    case ExpectWhat::kChecked:
      ok = m.IsChecked(e.id) == (e.number == 1);
      if (!ok) why << e.id.value << " is " << (m.IsChecked(e.id) ? "" : "not ") << "checked";
      break;
    case ExpectWhat::kEnabled:
      ok = m.IsEnabled(e.id) == (e.number == 1);
      if (!ok) why << e.id.value << " is " << (m.IsEnabled(e.id) ? "enabled" : "disabled");
      break;
    case ExpectWhat::kVisible:
      ok = m.IsVisible(e.id) == (e.number == 1);
      if (!ok) why << e.id.value << " is " << (m.IsVisible(e.id) ? "visible" : "hidden");
      break;
    case ExpectWhat::kSelected:
      ok = m.Selected(e.id).value == e.number;
      if (!ok) why << "selected index of " << e.id.value << " is " << m.Selected(e.id).value;
      break;
    case ExpectWhat::kItems:
      ok = m.Items(e.id) == e.texts;
      if (!ok) {
        why << "items of " << e.id.value << " are";
        for (const std::string& item : m.Items(e.id)) why << ' ' << QuoteForOutput(item);
      }
      break;
    case ExpectWhat::kLastLog: {
      const EventLog& log = dlg_->Log();
      const std::string_view last = log.Empty()
                                        ? std::string_view()
                                        : StripLogTimestamp(log.Line(LineIndex{log.Count() - 1}));
      ok = last == e.texts[0];
      if (!ok) why << "last log line is " << QuoteForOutput(last);
      break;
    }
  }
  return ok || Fail("expectation failed: " + why.str());
}

}  // namespace

RunStatus RunScript(const std::vector<Step>& steps, const RunOptions& options, std::ostream& out,
                    std::ostream& err) {
  return Runner(options, out, err).Run(steps);
}

}  // namespace zqk::script
