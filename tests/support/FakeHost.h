#pragma once
// Test doubles for what the dialog needs from its surroundings: a DialogHost
// that records message boxes and answers them from a queue, a UiThread on a
// virtual clock that runs posted work only when a test advances it, and a
// dialog wired to both.

#include <cstdint>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "agent/VirtualUiThread.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/DialogHost.h"

namespace zqk::test {

class FakeDialogHost : public DialogHost {
 public:
  struct MessageBox {
    std::string text;  // CP949
    std::string caption;
    MessageBoxButtons buttons;
    MessageBoxIcon icon;
  };

  // Answers for the next message boxes, in order. With none queued, an OK box
  // answers OK and a Yes/No box answers No.
  std::deque<MessageBoxResult> answers;
  // Runs inside a message box, as the nested event loop of a modal box would.
  std::function<void()> whileShown;

  std::vector<MessageBox> shown;
  int aboutCount = 0;
  std::optional<DialogResult> ended;

  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) override {
    shown.push_back({std::string(text), std::string(caption), buttons, icon});
    if (whileShown) whileShown();
    if (!answers.empty()) {
      const MessageBoxResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return IsYesNo(buttons) ? MessageBoxResult::kNo : MessageBoxResult::kOk;
  }
  void ShowAbout() override { ++aboutCount; }
  void EndDialog(DialogResult result) override { ended = result; }
};

// A dialog over the fakes, in a directory of its own that holds no agent and
// no component registry. Not yet initialised: call OnInitDialog() first.
class DialogRig {
 public:
  // `exeSubdir`: the executable's directory is that folder of the rig's own
  // directory (created), not the directory itself.
  explicit DialogRig(const std::filesystem::path& exeSubdir = {})
      : dir_(MakeDir()),
        exeDir_(MakeExeDir(dir_ / exeSubdir)),
        dlg_(std::make_unique<CZQKCommClientDlg>(Environment())) {}
  ~DialogRig() {
    dlg_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  DialogRig(const DialogRig&) = delete;
  DialogRig& operator=(const DialogRig&) = delete;

  CZQKCommClientDlg& dlg() { return *dlg_; }
  ControlModel& model() { return dlg_->Model(); }
  const std::filesystem::path& dir() const { return dir_; }
  const std::filesystem::path& exeDir() const { return exeDir_; }

  FakeDialogHost host;
  VirtualUiThread ui;
  // Seconds since the epoch that the log's timestamps read.
  std::time_t clock = 1'700'000'000;

 private:
  static std::filesystem::path MakeDir() {
    static int counter = 0;
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("zqk-dlg-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(dir);
    return dir;
  }
  static std::filesystem::path MakeExeDir(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    return dir;
  }
  CZQKCommClientDlg::Environment Environment() {
    CZQKCommClientDlg::Environment env;
    env.host = &host;
    env.uiThread = &ui;
    env.executableDir = exeDir_;
    env.componentRegistry = dir_ / "components.conf";
    env.clock = [this] { return clock; };
    return env;
  }

  std::filesystem::path dir_;
  std::filesystem::path exeDir_;
  std::unique_ptr<CZQKCommClientDlg> dlg_;
};

}  // namespace zqk::test
