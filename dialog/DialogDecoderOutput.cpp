#include "dialog/DialogDecoderOutput.h"

#include <utility>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

void DialogDecoderOutput::Log(std::string_view line) {
  dlg_.AddLog(line);
}

void DialogDecoderOutput::SetDisplay(ControlId edit, std::string_view text) {
  dlg_.Model().SetText(edit, text);
}

bool DialogDecoderOutput::AskYesNo(std::string_view text, std::string_view caption) {
  return host_.ShowMessageBox(text, caption, MessageBoxButtons::kYesNo, MessageBoxIcon::kNone) ==
         MessageBoxResult::kYes;
}

void DialogDecoderOutput::ShowMessage(std::string_view text) {
  // The framework's standard box: OK, the exclamation icon, the program's title.
  host_.ShowMessageBox(text, kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
}

void DialogDecoderOutput::ContinueQuery(std::string nextKey) {
  dlg_.m_strNextKey = std::move(nextKey);
  dlg_.OnRqTest();
}

bool DialogDecoderOutput::IsKorean() const {
  return dlg_.IsKorean();
}

}  // namespace zqk
