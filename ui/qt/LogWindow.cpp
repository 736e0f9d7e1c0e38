#include "ui/qt/LogWindow.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/LogExportJob.h"
#include "ui/qt/LogPane.h"

namespace zqk {
namespace {

// Enter in the find box goes to the next match, Shift+Enter to the previous.
class FindBox : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void(SearchDirection)> onStep;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onStep) {
      onStep(event->modifiers() & Qt::ShiftModifier ? SearchDirection::kPrevious
                                                    : SearchDirection::kNext);
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

}  // namespace

LogWindow::LogWindow(CZQKCommClientDlg& dlg, QWidget* parent)
    : QWidget(parent, Qt::Window), dlg_(dlg) {
  // The list box's face, whose glyphs cover the Korean lines.
  setFont(DialogFont());
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout();
  auto* find = new FindBox(this);
  find_ = find;
  find_->setClearButtonEnabled(true);
  matchCase_ = new QCheckBox(this);
  previous_ = new QPushButton(this);
  next_ = new QPushButton(this);
  filter_ = new QCheckBox(this);
  searchStatus_ = new QLabel(this);
  bar->addWidget(find_, 1);
  bar->addWidget(matchCase_);
  bar->addWidget(previous_);
  bar->addWidget(next_);
  bar->addWidget(filter_);
  layout->addLayout(bar);

  pane_ = new LogPane(dlg_.Log(), this);
  layout->addWidget(pane_, 1);

  auto* foot = new QHBoxLayout();
  followMark_ = new QLabel(this);
  followMark_->setStyleSheet(
      QStringLiteral("QLabel { color: white; background: #b34700; "
                     "padding: 1px 6px; border-radius: 3px; }"));
  followMark_->setVisible(!pane_->Following());
  notice_ = new QLabel(this);
  notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  export_ = new QPushButton(this);
  exportMenu_ = new QMenu(this);
  export_->setMenu(exportMenu_);
  foot->addWidget(followMark_);
  foot->addWidget(searchStatus_);
  foot->addWidget(notice_, 1);
  foot->addWidget(export_);
  layout->addLayout(foot);

  find->onStep = [this](SearchDirection d) { pane_->StepMatch(d); };
  connect(find_, &QLineEdit::textChanged, this, &LogWindow::OnFindChanged);
  connect(matchCase_, &QCheckBox::toggled, this, &LogWindow::OnFindChanged);
  connect(filter_, &QCheckBox::toggled, this, [this](bool on) { pane_->SetFiltered(on); });
  connect(next_, &QPushButton::clicked, this, [this] { pane_->StepMatch(SearchDirection::kNext); });
  connect(previous_, &QPushButton::clicked, this,
          [this] { pane_->StepMatch(SearchDirection::kPrevious); });
  connect(pane_, &LogPane::followingChanged, this,
          [this](bool following) { followMark_->setVisible(!following); });
  connect(pane_, &LogPane::searchProgressed, this, &LogWindow::UpdateSearchStatus);
  connect(pane_, &LogPane::cursorMoved, this, &LogWindow::UpdateSearchStatus);
  connect(pane_, &LogPane::copied, this, [this](qsizetype copied, qsizetype selected) {
    if (copied < selected) {
      ShowNotice(Text("선택한 %2줄 가운데 앞의 %1줄만 복사했습니다. 모두 저장하려면 내보내기를 "
                      "쓰십시오.",
                      "Copied the first %1 of %2 selected lines; Export saves them all.")
                     .arg(copied)
                     .arg(selected),
                 true);
    }
  });
  auto* findKey = new QShortcut(QKeySequence::Find, this);
  connect(findKey, &QShortcut::activated, this, [this] {
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
  });
  auto* nextKey = new QShortcut(QKeySequence::FindNext, this);
  connect(nextKey, &QShortcut::activated, this,
          [this] { pane_->StepMatch(SearchDirection::kNext); });
  auto* previousKey = new QShortcut(QKeySequence::FindPrevious, this);
  connect(previousKey, &QShortcut::activated, this,
          [this] { pane_->StepMatch(SearchDirection::kPrevious); });

  resize(820, 520);
  ApplyLanguage();
  pane_->setFocus(Qt::OtherFocusReason);
}

LogWindow::~LogWindow() = default;

QString LogWindow::Text(std::string_view korean, std::string_view english) const {
  return FromCp949(dlg_.Lang(korean, english));
}

void LogWindow::ApplyLanguage() {
  setWindowTitle(Text("로그 창", "Log"));
  find_->setPlaceholderText(Text("찾기 (Ctrl+F)", "Find (Ctrl+F)"));
  matchCase_->setText(Text("대소문자 구분", "Match case"));
  previous_->setText(Text("이전", "Previous"));
  next_->setText(Text("다음", "Next"));
  filter_->setText(Text("일치하는 줄만", "Matching lines only"));
  followMark_->setText(Text("따라가기 꺼짐 - End 키로 최신 줄을 다시 따라갑니다",
                            "Following off - End follows again"));
  export_->setText(Text("내보내기", "Export"));
  exportMenu_->clear();
  struct Choice {
    std::string_view korean, english;
    ExportFormat format;
    bool matchingOnly;
  };
  static constexpr Choice kChoices[] = {
      {"전체 로그 - CSV...", "Whole log as CSV...", ExportFormat::kCsv, false},
      {"전체 로그 - JSON Lines...", "Whole log as JSON Lines...", ExportFormat::kJsonLines, false},
      {"일치하는 줄 - CSV...", "Matching lines as CSV...", ExportFormat::kCsv, true},
      {"일치하는 줄 - JSON Lines...", "Matching lines as JSON Lines...", ExportFormat::kJsonLines,
       true},
  };
  for (const Choice& c : kChoices) {
    QAction* action = exportMenu_->addAction(Text(c.korean, c.english));
    connect(action, &QAction::triggered, this,
            [this, c] { ChooseExport(c.format, c.matchingOnly); });
    if (c.matchingOnly) {
      connect(exportMenu_, &QMenu::aboutToShow, action,
              [this, action] { action->setEnabled(pane_->Search().Pattern() != nullptr); });
    }
  }
  UpdateSearchStatus();
}

void LogWindow::OnFindChanged() {
  const QString text = find_->text();
  problem_.reset();
  if (text.isEmpty()) {
    pane_->SetPattern(std::nullopt);
    return;
  }
  if (!IsCp949Encodable(text)) {
    problem_ = PatternProblem::kNotCp949;
    pane_->SetPattern(std::nullopt);
    return;
  }
  auto compiled = LogPattern::Compile(ToCp949(text), matchCase_->isChecked());
  if (auto* problem = std::get_if<PatternProblem>(&compiled)) {
    problem_ = *problem;
    pane_->SetPattern(std::nullopt);
    return;
  }
  pane_->SetPattern(std::get<LogPattern>(std::move(compiled)));
}

void LogWindow::UpdateSearchStatus() {
  QPalette palette = searchStatus_->palette();
  palette.setColor(QPalette::WindowText,
                   problem_ ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  searchStatus_->setPalette(palette);
  if (problem_) {
    switch (*problem_) {
      case PatternProblem::kTooLong:
        searchStatus_->setText(Text("찾을 글이 4,096바이트보다 깁니다", "Longer than 4,096 bytes"));
        break;
      case PatternProblem::kNotCp949:
        searchStatus_->setText(
            Text("CP949에 없는 글자는 찾을 수 없습니다", "Holds characters CP949 lacks"));
        break;
      case PatternProblem::kEmpty:
        searchStatus_->clear();
        break;
    }
    return;
  }
  const LogSearch& search = pane_->Search();
  if (!search.Pattern()) {
    searchStatus_->clear();
    return;
  }
  QString status = Text("%1줄 일치", "%1 matching lines").arg(search.Matches().size());
  if (const std::optional<LineIndex> cursor = pane_->Cursor()) {
    if (const std::optional<size_t> number = search.MatchNumber(*cursor)) {
      status = QStringLiteral("%1 / %2").arg(*number + 1).arg(search.Matches().size());
    }
  }
  if (!pane_->SearchComplete()) {
    const size_t count = std::max<size_t>(dlg_.Log().Count(), 1);
    status += Text(" (찾는 중 %1%)", " (searching %1%)").arg(search.Searched() * 100 / count);
  }
  searchStatus_->setText(status);
}

void LogWindow::ChooseExport(ExportFormat format, bool matchingOnly) {
  const bool csv = format == ExportFormat::kCsv;
  const QString path = QFileDialog::getSaveFileName(
      this, Text("로그 내보내기", "Export Log"),
      csv ? QStringLiteral("ocx_log.csv") : QStringLiteral("ocx_log.jsonl"),
      csv ? QStringLiteral("CSV (*.csv)") : QStringLiteral("JSON Lines (*.jsonl)"));
  if (!path.isEmpty()) ExportTo(path, format, matchingOnly);
}

bool LogWindow::ExportTo(const QString& path, ExportFormat format, bool matchingOnly) {
  if (Exporting()) {
    ShowNotice(Text("내보내기가 이미 진행 중입니다", "An export is under way already"), true);
    return false;
  }
  std::optional<LogPattern> filter;
  if (matchingOnly) {
    if (!pane_->Search().Pattern()) {
      ShowNotice(
          Text("찾을 글이 없어 일치하는 줄도 없습니다", "No text to find, so no matching lines"),
          true);
      return false;
    }
    filter = *pane_->Search().Pattern();
  }
  exportJob_ = std::make_unique<LogExportJob>(dlg_.Log(), path, format, std::move(filter));
  connect(
      exportJob_.get(), &LogExportJob::finished, this,
      [this, path](const QString& error, qsizetype lines) {
        if (exportJob_->Cleared()) {
          ShowNotice(Text("내보내는 동안 로그가 지워져 내보내지 않았습니다",
                          "The log was cleared during the export; nothing was exported"),
                     true);
        } else if (!error.isEmpty()) {
          ShowNotice(
              Text("%1에 내보내지 못했습니다: %2", "Could not export to %1: %2").arg(path, error),
              true);
        } else {
          ShowNotice(
              Text("%1줄을 %2에 내보냈습니다", "Exported %1 lines to %2").arg(lines).arg(path),
              false);
        }
      });
  ShowNotice(Text("내보내는 중...", "Exporting..."), false);
  exportJob_->Start();
  return true;
}

bool LogWindow::Exporting() const {
  return exportJob_ && exportJob_->Busy();
}

void LogWindow::ShowNotice(const QString& text, bool problem) {
  QPalette palette = notice_->palette();
  palette.setColor(QPalette::WindowText,
                   problem ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  notice_->setPalette(palette);
  notice_->setText(text);
}

}  // namespace zqk
