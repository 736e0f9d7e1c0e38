// zqk-screenshot OUT.png: opens the real main window with the sandbox agent
// beside this tool, connects, signs in as the sandbox's demo user and sends the
// domestic sample query, then saves a picture of the window.
// zqk-screenshot --inspector OUT.png: the reply inspector's window instead,
// showing a page of o51200 minute bars field by field. The component
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
#include "ui/qt/InspectorWindow.h"
#include "ui/qt/ToolWindows.h"

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

// Opens the inspector, asks for a page of minute bars and shows that reply.
QWidget* ShowInspector(Console& console) {
  CZQKCommClientDlg& dlg = console.Dialog();
  const std::span<const ToolWindowItem> items = ToolWindowItems();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].key == Qt::Key_F3) console.Window().OpenToolWindow(i);
  }
  auto* inspector = console.Window().findChild<InspectorWindow*>();
  if (!inspector) return nullptr;
  dlg.EditText(id::kTrCode, "o51200");
  dlg.EditText(id::kTrInput, "ESU16                             1   5");
  dlg.Click(id::kRqTest);
  QTest::qWait(600);
  inspector->Select(0);
  inspector->resize(900, 640);
  QTest::qWait(100);
  return inspector;
}

int Run(const QString& out, bool inspector) {
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

  QWidget* shown = &console.Window();
  if (inspector && !(shown = ShowInspector(console))) {
    std::fprintf(stderr, "zqk-screenshot: the inspector did not open\n");
    return 1;
  }
  const bool saved = shown->grab().save(out, "PNG");
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
  const bool inspector = argc == 3 && std::string(argv[1]) == "--inspector";
  if (argc != 2 && !inspector) {
    std::fprintf(stderr, "usage: zqk-screenshot [--inspector] OUT.png\n");
    return 2;
  }
  return zqk::Run(QFile::decodeName(argv[argc - 1]), inspector);
}
