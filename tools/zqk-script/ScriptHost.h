#pragma once
// The dialog's surroundings in a headless run: message boxes are printed as
// lines of their own and answered from a queue the script fills.

#include <deque>
#include <ostream>
#include <vector>

#include "dialog/DialogHost.h"

namespace zqk::script {

class ScriptHost : public DialogHost {
 public:
  explicit ScriptHost(std::ostream& out) : out_(out) {}

  void QueueAnswers(const std::vector<MessageBoxResult>& answers);
  // With no answer queued, an OK box is answered OK and a Yes/No box No.
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) override;
  // Printed as any box is, with the recorded answer.
  MessageBoxResult ShowReplayedMessageBox(
      std::string_view text, std::string_view caption, MessageBoxButtons buttons,
      MessageBoxIcon icon, const std::function<MessageBoxResult()>& awaitAnswer) override;
  void ShowAbout() override;
  void EndDialog(DialogResult result) override;

  bool Ended() const { return ended_; }

 private:
  void Print(std::string_view text, std::string_view caption, MessageBoxIcon icon,
             MessageBoxResult answer);
  std::ostream& out_;
  std::deque<MessageBoxResult> answers_;
  bool ended_ = false;
};

// Log lines and other output lines are told apart by this prefix.
inline constexpr std::string_view kOutputPrefix = "## ";

}  // namespace zqk::script
