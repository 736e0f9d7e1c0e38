#pragma once
// The dialog as the decoders' output: its event log, its quote display, its
// message boxes and its query command.

#include "replies/DecoderOutput.h"

namespace zqk {

class CZQKCommClientDlg;
class DialogHost;

class DialogDecoderOutput final : public DecoderOutput {
 public:
  DialogDecoderOutput(CZQKCommClientDlg& dlg, DialogHost& host) : dlg_(dlg), host_(host) {}
  void Log(std::string_view line) override;
  void SetDisplay(QuoteDisplay edit, std::string_view text) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;
  void ShowMessage(std::string_view text) override;
  void ContinueQuery(std::string nextKey) override;
  bool IsKorean() const override;

 private:
  CZQKCommClientDlg& dlg_;
  DialogHost& host_;
};

}  // namespace zqk
