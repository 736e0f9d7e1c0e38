#include "tools/zqk-script/ScriptHost.h"

#include "dialog/DialogTemplate.h"
#include "tools/zqk-script/Script.h"

namespace zqk::script {
namespace {

std::string_view IconName(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kExclamation:
      return "exclamation";
    case MessageBoxIcon::kQuestion:
      return "question";
    case MessageBoxIcon::kError:
      return "error";
    case MessageBoxIcon::kInformation:
      return "information";
    case MessageBoxIcon::kNone:
      break;
  }
  return "none";
}

std::string_view AnswerName(MessageBoxResult r) {
  switch (r) {
    case MessageBoxResult::kOk:
      return "ok";
    case MessageBoxResult::kYes:
      return "yes";
    case MessageBoxResult::kNo:
      return "no";
    case MessageBoxResult::kCancel:
      return "cancel";
  }
  return "?";
}

}  // namespace

void ScriptHost::QueueAnswers(const std::vector<MessageBoxResult>& answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

MessageBoxResult ScriptHost::ShowMessageBox(std::string_view text, std::string_view caption,
                                            MessageBoxButtons buttons, MessageBoxIcon icon) {
  MessageBoxResult answer = IsYesNo(buttons) ? MessageBoxResult::kNo : MessageBoxResult::kOk;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  Print(text, caption, icon, answer);
  return answer;
}

MessageBoxResult ScriptHost::ShowReplayedMessageBox(
    std::string_view text, std::string_view caption, MessageBoxButtons, MessageBoxIcon icon,
    const std::function<MessageBoxResult()>& awaitAnswer) {
  const MessageBoxResult answer = awaitAnswer();
  Print(text, caption, icon, answer);
  return answer;
}

void ScriptHost::Print(std::string_view text, std::string_view caption, MessageBoxIcon icon,
                       MessageBoxResult answer) {
  out_ << kOutputPrefix << "box " << IconName(icon) << ' ' << QuoteForOutput(caption) << ' '
       << QuoteForOutput(text) << " -> " << AnswerName(answer) << '\n';
}

void ScriptHost::ShowAbout() {
  const DialogTemplate& about = AboutDialogTemplate();
  out_ << kOutputPrefix << "about " << QuoteForOutput(about.caption);
  for (const ControlTemplate& c : about.controls) out_ << ' ' << QuoteForOutput(c.caption);
  out_ << '\n';
}

void ScriptHost::EndDialog(DialogResult result) {
  ended_ = true;
  out_ << kOutputPrefix << "end " << (result == DialogResult::kOk ? "ok" : "cancel") << '\n';
}

}  // namespace zqk::script
