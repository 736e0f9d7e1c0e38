#include "ui/qt/LogView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <climits>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/ListKeys.h"

namespace zqk {
namespace {

// Text starts this far from the left edge, as in the platform's list box.
constexpr int kTextInset = 2;
// A line longer than this is painted up to here: shaping megabytes of text
// on every repaint would freeze the window for one bad line from the agent.
constexpr size_t kMaxPaintedBytes = 64 * 1024;

int ClampToInt(size_t value) {
  return static_cast<int>(std::min<size_t>(value, INT_MAX));
}

}  // namespace

LogView::LogView(EventLog& log, QWidget* parent) : QAbstractScrollArea(parent), log_(log) {
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  UpdateMetrics();
  for (size_t i = 0; i < log_.Count(); ++i) {
    longestLineBytes_ = std::max(longestLineBytes_, log_.Line(LineIndex{i}).size());
  }
  listener_ = log_.AddListener([this](LogChange change) { OnLogChange(change); });
  scrollToSelection_ = log_.Selected().has_value();
  UpdateScrollBars();
}

LogView::~LogView() {
  log_.RemoveListener(listener_);
}

size_t LogView::TopLine() const {
  return static_cast<size_t>(verticalScrollBar()->value());
}

int LogView::FullRows() const {
  return std::max(1, viewport()->height() / lineHeight_);
}

std::optional<LineIndex> LogView::LineAt(int y) const {
  if (y < 0) return std::nullopt;
  const size_t line = TopLine() + static_cast<size_t>(y / lineHeight_);
  if (line >= log_.Count()) return std::nullopt;
  return LineIndex{line};
}

int LogView::ContentWidth() const {
  const size_t bytes = std::min(longestLineBytes_, kMaxPaintedBytes);
  const int estimated = ClampToInt(bytes * static_cast<size_t>(averageCharWidth_));
  return std::max(estimated, widestPainted_) + 2 * kTextInset;
}

void LogView::CopySelection() const {
  const std::optional<LineIndex> selected = log_.Selected();
  if (!selected) return;
  QGuiApplication::clipboard()->setText(FromCp949(log_.Line(*selected)));
}

void LogView::OnLogChange(LogChange change) {
  switch (change) {
    case LogChange::kAppended:
      // Only the new line's length: the view never walks the log on append.
      longestLineBytes_ =
          std::max(longestLineBytes_, log_.Line(LineIndex{log_.Count() - 1}).size());
      break;
    case LogChange::kCleared:
      longestLineBytes_ = 0;
      widestPainted_ = 0;
      break;
    case LogChange::kSelection:
      scrollToSelection_ = log_.Selected().has_value();
      break;
  }
  ScheduleRefresh();
}

void LogView::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QMetaObject::invokeMethod(this, &LogView::RefreshNow, Qt::QueuedConnection);
}

void LogView::RefreshNow() {
  refreshPending_ = false;
  UpdateScrollBars();
  if (scrollToSelection_) {
    scrollToSelection_ = false;
    if (const std::optional<LineIndex> selected = log_.Selected()) ScrollTo(*selected);
  }
  viewport()->update();
}

void LogView::UpdateMetrics() {
  const QFontMetrics metrics = fontMetrics();
  lineHeight_ = std::max(1, metrics.height());
  averageCharWidth_ = std::max(1, metrics.averageCharWidth());
}

void LogView::UpdateScrollBars() {
  const int rows = FullRows();
  const size_t count = log_.Count();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, count > static_cast<size_t>(rows) ? ClampToInt(count - rows) : 0);
  vertical->setPageStep(rows);
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = viewport()->width();
  horizontal->setRange(0, std::max(0, ContentWidth() - width));
  horizontal->setPageStep(std::max(1, width));
  horizontal->setSingleStep(averageCharWidth_ * 2);
}

void LogView::ScrollTo(LineIndex line) {
  const size_t top = TopLine();
  const size_t rows = static_cast<size_t>(FullRows());
  if (line.value < top) {
    verticalScrollBar()->setValue(ClampToInt(line.value));
  } else if (line.value >= top + rows) {
    verticalScrollBar()->setValue(ClampToInt(line.value - rows + 1));
  }
}

void LogView::SelectLine(size_t line) {
  log_.Select(LineIndex{line});
  // The user moved the selection to a line that is selected already: still
  // bring it into view.
  scrollToSelection_ = true;
  ScheduleRefresh();
}

void LogView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QFontMetrics metrics = fontMetrics();
  const size_t count = log_.Count();
  const size_t top = TopLine();
  const int x = kTextInset - horizontalScrollBar()->value();
  const int width = viewport()->width();
  const int height = viewport()->height();
  const std::optional<LineIndex> selected = log_.Selected();
  int widest = widestPainted_;
  for (int y = 0; y < height; y += lineHeight_) {
    const size_t line = top + static_cast<size_t>(y / lineHeight_);
    if (line >= count) break;
    const std::string_view bytes = log_.Line(LineIndex{line});
    const QString text = FromCp949(bytes.substr(0, kMaxPaintedBytes));
    const QRect row(0, y, width, lineHeight_);
    const bool isSelected = selected && selected->value == line;
    if (isSelected) {
      painter.fillRect(row, palette().brush(QPalette::Highlight));
      painter.setPen(palette().color(QPalette::HighlightedText));
    } else {
      painter.setPen(palette().color(QPalette::Text));
    }
    painter.drawText(x, y + metrics.ascent(), text);
    widest = std::max(widest, metrics.horizontalAdvance(text));
    if (isSelected && hasFocus()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      option.rect = row;
      option.backgroundColor = palette().color(QPalette::Highlight);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
  }
  if (widest > widestPainted_) {
    // The estimate fell short for a line on screen: widen the range.
    widestPainted_ = widest;
    ScheduleRefresh();
  }
}

void LogView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void LogView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

void LogView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  if (const std::optional<LineIndex> line = LineAt(event->position().toPoint().y())) {
    SelectLine(line->value);
  }
}

void LogView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    return;
  }
  const size_t count = log_.Count();
  const std::optional<LineIndex> selected = log_.Selected();
  // Without a selection the first key selects the top line shown.
  const int64_t current = static_cast<int64_t>(selected ? selected->value : TopLine());
  const int64_t page = std::max(1, FullRows() - 1);
  if (!MovesListRow(event->key())) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if (count == 0) return;
  SelectLine(ListRowAfterKey(event->key(), current, selected.has_value(), page, count));
}

void LogView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    UpdateMetrics();
    UpdateScrollBars();
    viewport()->update();
  }
}

}  // namespace zqk
