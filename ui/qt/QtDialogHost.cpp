#include "ui/qt/QtDialogHost.h"

#include <QAbstractButton>
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

MessageBoxResult QtDialogHost::ShowReplayedMessageBox(
    std::string_view text, std::string_view caption, MessageBoxButtons buttons, MessageBoxIcon icon,
    const std::function<MessageBoxResult()>& awaitAnswer) {
  const bool yesNo = IsYesNo(buttons);
  QMessageBox box(ToQtIcon(icon), FromCp949(caption), FromCp949(text),
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, window_.data());
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::NonModal);
  for (QAbstractButton* button : box.buttons()) button->setEnabled(false);
  box.show();
  const MessageBoxResult answer = awaitAnswer();
  box.hide();
  return answer;
}

void QtDialogHost::SetReplaying(bool replaying) {
  replaying_ = replaying;
  if (!replaying_ && replayedAbout_) replayedAbout_->close();
}

void QtDialogHost::ShowAbout() {
  if (replaying_) {
    if (replayedAbout_) replayedAbout_->close();
    replayedAbout_ = new AboutBox(window_.data());
    replayedAbout_->setAttribute(Qt::WA_DeleteOnClose);
    replayedAbout_->show();
    return;
  }
  AboutBox about(window_.data());
  about.exec();
}

void QtDialogHost::EndDialog(DialogResult result) {
  if (window_) window_->EndDialog(result);
}

}  // namespace zqk
