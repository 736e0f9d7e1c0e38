#include "ui/qt/ControlWidgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/CaptionLabel.h"
#include "ui/qt/Cp949Text.h"
#include "ui/qt/Cp949Validator.h"
#include "ui/qt/DropDownListStyle.h"

namespace zqk {
namespace {

// An automatic radio button whose check state only the control model sets:
// the model checks the clicked button and unchecks the rest of its group, so
// Qt must not toggle it on its own (it would uncheck a checked one).
class ModelRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void nextCheckState() override {}
};

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
  if (control.Has(kMultiLine)) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    edit->setReadOnly(control.Has(kReadOnly));
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  if (control.Has(kPassword)) edit->setEchoMode(QLineEdit::Password);
  edit->setReadOnly(control.Has(kReadOnly));
  edit->setValidator(new Cp949Validator(control.Has(kDigitsOnly), edit));
  return edit;
}

}  // namespace

QWidget* CreateControlWidget(const ControlTemplate& control, QWidget* parent) {
  const QString caption = FromCp949(control.caption);
  switch (control.kind) {
    case ControlKind::kEdit:
      return CreateEdit(control, parent);
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);
      button->setDefault(control.Has(kDefaultButton));
      return button;
    }
    case ControlKind::kRadioButton: {
      auto* radio = new ModelRadioButton(caption, parent);
      radio->setAutoExclusive(false);
      return radio;
    }
    case ControlKind::kStaticText: {
      auto* label = new CaptionLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment((control.Has(kCentered) ? Qt::AlignHCenter : Qt::AlignLeft) |
                          Qt::AlignTop);
      return label;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(caption, parent);
    case ControlKind::kDropDownList: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      combo->setStyle(new DropDownListStyle(combo));
      return combo;
    }
    case ControlKind::kListBox:
      return nullptr;
  }
  return nullptr;
}

void PlaceControl(QWidget* widget, const ControlTemplate& control, DialogBaseUnits units) {
  const PixelRect r = MapDialogRect(control.rect, units);
  const int height =
      control.kind == ControlKind::kDropDownList ? widget->sizeHint().height() : r.height;
  widget->setGeometry(r.x, r.y, r.width, height);
}

QSize DialogPixelSize(const DialogTemplate& dialog, DialogBaseUnits units) {
  return {DluToPixelsX(dialog.width, units), DluToPixelsY(dialog.height, units)};
}

Qt::WindowFlags DialogWindowFlags() {
  return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint;
}

}  // namespace zqk
