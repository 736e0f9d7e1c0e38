#include "ui/qt/DropDownListStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace zqk {

// A base style of the application's name, so that the lists look like the
// rest of the window; QProxyStyle owns it.
DropDownListStyle::DropDownListStyle(QObject* parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
  setParent(parent);
}

int DropDownListStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
  // A plain list below the control, never a menu placed over it.
  if (hint == SH_ComboBox_Popup) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace zqk
