// CZQKCommClientApp: the console's start-up. The agent component beside the
// executable registers itself at every start, then the main dialog runs until
// it is closed; its destruction stops the agent.
#include <QApplication>

#include "agent/ComponentRegistry.h"
#include "app/Startup.h"
#include "ui/CZQKCommClientDlg.h"
#include "ui/qt/ApplicationIcon.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/QtUiThread.h"

namespace zqk {
namespace {

class CZQKCommClientApp {
 public:
  CZQKCommClientApp(int& argc, char** argv) : app_(argc, argv) {
    // The dialog's end, not the last closed window, ends the program: a
    // start-up message box closing before the dialog opens must not.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("ZQKCommClient"));
    QApplication::setWindowIcon(ApplicationIcon());
  }

  int InitInstance() {
    // Start-up messages come before the window: the host has none yet.
    QtDialogHost host;
    RegisterAgentAtStartup(host);

    QtUiThread uiThread;
    CZQKCommClientDlg::Environment env;
    env.host = &host;
    env.uiThread = &uiThread;
    env.executableDir = ExecutableDirectory();
    env.componentRegistry = DefaultComponentRegistryPath();
    CZQKCommClientDlg dlg(std::move(env));
    {
      DialogView window(dlg);
      host.SetWindow(&window);
      QObject::connect(&window, &DialogView::finished, &app_, &QApplication::quit);
      dlg.OnInitDialog();
      window.show();
      QApplication::exec();
      // The window is closed; the dialog's destruction (which stops the agent)
      // may still show message boxes, parentless now.
      host.SetWindow(nullptr);
      dlg.OnDestroy();
    }
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
