#pragma once
// The main dialog's window: one widget per template entry at the pixel
// rectangle of its dialog-unit rectangle, each bound to the control model. The
// model is the truth: every change of it is mirrored into the widget without
// running a command, and every user action on a widget goes to the dialog,
// which updates the model and runs the command. The window also stands in for
// the platform's dialog manager (Enter, Escape, the close box) and for the
// system menu that Linux window managers do not give a dialog.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "dialog/CZQKCommClientDlg.h"
#include "dialog/DialogUnits.h"

class QMenu;
class QAction;

namespace zqk {

class ByteRulerTip;
class LogView;

class DialogView : public QWidget {
  Q_OBJECT
 public:
  explicit DialogView(CZQKCommClientDlg& dlg, QWidget* parent = nullptr);
  ~DialogView() override;

  // The widget of a control, or nullptr for an unknown ID.
  QWidget* Control(ControlId id) const;
  // The widget of the template's entry `index` (labels without an ID too).
  QWidget* TemplateWidget(size_t index) const { return templateWidgets_.at(index); }
  LogView* Log() const { return logView_; }
  DialogBaseUnits BaseUnits() const { return units_; }

  // The emulated system menu: Close, the tool windows (ToolWindowItems), a
  // separator and the About item.
  QMenu* SystemMenu() const { return systemMenu_; }
  // The menu item of tool window `index` and the window, once opened.
  QAction* ToolAction(size_t index) const { return toolActions_.at(index); }
  QWidget* ToolWindow(size_t index) const { return toolWindows_.at(index); }
  // Opens (or brings forward) tool window `index`.
  void OpenToolWindow(size_t index);
  QAction* AboutAction() const { return aboutAction_; }
  QAction* CloseAction() const { return closeAction_; }
  // Starts a session recording (asking for its file) or stops the one that runs.
  QAction* RecordAction() const { return recordAction_; }
  // Asks for the file of a recording; empty: none. A file dialog by default.
  void SetRecordingFileChooser(std::function<QString()> chooser) {
    chooseRecordingFile_ = std::move(chooser);
  }
  void ShowSystemMenu(const QPoint& globalPos);

  // Ends the dialog (the host's EndDialog): the window closes.
  void EndDialog(DialogResult result);
  std::optional<DialogResult> Result() const { return result_; }

 signals:
  // The window has closed with `result` (a DialogResult).
  void finished(int result);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Build();
  void BuildSystemMenu();
  // The tool windows' menu items and captions follow the language radios.
  void ApplyToolLanguage();
  void AddRecordingItem();
  void ToggleRecording();
  void Bind(ControlId id, QWidget* widget);
  void Sync(ControlId id, ControlChange change);
  void SyncAll(ControlId id);
  bool HandleDialogKey(QObject* target, const QKeyEvent* event);
  // The dialog manager's arrow keys in a radio group: the next (step 1) or
  // previous (step -1) button that can take the focus gets it and is clicked.
  // False when `target` is no radio button of a group.
  bool MoveInRadioGroup(QObject* target, int step);
  // Tab enters a radio group at its checked button (the first one when none
  // is checked): only that button is a tab stop.
  void UpdateRadioTabStops(ControlId member);
  void FocusFirstControl();

  CZQKCommClientDlg& dlg_;
  DialogBaseUnits units_;
  std::unordered_map<ControlId, QWidget*> widgets_;
  std::vector<QWidget*> templateWidgets_;
  LogView* logView_ = nullptr;
  // Goes first: it watches the controls as they go.
  ByteRulerTip* ruler_ = nullptr;
  QMenu* systemMenu_ = nullptr;
  QAction* closeAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  std::vector<QAction*> toolActions_;
  std::vector<QPointer<QWidget>> toolWindows_;
  QAction* recordAction_ = nullptr;
  std::function<QString()> chooseRecordingFile_;
  // Set while a model change is written into a widget: the widget's signals
  // must not come back as user actions.
  bool syncing_ = false;
  bool ending_ = false;
  bool inCloseEvent_ = false;
  bool focusedOnce_ = false;
  std::optional<DialogResult> result_;
};

}  // namespace zqk
