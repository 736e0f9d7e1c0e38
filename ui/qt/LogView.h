#pragma once
// The event log's list box: a scroll area that asks the log for the rows on
// screen only and paints them. The vertical range is the line count, so a log
// of millions of lines costs nothing here beyond the rows shown. Appends and
// selection changes only mark the view dirty; one refresh per event-loop pass
// brings the scroll bars and the picture up to date.

#include <QAbstractScrollArea>
#include <optional>

#include "dialog/EventLog.h"

namespace zqk {

class LogView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit LogView(EventLog& log, QWidget* parent = nullptr);
  ~LogView() override;

  int LineHeight() const { return lineHeight_; }
  // The first line shown (the vertical scroll position).
  size_t TopLine() const;
  // Rows that fit the viewport completely (at least 1).
  int FullRows() const;
  // The line under viewport position y, if there is one.
  std::optional<LineIndex> LineAt(int y) const;
  // The width (pixels) that the horizontal range covers.
  int ContentWidth() const;
  // Copies the selected line to the clipboard as text.
  void CopySelection() const;
  // Runs the pending refresh now (the event loop does it otherwise).
  void RefreshNow();
  bool RefreshPending() const { return refreshPending_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void OnLogChange(LogChange change);
  void ScheduleRefresh();
  void UpdateMetrics();
  void UpdateScrollBars();
  void ScrollTo(LineIndex line);
  void SelectLine(size_t line);

  EventLog& log_;
  EventLog::ListenerId listener_ = 0;
  int lineHeight_ = 1;
  int averageCharWidth_ = 1;
  // The longest line so far, in bytes (estimated width = bytes x average
  // character width), and the widest line painted, in pixels.
  size_t longestLineBytes_ = 0;
  int widestPainted_ = 0;
  bool refreshPending_ = false;
  bool scrollToSelection_ = false;
};

}  // namespace zqk
