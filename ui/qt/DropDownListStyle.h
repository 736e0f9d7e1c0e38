#pragma once
// The style of the dialog's drop-down lists: the application's own, except
// that the list opens below its control (above it where the screen ends).
// Some styles (Fusion, the one Qt picks on most Linux desktops) open it as a
// menu that puts the current item over the control, so that the click that
// opened it can land on another item and pick it.

#include <QProxyStyle>

namespace zqk {

class DropDownListStyle : public QProxyStyle {
 public:
  // A style of the application's kind, owned by `parent`'s children.
  explicit DropDownListStyle(QObject* parent);

  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace zqk
