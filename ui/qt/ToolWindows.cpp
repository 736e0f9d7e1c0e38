#include "ui/qt/ToolWindows.h"

#include <array>

#include "ui/qt/ActivityWindow.h"
#include "ui/qt/CatalogueWindow.h"
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

constexpr std::array<ToolWindowItem, 3> kToolWindows{{
    {"요청 목록(&Q)...", "Request &Catalogue...", Qt::Key_F2, &Create<CatalogueWindow>,
     &ApplyLanguage<CatalogueWindow>},
    {"활동(&T)...", "Ac&tivity...", Qt::Key_F4, &Create<ActivityWindow>,
     &ApplyLanguage<ActivityWindow>},
    {"로그 창(&L)...", "&Log Window...", Qt::Key_F5, &Create<LogWindow>, &ApplyLanguage<LogWindow>},
}};

}  // namespace

std::span<const ToolWindowItem> ToolWindowItems() {
  return kToolWindows;
}

}  // namespace zqk
