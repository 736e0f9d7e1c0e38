#include "ui/qt/LogPane.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/ListKeys.h"

namespace zqk {
namespace {

constexpr int kTextInset = 2;
// As in the list box: a longer line is painted up to here.
constexpr size_t kMaxPaintedBytes = 64 * 1024;
// Matches highlighted in one painted line at most.
constexpr int kMaxHighlights = 64;
// Lines a search slice takes between looks at the clock.
constexpr size_t kLinesBetweenClockLooks = 32 * 1024;

int ClampToInt(size_t value) {
  return static_cast<int>(std::min<size_t>(value, INT_MAX));
}

}  // namespace

LogPane::LogPane(EventLog& log, QWidget* parent) : QAbstractScrollArea(parent), log_(log) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  const QFontMetrics metrics = fontMetrics();
  lineHeight_ = std::max(1, metrics.height());
  averageCharWidth_ = std::max(1, metrics.averageCharWidth());
  for (size_t i = 0; i < log_.Count(); ++i) {
    longestLineBytes_ = std::max(longestLineBytes_, log_.Line(LineIndex{i}).size());
  }
  listener_ = log_.AddListener([this](LogChange change) { OnLogChange(change); });
  searchTimer_.setSingleShot(true);
  searchTimer_.setInterval(0);
  connect(&searchTimer_, &QTimer::timeout, this, &LogPane::SearchSlice);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    // The user scrolled: up stops following, to the bottom follows again.
    if (!scrolling_) SetFollowing(value >= verticalScrollBar()->maximum());
  });
  UpdateScrollBars();
  ScheduleRefresh();
}

LogPane::~LogPane() {
  log_.RemoveListener(listener_);
}

void LogPane::SetPattern(std::optional<LogPattern> pattern) {
  if (pattern) {
    search_.Start(std::move(*pattern));
  } else {
    search_.Stop();
  }
  ScheduleSearch();
  ScheduleRefresh();
  emit searchProgressed();
}

void LogPane::SetFiltered(bool filtered) {
  if (filtered_ == filtered) return;
  filtered_ = filtered;
  scrollToCursor_ = cursor_.has_value() && !following_;
  ScheduleRefresh();
}

bool LogPane::StepMatch(SearchDirection direction) {
  const std::optional<LineIndex> next = search_.Step(cursor_, direction);
  if (!next) return false;
  SelectLines(*next, *next);
  return true;
}

size_t LogPane::RowCount() const {
  return Filtered() ? search_.Matches().size() : log_.Count();
}

LineIndex LogPane::LineOfRow(size_t row) const {
  return Filtered() ? search_.Matches()[row] : LineIndex{row};
}

size_t LogPane::RowAtOrAfter(LineIndex line) const {
  if (!Filtered()) return line.value;
  const auto& matches = search_.Matches();
  return static_cast<size_t>(std::lower_bound(matches.begin(), matches.end(), line) -
                             matches.begin());
}

size_t LogPane::TopRow() const {
  return static_cast<size_t>(verticalScrollBar()->value());
}

int LogPane::FullRows() const {
  return std::max(1, viewport()->height() / lineHeight_);
}

std::optional<size_t> LogPane::RowAt(int y) const {
  const size_t row = TopRow() + static_cast<size_t>(std::max(0, y) / lineHeight_);
  if (row >= RowCount()) return std::nullopt;
  return row;
}

void LogPane::Follow() {
  SetFollowing(true);
  ScheduleRefresh();
}

void LogPane::SetFollowing(bool following) {
  if (following_ == following) return;
  following_ = following;
  emit followingChanged(following_);
}

void LogPane::SelectLines(LineIndex anchor, LineIndex cursor) {
  anchor_ = anchor;
  cursor_ = cursor;
  SetFollowing(false);
  scrollToCursor_ = true;
  ScheduleRefresh();
  emit cursorMoved();
}

bool LogPane::IsSelected(LineIndex line) const {
  if (!anchor_ || !cursor_) return false;
  return std::min(*anchor_, *cursor_) <= line && line <= std::max(*anchor_, *cursor_);
}

std::vector<LineIndex> LogPane::SelectedLines() const {
  std::vector<LineIndex> lines;
  if (!anchor_ || !cursor_) return lines;
  const LineIndex first = std::min(*anchor_, *cursor_);
  const LineIndex last = std::min(std::max(*anchor_, *cursor_), LineIndex{log_.Count()});
  for (size_t row = RowAtOrAfter(first); row < RowCount(); ++row) {
    const LineIndex line = LineOfRow(row);
    if (last < line || line.value >= log_.Count()) break;
    lines.push_back(line);
  }
  return lines;
}

void LogPane::CopySelection() {
  const std::vector<LineIndex> lines = SelectedLines();
  if (lines.empty()) return;
  const size_t copied = std::min(lines.size(), kMaxCopiedLines);
  QString text;
  for (size_t i = 0; i < copied; ++i) {
    text += FromCp949(log_.Line(lines[i]));
    text += QLatin1Char('\n');
  }
  QGuiApplication::clipboard()->setText(text);
  emit this->copied(static_cast<qsizetype>(copied), static_cast<qsizetype>(lines.size()));
}

void LogPane::OnLogChange(LogChange change) {
  switch (change) {
    case LogChange::kAppended:
      longestLineBytes_ =
          std::max(longestLineBytes_, log_.Line(LineIndex{log_.Count() - 1}).size());
      if (search_.Pattern()) ScheduleSearch();
      break;
    case LogChange::kCleared:
      longestLineBytes_ = 0;
      widestPainted_ = 0;
      anchor_.reset();
      cursor_.reset();
      search_.Cleared();
      SetFollowing(true);
      emit searchProgressed();
      break;
    case LogChange::kSelection:
      return;  // the list box's selection, not ours
  }
  ScheduleRefresh();
}

void LogPane::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QMetaObject::invokeMethod(this, &LogPane::RefreshNow, Qt::QueuedConnection);
}

void LogPane::ScheduleSearch() {
  if (!search_.Complete(log_) && !searchTimer_.isActive()) searchTimer_.start();
}

void LogPane::SearchSlice() {
  QElapsedTimer clock;
  clock.start();
  const size_t before = search_.Matches().size();
  bool done = false;
  while (!done && clock.elapsed() < kSearchSliceMs) {
    done = search_.Continue(log_, kLinesBetweenClockLooks);
  }
  if (!done) searchTimer_.start();
  if (Filtered() || search_.Matches().size() != before) ScheduleRefresh();
  emit searchProgressed();
}

void LogPane::RefreshNow() {
  refreshPending_ = false;
  UpdateScrollBars();
  const QScopedValueRollback guard(scrolling_, true);
  if (following_) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  } else if (scrollToCursor_ && cursor_) {
    ScrollToRow(RowAtOrAfter(*cursor_));
  }
  scrollToCursor_ = false;
  viewport()->update();
}

void LogPane::UpdateScrollBars() {
  const QScopedValueRollback guard(scrolling_, true);
  const int rows = FullRows();
  const size_t count = RowCount();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, count > static_cast<size_t>(rows) ? ClampToInt(count - rows) : 0);
  vertical->setPageStep(rows);
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = viewport()->width();
  horizontal->setRange(0, std::max(0, ContentWidth() - width));
  horizontal->setPageStep(std::max(1, width));
  horizontal->setSingleStep(averageCharWidth_ * 2);
}

int LogPane::ContentWidth() const {
  const size_t bytes = std::min(longestLineBytes_, kMaxPaintedBytes);
  const int estimated = ClampToInt(bytes * static_cast<size_t>(averageCharWidth_));
  return std::max(estimated, widestPainted_) + 2 * kTextInset;
}

void LogPane::ScrollToRow(size_t row) {
  const size_t top = TopRow();
  const size_t rows = static_cast<size_t>(FullRows());
  if (row < top) {
    verticalScrollBar()->setValue(ClampToInt(row));
  } else if (row >= top + rows) {
    verticalScrollBar()->setValue(ClampToInt(row - rows + 1));
  }
}

void LogPane::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QFontMetrics metrics = fontMetrics();
  const size_t count = RowCount();
  const size_t top = TopRow();
  const int x = kTextInset - horizontalScrollBar()->value();
  const int width = viewport()->width();
  const int height = viewport()->height();
  const LogPattern* pattern = search_.Pattern();
  const QColor found(255, 230, 120);
  int widest = widestPainted_;
  for (int y = 0; y < height; y += lineHeight_) {
    const size_t row = top + static_cast<size_t>(y / lineHeight_);
    if (row >= count) break;
    const LineIndex line = LineOfRow(row);
    const std::string_view bytes = log_.Line(line).substr(0, kMaxPaintedBytes);
    const QString text = FromCp949(bytes);
    const QRect rect(0, y, width, lineHeight_);
    const bool selected = IsSelected(line);
    if (selected) painter.fillRect(rect, palette().brush(QPalette::Highlight));
    if (pattern && !selected) {
      size_t at = pattern->FindIn(bytes);
      for (int n = 0; at != std::string_view::npos && n < kMaxHighlights; ++n) {
        const int left = metrics.horizontalAdvance(FromCp949(bytes.substr(0, at)));
        const int span =
            metrics.horizontalAdvance(FromCp949(bytes.substr(at, pattern->Text().size())));
        painter.fillRect(QRect(x + left, y, span, lineHeight_), found);
        at = pattern->FindIn(bytes, at + pattern->Text().size());
      }
    }
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(x, y + metrics.ascent(), text);
    widest = std::max(widest, metrics.horizontalAdvance(text));
  }
  if (widest > widestPainted_) {
    widestPainted_ = widest;
    ScheduleRefresh();
  }
}

void LogPane::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  if (following_) {
    const QScopedValueRollback guard(scrolling_, true);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  }
}

void LogPane::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

void LogPane::MoveCursorToRow(size_t row, bool extend) {
  if (RowCount() == 0) return;
  row = std::min(row, RowCount() - 1);
  const LineIndex line = LineOfRow(row);
  SelectLines(extend && anchor_ ? *anchor_ : line, line);
}

void LogPane::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  if (const std::optional<size_t> row = RowAt(event->position().toPoint().y())) {
    MoveCursorToRow(*row, event->modifiers() & Qt::ShiftModifier);
  }
}

void LogPane::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const int y = std::clamp(event->position().toPoint().y(), 0, viewport()->height() - 1);
  if (const std::optional<size_t> row = RowAt(y)) MoveCursorToRow(*row, true);
}

void LogPane::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    return;
  }
  const size_t count = RowCount();
  if (event->matches(QKeySequence::SelectAll)) {
    if (count > 0) {
      anchor_ = LineOfRow(0);
      cursor_ = LineOfRow(count - 1);
      ScheduleRefresh();
    }
    return;
  }
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  if (event->key() == Qt::Key_End) {
    if (count > 0 && (extend || cursor_)) MoveCursorToRow(count - 1, extend);
    Follow();
    return;
  }
  const std::optional<size_t> current =
      cursor_ ? std::optional<size_t>(RowAtOrAfter(*cursor_)) : std::nullopt;
  const int64_t from = static_cast<int64_t>(current.value_or(TopRow()));
  const int64_t page = std::max(1, FullRows() - 1);
  if (!MovesListRow(event->key())) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if (count == 0) return;
  MoveCursorToRow(ListRowAfterKey(event->key(), from, current.has_value(), page, count), extend);
}

void LogPane::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    const QFontMetrics metrics = fontMetrics();
    lineHeight_ = std::max(1, metrics.height());
    averageCharWidth_ = std::max(1, metrics.averageCharWidth());
    ScheduleRefresh();
  }
}

}  // namespace zqk
