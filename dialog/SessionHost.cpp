#include "dialog/SessionHost.h"

#include <optional>
#include <string>

#include "agent/SessionEntry.h"
#include "agent/SessionRecorder.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/SessionPlayer.h"

namespace zqk {

// A recording names buttons, icons and answers in the order of these enums.
static_assert(std::size(kBoxButtonNames) ==
              static_cast<size_t>(MessageBoxButtons::kYesNoDefaultNo) + 1);
static_assert(std::size(kBoxIconNames) == static_cast<size_t>(MessageBoxIcon::kInformation) + 1);
static_assert(std::size(kBoxAnswerNames) == static_cast<size_t>(MessageBoxResult::kCancel) + 1);

MessageBoxResult SessionHost::ShowMessageBox(std::string_view text, std::string_view caption,
                                             MessageBoxButtons buttons, MessageBoxIcon icon) {
  RecordedStep box{.kind = StepKind::kBox,
                   .text = std::string(text),
                   .caption = std::string(caption),
                   .buttons = static_cast<int32_t>(buttons),
                   .icon = static_cast<int32_t>(icon)};
  MessageBoxResult answer;
  SessionPlayer* player = dlg_.Player();
  if (player && player->ReplaysSteps() && !player->Done()) {
    answer = inner_.ShowReplayedMessageBox(text, caption, buttons, icon, [&] {
      const std::optional<int32_t> recorded = player->AwaitBox(box);
      if (recorded) return static_cast<MessageBoxResult>(*recorded);
      // The replay diverged: the box takes the answer of a box nobody answers.
      return buttons == MessageBoxButtons::kOk ? MessageBoxResult::kOk : MessageBoxResult::kNo;
    });
  } else {
    answer = inner_.ShowMessageBox(text, caption, buttons, icon);
  }
  if (SessionRecorder* recorder = dlg_.Recorder()) {
    box.number = static_cast<int32_t>(answer);
    recorder->Step(box);
  }
  return answer;
}

}  // namespace zqk
