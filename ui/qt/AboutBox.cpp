#include "ui/qt/AboutBox.h"

#include <QPushButton>

#include "ui/qt/ApplicationIcon.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/Cp949Text.h"
#include "ui/qt/DialogFont.h"

namespace zqk {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent, DialogWindowFlags()) {
  const DialogTemplate& dialog = AboutDialogTemplate();
  const QFont font = DialogFont();
  setFont(font);
  const DialogBaseUnits units = MeasureBaseUnits(font);
  setWindowTitle(FromCp949(dialog.caption));
  setWindowIcon(ApplicationIcon());
  setFixedSize(DialogPixelSize(dialog, units));
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = CreateControlWidget(control, this);
    if (!widget) continue;
    PlaceControl(widget, control, units);
    if (control.id == id::kOk) {
      if (auto* ok = qobject_cast<QPushButton*>(widget))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
      widget->setFocus();
    }
  }
}

}  // namespace zqk
