#include "ui/qt/ToolWindows.h"

#include "ui/qt/ActivityWindow.h"
#include "ui/qt/CatalogueWindow.h"
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
    {"요청 목록(&Q)...", "Request &Catalogue...", Qt::Key_F2, &Create<CatalogueWindow>,
     &ApplyLanguage<CatalogueWindow>},
    {"응답 검사기(&I)...", "Reply &Inspector...", Qt::Key_F3, &Create<InspectorWindow>,
     &ApplyLanguage<InspectorWindow>},
    {"활동(&T)...", "Ac&tivity...", Qt::Key_F4, &Create<ActivityWindow>,
     &ApplyLanguage<ActivityWindow>},
    {"로그 창(&L)...", "&Log Window...", Qt::Key_F5, &Create<LogWindow>, &ApplyLanguage<LogWindow>},
};

}  // namespace

std::span<const ToolWindowItem> ToolWindowItems() {
  return kToolWindows;
}

}  // namespace zqk
