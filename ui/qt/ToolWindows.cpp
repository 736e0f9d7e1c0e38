#include "ui/qt/ToolWindows.h"

#include "ui/qt/ActivityWindow.h"
#include "ui/qt/InspectorWindow.h"
#include "ui/qt/LogWindow.h"

namespace zqk {
namespace {

template <typename Window>
QWidget* Create(CZQKCommClientDlg& dlg, QWidget* dialogWindow) {
  return new Window(dlg, dialogWindow);
}

template <typename Window>
void ApplyLanguage(QWidget* window) {
  static_cast<Window*>(window)->ApplyLanguage();
}

constexpr ToolWindowItem kToolWindows[] = {
    {"활동(&T)...", "Ac&tivity...", Qt::Key_F4, &Create<ActivityWindow>,
     &ApplyLanguage<ActivityWindow>},
    {"로그 창(&L)...", "&Log Window...", Qt::Key_F5, &Create<LogWindow>, &ApplyLanguage<LogWindow>},
    {"응답 검사기(&I)...", "Reply &Inspector...", Qt::Key_F3, &Create<InspectorWindow>,
     &ApplyLanguage<InspectorWindow>},
};

}  // namespace

std::span<const ToolWindowItem> ToolWindowItems() {
  return kToolWindows;
}

}  // namespace zqk
