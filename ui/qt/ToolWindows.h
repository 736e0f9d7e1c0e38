#pragma once
// The windows the console opens beside the dialog, one row each: the system
// menu shows them above the separator before About, in this order, each with
// its function key; a window is made when first opened and kept until the
// dialog goes.

#include <QWidget>
#include <span>
#include <string_view>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

struct ToolWindowItem {
  std::string_view korean;  // menu caption (CP949), by the language radios
  std::string_view english;
  Qt::Key key;  // opens it from the dialog and the tool windows
  QWidget* (*create)(CZQKCommClientDlg& dlg, QWidget* dialogWindow);
  // Its captions in the dialog's display language of the moment.
  void (*applyLanguage)(QWidget* window);
};

std::span<const ToolWindowItem> ToolWindowItems();

}  // namespace zqk
