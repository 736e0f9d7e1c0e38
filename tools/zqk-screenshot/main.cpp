// zqk-screenshot OUT.png: opens the real main window with the sandbox agent
// beside this tool, connects, signs in as the sandbox's demo user and sends the
// domestic sample query, then saves a picture of the window. The component
// registry goes to a temporary configuration directory, so the user's own is
// left alone. For the documentation; the console itself reads no command line.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/Startup.h"
#include "text/Cp949.h"
#include "ui/qt/Console.h"

namespace zqk {
namespace {

// Message boxes go to standard error and are answered at once: nobody is
// there to press a button.
class UnattendedHost : public QtDialogHost {
 public:
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon) override {
    std::fprintf(stderr, "[%s] %s\n", Cp949ToUtf8(caption).c_str(), Cp949ToUtf8(text).c_str());
    return IsYesNo(buttons) ? MessageBoxResult::kNo : MessageBoxResult::kOk;
  }
};

int Run(const QString& out) {
  QTemporaryDir config;
  QTemporaryDir executableDir;
  if (!config.isValid() || !executableDir.isValid()) {
    std::fprintf(stderr, "zqk-screenshot: no temporary directory\n");
    return 1;
  }
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

  UnattendedHost host;
  RegisterAgentAtStartup(host);
  Console console(host, QFile::encodeName(executableDir.path()).toStdString());
  CZQKCommClientDlg& dlg = console.Dialog();
  if (!QTest::qWaitForWindowExposed(&console.Window())) {
    std::fprintf(stderr, "zqk-screenshot: the window was not shown\n");
    return 1;
  }

  dlg.EditText(id::kUserId, "demo");
  dlg.EditText(id::kPassword, "demo1234");
  dlg.EditText(id::kCertPassword, "cert1234");
  for (ControlId command : {id::kConnect, id::kLogin, id::kRqTest}) {
    dlg.Click(command);
    QTest::qWait(600);  // the agent's replies arrive as events
  }

  const bool saved = console.Window().grab().save(out, "PNG");
  console.Destroy();
  if (!saved) {
    std::fprintf(stderr, "zqk-screenshot: cannot write %s\n", QFile::encodeName(out).constData());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: zqk-screenshot OUT.png\n");
    return 2;
  }
  return zqk::Run(QFile::decodeName(argv[1]));
}
