#pragma once
// The dialog as the decoders' output: its event log, its quote display, its
// message boxes and its query command.

#include <functional>
#include <utility>

#include "replies/DecoderOutput.h"

namespace zqk {

class CZQKCommClientDlg;
class DialogHost;

// The reply inspector's reads of one event, run once: right after the decoder
// has read what it reads and before any message box it shows, since other
// events may replace the agent's data while a box is open.
class InspectionPoint {
 public:
  InspectionPoint() = default;
  explicit InspectionPoint(std::function<void()> read) : read_(std::move(read)) {}
  void Reach() {
    if (!read_) return;
    const std::function<void()> read = std::move(read_);
    read_ = nullptr;
    read();
  }

 private:
  std::function<void()> read_;
};

class DialogDecoderOutput final : public DecoderOutput {
 public:
  DialogDecoderOutput(CZQKCommClientDlg& dlg, DialogHost& host,
                      InspectionPoint* inspection = nullptr)
      : dlg_(dlg), host_(host), inspection_(inspection) {}
  void Log(std::string_view line) override;
  void SetDisplay(QuoteDisplay edit, std::string_view text) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;
  void ShowMessage(std::string_view text) override;
  void ContinueQuery(std::string nextKey) override;
  bool IsKorean() const override;

 private:
  void BeforeBox() {
    if (inspection_) inspection_->Reach();
  }

  CZQKCommClientDlg& dlg_;
  DialogHost& host_;
  InspectionPoint* inspection_;
};

}  // namespace zqk
