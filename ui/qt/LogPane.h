#pragma once
// The log window's view of the event log: a scroll area that, like the list
// box, asks the log for the rows on screen only, with what the list box
// lacks: it follows the newest line only until the user scrolls up or
// selects, selects a range of lines, highlights the matches of a search
// that runs a slice per event-loop pass, and can show the matching lines
// only. It reads the dialog's log and never changes it (nor its selection).

#include <QAbstractScrollArea>
#include <QTimer>
#include <optional>
#include <vector>

#include "dialog/EventLog.h"
#include "dialog/LogSearch.h"

namespace zqk {

class LogPane : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // A search slice yields to the event loop after this long.
  static constexpr int kSearchSliceMs = 8;
  // Ctrl+C copies at most this many lines (export takes any number).
  static constexpr size_t kMaxCopiedLines = 100'000;

  explicit LogPane(EventLog& log, QWidget* parent = nullptr);
  ~LogPane() override;

  // --- Search -----------------------------------------------------------
  // A new pattern, searched from the first line; none clears the search.
  void SetPattern(std::optional<LogPattern> pattern);
  const LogSearch& Search() const { return search_; }
  bool SearchComplete() const { return search_.Complete(log_); }
  // Only the matching lines are shown (with a pattern).
  void SetFiltered(bool filtered);
  bool Filtered() const { return filtered_ && search_.Pattern(); }
  // Selects the next (previous) match from the cursor, going round the ends.
  bool StepMatch(SearchDirection direction);

  // --- Rows shown: every line, or the matching ones ---------------------
  size_t RowCount() const;
  LineIndex LineOfRow(size_t row) const;
  size_t TopRow() const;
  int FullRows() const;
  int LineHeight() const { return lineHeight_; }

  // --- Following ----------------------------------------------------------
  bool Following() const { return following_; }
  // Shows the newest line and keeps doing so (End).
  void Follow();

  // --- Selection: the lines from the anchor to the cursor -----------------
  std::optional<LineIndex> Cursor() const { return cursor_; }
  // The user selects lines `anchor` to `cursor` (stops following).
  void SelectLines(LineIndex anchor, LineIndex cursor);
  // The selected lines that are shown, in order.
  std::vector<LineIndex> SelectedLines() const;
  // Copies the selected lines to the clipboard: UTF-8 text with their
  // timestamps, one line each.
  void CopySelection();

  // Runs the pending refresh now (the event loop does it otherwise).
  void RefreshNow();
  bool RefreshPending() const { return refreshPending_; }

 signals:
  void followingChanged(bool following);
  // The user selected other lines.
  void cursorMoved();
  // The search found more, or finished.
  void searchProgressed();
  // Ctrl+C copied `copied` of the `selected` lines (fewer when too many).
  void copied(qsizetype copied, qsizetype selected);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void OnLogChange(LogChange change);
  void ScheduleRefresh();
  void ScheduleSearch();
  void SearchSlice();
  void SetFollowing(bool following);
  void UpdateScrollBars();
  void ScrollToRow(size_t row);
  // The row of `line`, or of the first shown line after it.
  size_t RowAtOrAfter(LineIndex line) const;
  std::optional<size_t> RowAt(int y) const;
  void MoveCursorToRow(size_t row, bool extend);
  bool IsSelected(LineIndex line) const;
  int ContentWidth() const;

  EventLog& log_;
  EventLog::ListenerId listener_ = 0;
  LogSearch search_;
  QTimer searchTimer_;
  bool filtered_ = false;
  bool following_ = true;
  // Set while the view moves its own scroll bar: only the user's moves
  // switch following.
  bool scrolling_ = false;
  std::optional<LineIndex> anchor_;
  std::optional<LineIndex> cursor_;
  bool scrollToCursor_ = false;
  int lineHeight_ = 1;
  int averageCharWidth_ = 1;
  size_t longestLineBytes_ = 0;
  int widestPainted_ = 0;
  bool refreshPending_ = false;
};

}  // namespace zqk
