#include "ui/qt/DialogView.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <algorithm>
#include <vector>

#include "ui/qt/ApplicationIcon.h"
#include "ui/qt/ByteRulerTip.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/Cp949Text.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/LogView.h"
#include "ui/qt/ToolWindows.h"

namespace zqk {
namespace {

// The system menu's Close item, as the platform labels it.
constexpr const char* kCloseMenuText = "닫기(&C)";
// The session recording's item and file dialog.
// The session recording's item and file dialog, in Korean and English.
struct LangText {
  const char* korean;
  const char* english;
};
constexpr LangText kStartRecordingText{"세션 기록(&R)...", "&Record Session..."};
constexpr LangText kStopRecordingText{"세션 기록 중지(&R)", "Stop &Recording"};
constexpr LangText kRecordingFileTitle{"세션 기록 파일", "Session Recording"};
constexpr LangText kRecordingFileFilter{"세션 기록 (*.jsonl);;모든 파일 (*)",
                                        "Session recordings (*.jsonl);;All files (*)"};

QString Shown(const CZQKCommClientDlg& dlg, const LangText& text) {
  return FromCp949(dlg.Lang(text.korean, text.english));
}

// A multi-line edit holds CR LF line breaks, as the platform's edit does.
std::string MultiLineToModel(const QString& text) {
  QString copy = text;
  copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToCp949(copy);
}

QString MultiLineFromModel(std::string_view text) {
  QString copy = FromCp949(text);
  copy.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return copy;
}

bool PopupOpen(const QObject* target) {
  const auto* combo = qobject_cast<const QComboBox*>(target);
  return combo && combo->view() && combo->view()->isVisible();
}

// Whether `window` has a shortcut of its own on `key`.
bool TakesKey(const QWidget* window, const QKeySequence& key) {
  for (const QShortcut* shortcut : window->findChildren<QShortcut*>()) {
    if (shortcut->keys().contains(key)) return true;
  }
  return false;
}

}  // namespace

DialogView::DialogView(CZQKCommClientDlg& dlg, QWidget* parent)
    : QWidget(parent, DialogWindowFlags()), dlg_(dlg) {
  Build();
  BuildSystemMenu();
  ruler_ = new ByteRulerTip(dlg_, *this);
  dlg_.Model().SetListener([this](ControlId id, ControlChange change) { Sync(id, change); });
}

DialogView::~DialogView() {
  delete ruler_;
  dlg_.Model().SetListener(nullptr);
}

QWidget* DialogView::Control(ControlId id) const {
  auto it = widgets_.find(id);
  return it == widgets_.end() ? nullptr : it->second;
}

void DialogView::Build() {
  const DialogTemplate& dialog = dlg_.Model().Dialog();
  const QFont font = DialogFont();
  setFont(font);
  units_ = MeasureBaseUnits(font);
  setWindowTitle(FromCp949(dialog.caption));
  setWindowIcon(ApplicationIcon());
  setFixedSize(DialogPixelSize(dialog, units_));

  std::vector<QWidget*> groupBoxes;
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = control.kind == ControlKind::kListBox
                          ? (logView_ = new LogView(dlg_.Log(), this))
                          : CreateControlWidget(control, this);
    PlaceControl(widget, control, units_);
    templateWidgets_.push_back(widget);
    widget->installEventFilter(this);
    if (control.kind == ControlKind::kGroupBox) groupBoxes.push_back(widget);
    if (control.id == kStaticId) continue;
    widgets_[control.id] = widget;
    SyncAll(control.id);
    Bind(control.id, widget);
  }
  // A group box comes later in the template than some of the controls that it
  // frames; behind them all, it covers none.
  for (QWidget* box : groupBoxes) box->lower();
  for (const ControlTemplate& control : dialog.controls) {
    if (control.kind == ControlKind::kRadioButton && control.Has(kGroupStart)) {
      UpdateRadioTabStops(control.id);
    }
  }
}

void DialogView::BuildSystemMenu() {
  systemMenu_ = new QMenu(this);
  closeAction_ = systemMenu_->addAction(FromCp949(kCloseMenuText));
  closeAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  addAction(closeAction_);  // the shortcut works with the menu closed too
  connect(closeAction_, &QAction::triggered, this, [this] { close(); });
  // The tool windows, above the separator before About.
  for (size_t i = 0; i < ToolWindowItems().size(); ++i) {
    QAction* action = systemMenu_->addAction(QString());
    action->setShortcut(QKeySequence(ToolWindowItems()[i].key));
    addAction(action);  // the key works with the menu closed too
    connect(action, &QAction::triggered, this, [this, i] { OpenToolWindow(i); });
    toolActions_.push_back(action);
    toolWindows_.emplace_back();
  }
  ApplyToolLanguage();
  AddRecordingItem();
  systemMenu_->addSeparator();
  aboutAction_ = systemMenu_->addAction(FromCp949(kAboutMenuText));
  connect(aboutAction_, &QAction::triggered, this, [this] { dlg_.OnSysCommand(kAboutCommandId); });

  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(shortcut, &QShortcut::activated, this,
          [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

void DialogView::OpenToolWindow(size_t index) {
  QPointer<QWidget>& window = toolWindows_.at(index);
  if (!window) {
    window = ToolWindowItems()[index].create(dlg_, this);
    // Each tool window's key works from the other tool windows as well,
    // unless a window takes that key itself (the log window's F3, find next).
    for (QAction* action : toolActions_) {
      if (!TakesKey(window, action->shortcut())) window->addAction(action);
    }
    for (const QPointer<QWidget>& other : toolWindows_) {
      if (other && other != window && !TakesKey(other, toolActions_[index]->shortcut())) {
        other->addAction(toolActions_[index]);
      }
    }
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void DialogView::ApplyToolLanguage() {
  if (recordAction_) {
    recordAction_->setText(
        Shown(dlg_, dlg_.IsRecording() ? kStopRecordingText : kStartRecordingText));
  }
  for (size_t i = 0; i < toolActions_.size(); ++i) {
    const ToolWindowItem& item = ToolWindowItems()[i];
    toolActions_[i]->setText(FromCp949(dlg_.Lang(item.korean, item.english)));
    if (toolWindows_[i]) item.applyLanguage(toolWindows_[i]);
  }
}

void DialogView::AddRecordingItem() {
  recordAction_ = systemMenu_->addAction(Shown(dlg_, kStartRecordingText));
  connect(recordAction_, &QAction::triggered, this, [this] { ToggleRecording(); });
  // As the menu opens: the language may have changed, and a recording may
  // have stopped by itself (a write that failed).
  connect(systemMenu_, &QMenu::aboutToShow, this, [this] {
    recordAction_->setText(
        Shown(dlg_, dlg_.IsRecording() ? kStopRecordingText : kStartRecordingText));
  });
}

void DialogView::ToggleRecording() {
  if (dlg_.IsRecording()) {
    dlg_.StopRecording();
    return;
  }
  const QString file = chooseRecordingFile_
                           ? chooseRecordingFile_()
                           : QFileDialog::getSaveFileName(this, Shown(dlg_, kRecordingFileTitle),
                                                          QStringLiteral("session.jsonl"),
                                                          Shown(dlg_, kRecordingFileFilter));
  if (!file.isEmpty()) dlg_.StartRecordingOrSayWhy(QFile::encodeName(file).toStdString());
}

void DialogView::ShowSystemMenu(const QPoint& globalPos) {
  systemMenu_->popup(globalPos);
}

void DialogView::Bind(ControlId id, QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
      if (!syncing_) dlg_.EditText(id, ToCp949(text));
    });
  } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(multi, &QPlainTextEdit::textChanged, this, [this, id, multi] {
      if (!syncing_) dlg_.EditText(id, MultiLineToModel(multi->toPlainText()));
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, [this, id] {
      if (!syncing_) dlg_.Click(id);
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    connect(combo, &QComboBox::activated, this, [this, id](int index) {
      if (!syncing_) dlg_.SelectItem(id, ListIndex{index});
    });
  }
}

void DialogView::SyncAll(ControlId id) {
  for (ControlChange change :
       {ControlChange::kText, ControlChange::kChecked, ControlChange::kEnabled,
        ControlChange::kVisible, ControlChange::kItems}) {
    Sync(id, change);
  }
}

void DialogView::Sync(ControlId id, ControlChange change) {
  QWidget* widget = Control(id);
  if (!widget) return;
  const ControlModel& model = dlg_.Model();
  const QScopedValueRollback guard(syncing_, true);
  switch (change) {
    case ControlChange::kText: {
      const std::string& text = model.Text(id);
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QString shown = FromCp949(text);
        if (edit->text() != shown) {
          edit->setText(shown);
          // A text set by the program shows from its start, as the platform's
          // edit does; Qt would show its end.
          edit->setCursorPosition(0);
        }
      } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
        const QString shown = MultiLineFromModel(text);
        if (multi->toPlainText() != shown) multi->setPlainText(shown);
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(FromCp949(text));
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(FromCp949(text));
      } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(FromCp949(text));
      }
      break;
    }
    case ControlChange::kChecked:
      if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        radio->setChecked(model.IsChecked(id));
        UpdateRadioTabStops(id);
      }
      if (id == id::kKorean) ApplyToolLanguage();
      break;
    case ControlChange::kEnabled:
      widget->setEnabled(model.IsEnabled(id));
      break;
    case ControlChange::kVisible:
      widget->setVisible(model.IsVisible(id));
      break;
    case ControlChange::kItems:
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->clear();
        for (const std::string& item : model.Items(id)) combo->addItem(FromCp949(item));
        combo->setCurrentIndex(model.Selected(id).value);
      }
      break;
    case ControlChange::kSelection:
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(model.Selected(id).value);
      }
      break;
  }
}

bool DialogView::HandleDialogKey(QObject* target, const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // An open drop-down list takes Enter as its choice.
      if (PopupOpen(target)) return false;
      // A focused push button is the default button for the moment: Enter
      // presses it, as Space does.
      if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
      }
      dlg_.OnEnterKey();
      return true;
    case Qt::Key_Escape:
      if (PopupOpen(target)) return false;
      dlg_.OnEscapeKey();
      return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
      return (event->modifiers() & ~Qt::KeypadModifier) == 0 && MoveInRadioGroup(target, 1);
    case Qt::Key_Up:
    case Qt::Key_Left:
      return (event->modifiers() & ~Qt::KeypadModifier) == 0 && MoveInRadioGroup(target, -1);
    default:
      return false;
  }
}

bool DialogView::MoveInRadioGroup(QObject* target, int step) {
  if (!qobject_cast<QRadioButton*>(target)) return false;
  const ControlModel& model = dlg_.Model();
  ControlId current = kStaticId;
  for (const auto& [id, widget] : widgets_) {
    if (widget == target) current = id;
  }
  const std::vector<ControlId> group = model.RadioGroup(current);
  const auto at = std::find(group.begin(), group.end(), current);
  if (at == group.end()) return false;
  const auto size = static_cast<std::ptrdiff_t>(group.size());
  std::ptrdiff_t index = at - group.begin();
  // Round the group, skipping buttons that cannot take the focus.
  for (std::ptrdiff_t tried = 1; tried < size; ++tried) {
    index = (index + step + size) % size;
    QWidget* next = Control(group[static_cast<size_t>(index)]);
    if (!next || !next->isEnabled() || next->isHidden()) continue;
    next->setFocus(Qt::OtherFocusReason);
    dlg_.Click(group[static_cast<size_t>(index)]);
    break;
  }
  return true;
}

void DialogView::UpdateRadioTabStops(ControlId member) {
  const ControlModel& model = dlg_.Model();
  const std::vector<ControlId> group = model.RadioGroup(member);
  if (group.empty()) return;
  ControlId stop = group.front();
  for (ControlId id : group) {
    if (model.IsChecked(id)) stop = id;
  }
  for (ControlId id : group) {
    if (QWidget* widget = Control(id)) {
      widget->setFocusPolicy(id == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  }
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      HandleDialogKey(watched, static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (!HandleDialogKey(this, event)) QWidget::keyPressEvent(event);
}

void DialogView::EndDialog(DialogResult result) {
  if (ending_) return;
  ending_ = true;
  result_ = result;
  // Inside closeEvent the close under way completes; a nested close() would
  // be ignored by Qt.
  if (!inCloseEvent_) close();
}

void DialogView::closeEvent(QCloseEvent* event) {
  if (!ending_) {
    // The close box and the system menu's Close end the dialog through Cancel.
    const QScopedValueRollback guard(inCloseEvent_, true);
    dlg_.OnCancel();
  }
  if (!ending_) {
    event->ignore();
    return;
  }
  event->accept();
  emit finished(static_cast<int>(result_.value_or(DialogResult::kCancel)));
}

void DialogView::contextMenuEvent(QContextMenuEvent* event) {
  // The dialog's face (background, frames, labels) opens the system menu;
  // controls keep their own context menus.
  QWidget* child = childAt(event->pos());
  if (!child || qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child)) {
    ShowSystemMenu(event->globalPos());
    event->accept();
    return;
  }
  event->ignore();
}

void DialogView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!focusedOnce_) {
    focusedOnce_ = true;
    FocusFirstControl();
  }
}

void DialogView::FocusFirstControl() {
  for (const ControlTemplate& control : dlg_.Model().Dialog().controls) {
    QWidget* widget = Control(control.id);
    if (widget && widget->isEnabled() && !widget->isHidden() &&
        (widget->focusPolicy() & Qt::TabFocus)) {
      widget->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

}  // namespace zqk
