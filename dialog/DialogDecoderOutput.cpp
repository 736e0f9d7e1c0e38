#include "dialog/DialogDecoderOutput.h"

#include <utility>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

void DialogDecoderOutput::Log(std::string_view line) {
  dlg_.AddLog(line);
}

void DialogDecoderOutput::SetDisplay(QuoteDisplay edit, std::string_view text) {
  static constexpr ControlId kEdits[] = {id::kRealProduct, id::kRealTime, id::kRealPrice,
                                         id::kRealVolume};
  dlg_.Model().SetText(kEdits[static_cast<size_t>(edit)], text);
}

bool DialogDecoderOutput::AskYesNo(std::string_view text, std::string_view caption) {
  BeforeBox();
  return host_.ShowMessageBox(text, caption, MessageBoxButtons::kYesNo, MessageBoxIcon::kNone) ==
         MessageBoxResult::kYes;
}

void DialogDecoderOutput::ShowMessage(std::string_view text) {
  BeforeBox();
  // The framework's standard box: OK, the exclamation icon, the program's title.
  host_.ShowMessageBox(text, kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
}

void DialogDecoderOutput::ContinueQuery(std::string nextKey) {
  dlg_.ContinueQuery(std::move(nextKey));
}

bool DialogDecoderOutput::IsKorean() const {
  return dlg_.IsKorean();
}

}  // namespace zqk
