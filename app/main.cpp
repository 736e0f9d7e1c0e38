// CZQKCommClientApp: the console's start-up. The agent component beside the
// executable registers itself at every start, then the main dialog runs until
// it is closed; its destruction stops the agent. Its log and mst/ are beside
// the executable, or in the user's data folder where that cannot be written.
#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ConsoleOptions.h"
#include "app/DataFolder.h"
#include "app/Startup.h"
#include "dialog/SessionPlayer.h"
#include "text/Cp949.h"
#include "ui/qt/ApplicationIcon.h"
#include "ui/qt/Console.h"

namespace zqk {
namespace {

class CZQKCommClientApp {
 public:
  CZQKCommClientApp(int& argc, char** argv) : app_(argc, argv) {
    // The dialog's end, not the last closed window, ends the program: a
    // start-up message box closing before the dialog opens must not.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("ZQKCommClient"));
    // The desktop entry the window belongs to, for its icon in task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral("zqkcommclient"));
    QApplication::setWindowIcon(ApplicationIcon());
    // What Qt leaves of the line once it has taken its own options.
    for (int i = 1; i < argc; ++i) args_.emplace_back(argv[i]);
  }

  int InitInstance() {
    // Start-up messages come before the window: the host has none yet.
    QtDialogHost host;
    ConsoleSession session;
    if (!ReadCommandLine(host, session)) return 2;
    RegisterAgentAtStartup(host);
    // A system install keeps the log and mst/ in the user's data folder.
    const DataFolder data = ChooseDataFolder(ExecutableDirectory());
    if (data.notice) std::fprintf(stderr, "%s\n", data.notice->c_str());
    Console console(host, data.path, session);
    QObject::connect(&console.Window(), &DialogView::finished, &app_, &QApplication::quit);
    QApplication::exec();
    // The window is closed; the dialog's destruction stops the agent.
    console.Destroy();
    return 0;
  }

 private:
  // False, once the user has been told why, for a line that cannot be used.
  bool ReadCommandLine(QtDialogHost& host, ConsoleSession& session) {
    const std::vector<std::string_view> args(args_.begin(), args_.end());
    auto parsed = ParseConsoleOptions(args);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
      std::string text = *error;
      text.append(1, '\n').append(kConsoleUsage);
      return Refuse(host, text);
    }
    const ConsoleOptions& options = std::get<ConsoleOptions>(parsed);
    session.recordFile = options.recordFile;
    session.replaySpeed = options.replaySpeed;
    if (options.replayFile.empty()) return true;
    // Checked to its end before the window opens.
    RecordingError error;
    session.replay =
        SessionPlayer::OpenRecording(options.replayFile, ReplaySession::Steps::kReplayed, &error);
    if (session.replay) return true;
    // As zqk-script says it: FILE:LINE: reason.
    std::string text = options.replayFile.string();
    if (error.line > 0) text.append(1, ':').append(std::to_string(error.line));
    text.append(": ").append(error.reason);
    return Refuse(host, text);
  }

  static bool Refuse(QtDialogHost& host, const std::string& utf8) {
    std::cerr << "ZQKCommClient: " << utf8 << "\n";
    host.ShowMessageBox(Utf8ToCp949(utf8), kAppTitle, MessageBoxButtons::kOk,
                        MessageBoxIcon::kExclamation);
    return false;
  }

  QApplication app_;
  std::vector<std::string> args_;
};

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  zqk::CZQKCommClientApp app(argc, argv);
  return app.InitInstance();
}
