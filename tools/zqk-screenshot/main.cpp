// zqk-screenshot [--catalogue|--ruler|--inspector] OUT.png: opens the real
// main window with the sandbox agent beside this tool, connects, signs in as
// the sandbox's demo user and sends the domestic sample query, then saves a
// picture of the window. --catalogue first fills the minute bars' query from
// the request catalogue (filter "o512") and pictures the catalogue; --ruler
// pictures the dialog with the byte ruler over the sample order record;
// --inspector pictures the reply inspector showing a page of minute bars
// field by field. The component
// registry goes to a temporary configuration directory, so the user's own is
// left alone. For the documentation; the console itself reads no command line.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "app/Startup.h"
#include "text/Cp949.h"
#include "ui/qt/ByteRulerTip.h"
#include "ui/qt/CatalogueWindow.h"
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

enum class Shot { kDialog, kCatalogue, kRuler, kInspector };

// The catalogue as the user leaves it after Use: the minute bars' form filled.
QPixmap CatalogueShot(DialogView& view, CZQKCommClientDlg& dlg) {
  for (size_t i = 0; i < ToolWindowItems().size(); ++i) {
    if (ToolWindowItems()[i].key == Qt::Key_F2) view.OpenToolWindow(i);
  }
  auto* window = view.findChild<CatalogueWindow*>();
  if (!window) return {};
  window->resize(1100, 760);
  static_cast<void>(QTest::qWaitForWindowExposed(window));
  QTest::keyClicks(window->FilterEdit(), QStringLiteral("o512"));
  window->Select("o51200");
  window->FormEdits()[1]->setText(QStringLiteral("1"));
  window->FormEdits()[2]->setText(QStringLiteral("5"));
  window->UseButton()->click();
  dlg.Click(id::kRqTest);
  QTest::qWait(600);
  return window->grab();
}

// The dialog with the ruler's tip over the sample order record, the caret in
// the product code.
QPixmap RulerShot(DialogView& view) {
  auto* edit = qobject_cast<QLineEdit*>(view.Control(id::kOrderRecord));
  auto* ruler = view.findChild<ByteRulerTip*>();
  if (!edit || !ruler) return {};
  view.activateWindow();
  edit->setFocus();
  QTest::qWait(50);
  edit->setCursorPosition(22);
  ruler->ShowAt(id::kOrderRecord, 22);
  QTest::qWait(50);
  QPixmap shot = view.grab();
  QPainter painter(&shot);
  painter.drawPixmap(ruler->Tip()->pos() - view.mapToGlobal(QPoint(0, 0)), ruler->Tip()->grab());
  return shot;
}

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

int Run(const QString& out, Shot kind) {
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

  QPixmap shot;
  switch (kind) {
    case Shot::kDialog:
      shot = console.Window().grab();
      break;
    case Shot::kCatalogue:
      shot = CatalogueShot(console.Window(), dlg);
      break;
    case Shot::kRuler:
      shot = RulerShot(console.Window());
      break;
    case Shot::kInspector:
      if (QWidget* inspector = ShowInspector(console)) shot = inspector->grab();
      break;
  }
  const bool saved = !shot.isNull() && shot.save(out, "PNG");
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
  const std::string option = argc == 3 ? argv[1] : "";
  if (argc < 2 || argc > 3 ||
      (argc == 3 && option != "--catalogue" && option != "--ruler" && option != "--inspector")) {
    std::fprintf(stderr, "usage: zqk-screenshot [--catalogue|--ruler|--inspector] OUT.png\n");
    return 2;
  }
  const zqk::Shot kind = option == "--catalogue"   ? zqk::Shot::kCatalogue
                         : option == "--ruler"     ? zqk::Shot::kRuler
                         : option == "--inspector" ? zqk::Shot::kInspector
                                                   : zqk::Shot::kDialog;
  return zqk::Run(QFile::decodeName(argv[argc - 1]), kind);
}
