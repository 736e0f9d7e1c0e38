#include "ui/qt/Console.h"

#include "agent/abi/ComponentRegistry.h"

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

Console::Console(QtDialogHost& host, const std::filesystem::path& executableDir)
    : host_(host), dlg_(MakeEnvironment(host, uiThread_, executableDir)), window_(dlg_) {
  host_.SetWindow(&window_);
  dlg_.OnInitDialog();
  window_.show();
}

Console::~Console() {
  Destroy();
}

void Console::Destroy() {
  host_.SetWindow(nullptr);
  dlg_.OnDestroy();
}

}  // namespace zqk
