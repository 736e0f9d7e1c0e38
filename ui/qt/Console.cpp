#include "ui/qt/Console.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "agent/abi/ComponentRegistry.h"
#include "text/Cp949.h"

namespace zqk {

CZQKCommClientDlg::Environment Console::MakeEnvironment(
    QtDialogHost& host, UiThread& uiThread, const std::filesystem::path& executableDir) {
  CZQKCommClientDlg::Environment env;
  env.host = &host;
  env.uiThread = &uiThread;
  env.executableDir = executableDir;
  env.componentRegistry = DefaultComponentRegistryPath();
  return env;
}

Console::Console(QtDialogHost& host, const std::filesystem::path& executableDir,
                 ConsoleSession session)
    : host_(host), dlg_(MakeEnvironment(host, uiThread_, executableDir)), window_(dlg_) {
  host_.SetWindow(&window_);
  dlg_.OnInitDialog();
  if (session.replay) StartReplay(session);
  if (!session.recordFile.empty()) dlg_.StartRecordingOrSayWhy(session.recordFile);
  // A recording's lines are written whole at the end of each pass of the
  // event loop, before it waits for more.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &window_,
                     [this] { dlg_.FlushRecording(); });
  }
  window_.show();
}

Console::~Console() {
  Destroy();
}

void Console::StartReplay(const ConsoleSession& session) {
  SessionPlayer::Options options;
  options.speed = session.replaySpeed;
  // A message box of the recording: the loop runs on until its moment.
  options.runLoop = [this](const std::function<bool()>& done) {
    while (!done() && player_ && player_->NextDueMs()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  };
  player_ = std::make_unique<SessionPlayer>(dlg_, uiThread_, session.replay, std::move(options));
  player_->SetDoneHandler([this] {
    // Told from the loop, not from inside the replay's last step.
    QTimer::singleShot(0, &window_, [this] { ReplayDone(); });
  });
  host_.SetReplaying(true);
  player_->Start();
}

void Console::ReplayDone() {
  if (!player_) return;
  host_.SetReplaying(false);
  const ReplaySession& session = player_->Session();
  const std::string file = Utf8ToCp949(session.File().string());
  if (session.Diverged()) {
    std::string text(dlg_.Lang("세션 재생이 멈췄습니다 (", "The replay of "));
    text.append(file).append(dlg_.Lang("): ", " stopped: "));
    text.append(Utf8ToCp949(session.Divergence()));
    host_.ShowMessageBox(text, kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
  } else {
    std::string text(dlg_.Lang("세션 재생이 끝났습니다: ", "The replay has ended: "));
    text.append(file);
    host_.ShowMessageBox(text, kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kInformation);
  }
}

void Console::Destroy() {
  // A replay that has come to the recorded end of the session plays it;
  // one cut short by the window's close ends here.
  if (player_ && !player_->Expects(StepKind::kDestroy)) player_->Stop();
  host_.SetReplaying(false);
  host_.SetWindow(nullptr);
  dlg_.OnDestroy();
}

}  // namespace zqk
