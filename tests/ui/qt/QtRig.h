#pragma once
// The real main window over the real Qt host and UI thread, in a directory of
// its own (the executable's directory of the dialog: ocx_log.log lands there)
// with no agent registered. Message boxes are recorded and answered at once.

#include <unistd.h>
#include <QApplication>
#include <QTest>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/CZQKCommClientDlg.h"
#include "ui/qt/Cp949Text.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/QtUiThread.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {

class RecordingQtHost : public QtDialogHost {
 public:
  struct Box {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons;
  };
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons, MessageBoxIcon) override {
    boxes.push_back({std::string(text), std::string(caption), buttons});
    if (!answers.empty()) {
      const MessageBoxResult answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return IsYesNo(buttons) ? MessageBoxResult::kNo : MessageBoxResult::kOk;
  }
  std::vector<Box> boxes;
  // Answers of the next boxes, in order; with none queued, OK or No.
  std::deque<MessageBoxResult> answers;
};

// A tool window's row in the table, by its key, wherever the row stands; the
// table's size (no window) for a key no row has.
inline size_t ToolIndex(Qt::Key key) {
  for (size_t i = 0; i < ToolWindowItems().size(); ++i) {
    if (ToolWindowItems()[i].key == key) return i;
  }
  return ToolWindowItems().size();
}

inline std::filesystem::path MakeTempDir() {
  static int counter = 0;
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("zqk-qt-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(dir);
  return dir;
}

class WindowRig {
 public:
  WindowRig() : dir_(MakeTempDir()), dlg_(Environment()), view_(dlg_) {
    host_.SetWindow(&view_);
    dlg_.OnInitDialog();
    view_.show();
    QApplication::setActiveWindow(&view_);
    static_cast<void>(QTest::qWaitForWindowExposed(&view_));
    QApplication::processEvents();
  }
  ~WindowRig() {
    if (!dlg_.Destroyed()) dlg_.OnDestroy();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  CZQKCommClientDlg& dlg() { return dlg_; }
  ControlModel& model() { return dlg_.Model(); }
  DialogView& view() { return view_; }
  RecordingQtHost& host() { return host_; }
  const std::filesystem::path& dir() const { return dir_; }

  template <typename W>
  W* Widget(ControlId id) {
    return qobject_cast<W*>(view_.Control(id));
  }

 private:
  CZQKCommClientDlg::Environment Environment() {
    CZQKCommClientDlg::Environment env;
    env.host = &host_;
    env.uiThread = &ui_;
    env.executableDir = dir_;
    env.componentRegistry = dir_ / "components";
    return env;
  }

  std::filesystem::path dir_;
  RecordingQtHost host_;
  QtUiThread ui_;
  CZQKCommClientDlg dlg_;
  DialogView view_;
};

}  // namespace zqk::qttest
