// CZQKCommClientApp: the console's start-up. The agent component beside the
// executable registers itself at every start, then the main dialog runs until
// it is closed; its destruction stops the agent. Its log and mst/ are beside
// the executable, or in the user's data folder where that cannot be written.
#include <QApplication>
#include <cstdio>

#include "app/DataFolder.h"
#include "app/Startup.h"
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
  }

  int InitInstance() {
    // Start-up messages come before the window: the host has none yet.
    QtDialogHost host;
    RegisterAgentAtStartup(host);
    // A system install keeps the log and mst/ in the user's data folder.
    const DataFolder data = ChooseDataFolder(ExecutableDirectory());
    if (data.notice) std::fprintf(stderr, "%s\n", data.notice->c_str());
    Console console(host, data.path);
    QObject::connect(&console.Window(), &DialogView::finished, &app_, &QApplication::quit);
    QApplication::exec();
    // The window is closed; the dialog's destruction stops the agent.
    console.Destroy();
    return 0;
  }

 private:
  QApplication app_;
};

}  // namespace
}  // namespace zqk

int main(int argc, char** argv) {
  zqk::CZQKCommClientApp app(argc, argv);
  return app.InitInstance();
}
