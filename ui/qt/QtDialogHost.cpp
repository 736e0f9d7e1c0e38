#include "ui/qt/QtDialogHost.h"

#include <QMessageBox>

#include "ui/qt/AboutBox.h"
#include "ui/qt/Cp949Text.h"

namespace zqk {
namespace {

QMessageBox::Icon ToQtIcon(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kNone:
      return QMessageBox::NoIcon;
    case MessageBoxIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageBoxIcon::kQuestion:
      return QMessageBox::Question;
    case MessageBoxIcon::kError:
      return QMessageBox::Critical;
    case MessageBoxIcon::kInformation:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageBoxResult QtDialogHost::ShowMessageBox(std::string_view text, std::string_view caption,
                                              MessageBoxButtons buttons, MessageBoxIcon icon) {
  const bool yesNo = IsYesNo(buttons);
  QMessageBox box(ToQtIcon(icon), FromCp949(caption), FromCp949(text),
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, window_.data());
  box.setTextFormat(Qt::PlainText);
  if (yesNo) {
    // Escape and the close box answer No; Enter the default button.
    box.setDefaultButton(buttons == MessageBoxButtons::kYesNoDefaultNo ? QMessageBox::No
                                                                       : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? MessageBoxResult::kYes : MessageBoxResult::kNo;
  }
  box.exec();
  return MessageBoxResult::kOk;
}

void QtDialogHost::ShowAbout() {
  AboutBox about(window_.data());
  about.exec();
}

void QtDialogHost::EndDialog(DialogResult result) {
  if (window_) window_->EndDialog(result);
}

}  // namespace zqk
