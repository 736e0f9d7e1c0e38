#pragma once
// The log window: a second, resizable view of the dialog's event log (the
// same lines, no copy) with find (Ctrl+F, incremental, next and previous,
// the number of matching lines), a switch that shows the matching lines
// only, following of the newest line with a mark while it is off, copying
// of several lines, and export as CSV or JSON Lines.

#include <QWidget>
#include <memory>

#include "dialog/CZQKCommClientDlg.h"
#include "dialog/LogExport.h"
#include "dialog/LogPattern.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace zqk {

class LogExportJob;
class LogPane;

class LogWindow : public QWidget {
  Q_OBJECT
 public:
  LogWindow(CZQKCommClientDlg& dlg, QWidget* parent = nullptr);
  ~LogWindow() override;

  LogPane* Pane() const { return pane_; }
  QLineEdit* FindEdit() const { return find_; }
  QCheckBox* MatchCaseBox() const { return matchCase_; }
  QCheckBox* FilterBox() const { return filter_; }
  QLabel* SearchStatus() const { return searchStatus_; }
  QLabel* FollowMark() const { return followMark_; }
  QLabel* Notice() const { return notice_; }

  // Writes the whole log, or the lines that match the search, to `path`;
  // the outcome shows in Notice(). False when it cannot start.
  bool ExportTo(const QString& path, ExportFormat format, bool matchingOnly);
  bool Exporting() const;

  // Captions in the dialog's display language of the moment.
  void ApplyLanguage();

 private:
  void OnFindChanged();
  void UpdateSearchStatus();
  void ChooseExport(ExportFormat format, bool matchingOnly);
  void ShowNotice(const QString& text, bool problem);
  QString Text(std::string_view korean, std::string_view english) const;

  CZQKCommClientDlg& dlg_;
  LogPane* pane_ = nullptr;
  QLineEdit* find_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* filter_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* export_ = nullptr;
  QMenu* exportMenu_ = nullptr;
  QLabel* searchStatus_ = nullptr;
  QLabel* followMark_ = nullptr;
  QLabel* notice_ = nullptr;
  // Why the text in the find box cannot be searched for, if it cannot.
  std::optional<PatternProblem> problem_;
  std::unique_ptr<LogExportJob> exportJob_;
};

}  // namespace zqk
