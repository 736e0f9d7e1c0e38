#pragma once
// What the dialog needs from its surroundings: modal message boxes, the About
// box, ending the modal loop. The Qt window implements it with real widgets;
// the headless driver and the tests with queued answers.

#include <functional>
#include <string_view>

namespace zqk {

// Yes/No boxes have Yes as their default button, unless they ask before
// something that cannot be undone: then No is the default.
enum class MessageBoxButtons { kOk, kYesNo, kYesNoDefaultNo };
enum class MessageBoxIcon { kNone, kExclamation, kQuestion, kError, kInformation };
enum class MessageBoxResult { kOk, kYes, kNo, kCancel };

inline bool IsYesNo(MessageBoxButtons buttons) {
  return buttons != MessageBoxButtons::kOk;
}

// The result of a modal dialog (the framework's IDOK and IDCANCEL).
enum class DialogResult { kOk = 1, kCancel = 2 };

class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  // Shows a modal message box (CP949 texts) and returns the button chosen.
  // A nested event loop may run inside: agent events can be delivered.
  virtual MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                          MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
  // A message box of a replayed session: shown as the user saw it while
  // `awaitAnswer` plays the session on to the moment it was answered, and
  // answered as it was then. By default it is not shown.
  virtual MessageBoxResult ShowReplayedMessageBox(
      std::string_view text, std::string_view caption, MessageBoxButtons buttons,
      MessageBoxIcon icon, const std::function<MessageBoxResult()>& awaitAnswer) {
    (void)text;
    (void)caption;
    (void)buttons;
    (void)icon;
    return awaitAnswer();
  }
};

class DialogHost : public MessageBoxHost {
 public:
  // Runs the About box modally.
  virtual void ShowAbout() = 0;
  // Ends the dialog's modal loop; the dialog is destroyed afterwards.
  virtual void EndDialog(DialogResult result) = 0;
};

// The caption of every message box of the program: the executable's base name.
inline constexpr std::string_view kAppTitle = "ZQKCommClient";

}  // namespace zqk
