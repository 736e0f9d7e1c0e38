#include "ui/qt/LogView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <string>

#include "ui/qt/Cp949Text.h"

namespace zqk {
namespace {

// A log view of its own size (about 8 rows), over a log of its own.
class LogViewTest : public testing::Test {
 protected:
  LogViewTest() : view_(log_) {
    view_.resize(400, view_.LineHeight() * 8 + 2 * view_.frameWidth() + 40);
    view_.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&view_));
    QApplication::processEvents();
  }

  void AppendLines(size_t n, const std::string& prefix = "line ") {
    for (size_t i = 0; i < n; ++i) log_.Append(prefix + std::to_string(log_.Count()));
  }
  // As the dialog's AddLog does: append, then select the new line.
  void AddLog(const std::string& text) {
    const size_t n = log_.Count();
    log_.Append(text);
    if (n > 0) log_.Select(LineIndex{n});
  }
  size_t Selected() const { return log_.Selected().value_or(LineIndex{~size_t{0}}).value; }
  size_t LastTop() const { return log_.Count() - static_cast<size_t>(view_.FullRows()); }

  EventLog log_;
  LogView view_;
};

TEST_F(LogViewTest, AppendsRefreshOncePerEventLoopPass) {
  AppendLines(10'000);
  // Nothing was laid out yet: one refresh is pending, not ten thousand.
  EXPECT_TRUE(view_.RefreshPending());
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), 0);
  QApplication::processEvents();
  EXPECT_FALSE(view_.RefreshPending());
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), static_cast<int>(LastTop()));
  EXPECT_EQ(view_.verticalScrollBar()->pageStep(), view_.FullRows());
}

TEST_F(LogViewTest, NewestSelectedLineIsScrolledIntoView) {
  for (int i = 0; i < 100; ++i) AddLog("entry " + std::to_string(i));
  QApplication::processEvents();
  EXPECT_EQ(Selected(), 99u);
  EXPECT_EQ(view_.TopLine(), LastTop());

  // The user reads old lines; the next line brings the view back down.
  view_.verticalScrollBar()->setValue(0);
  AddLog("entry 100");
  QApplication::processEvents();
  EXPECT_EQ(view_.TopLine(), LastTop());
}

TEST_F(LogViewTest, SelectedRowIsPaintedHighlighted) {
  AppendLines(5);
  log_.Select(LineIndex{2});
  QApplication::processEvents();
  const QImage image = view_.viewport()->grab().toImage();
  const int right = image.width() - 2;
  const QColor highlight = view_.palette().color(QPalette::Highlight);
  const QColor base = view_.palette().color(QPalette::Base);
  const int h = view_.LineHeight();
  EXPECT_EQ(image.pixelColor(right, 2 * h + h / 2).rgb(), highlight.rgb());
  EXPECT_EQ(image.pixelColor(right, 1 * h + h / 2).rgb(), base.rgb());
  EXPECT_EQ(image.pixelColor(right, 6 * h + h / 2).rgb(), base.rgb());  // past the last line
}

TEST_F(LogViewTest, ClickSelectsTheLineUnderTheMouse) {
  AppendLines(50);
  QApplication::processEvents();
  view_.verticalScrollBar()->setValue(10);
  const int h = view_.LineHeight();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 3 * h + h / 2));
  EXPECT_EQ(Selected(), 13u);
  // Below the last line nothing changes.
  log_.Clear();
  AppendLines(2);
  QApplication::processEvents();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5 * h));
  EXPECT_FALSE(log_.Selected().has_value());
}

struct KeyStep {
  Qt::Key key;
  size_t expectedSelection;
};

TEST_F(LogViewTest, KeysMoveTheSelectionAndKeepItInView) {
  AppendLines(1000);
  QApplication::processEvents();
  const size_t page = static_cast<size_t>(view_.FullRows() - 1);
  const KeyStep steps[] = {
      {Qt::Key_Down, 0},  // no selection yet: the top line
      {Qt::Key_Down, 1},
      {Qt::Key_PageDown, 1 + page},
      {Qt::Key_Up, page},
      {Qt::Key_End, 999},
      {Qt::Key_Down, 999},  // stays on the last line
      {Qt::Key_PageUp, 999 - page},
      {Qt::Key_Home, 0},
      {Qt::Key_Up, 0},
  };
  for (const KeyStep& step : steps) {
    QTest::keyClick(&view_, step.key);
    QApplication::processEvents();
    ASSERT_EQ(Selected(), step.expectedSelection) << step.key;
    const size_t top = view_.TopLine();
    EXPECT_LE(top, step.expectedSelection) << step.key;
    EXPECT_LT(step.expectedSelection, top + static_cast<size_t>(view_.FullRows())) << step.key;
  }
}

TEST_F(LogViewTest, CtrlCCopiesTheSelectedLineAsText) {
  AddLog("첫째");
  AddLog("[PM 03:07:09]  체결수량[3]");
  QApplication::clipboard()->clear();
  QTest::keyClick(&view_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), FromCp949("[PM 03:07:09]  체결수량[3]"));
}

TEST_F(LogViewTest, LongLinesWidenTheHorizontalRangeAndClearResetsIt) {
  AppendLines(3);
  QApplication::processEvents();
  EXPECT_EQ(view_.horizontalScrollBar()->maximum(), 0);
  log_.Append(std::string(400, 'W'));
  QApplication::processEvents();
  QApplication::processEvents();  // a paint may widen the range once more
  const int painted = view_.fontMetrics().horizontalAdvance(QString(400, u'W'));
  EXPECT_GE(view_.ContentWidth(), painted);
  EXPECT_GE(view_.horizontalScrollBar()->maximum(),
            view_.ContentWidth() - view_.viewport()->width());
  EXPECT_GT(view_.horizontalScrollBar()->maximum(), 0);

  log_.Clear();
  QApplication::processEvents();
  EXPECT_EQ(view_.horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), 0);
}

TEST_F(LogViewTest, BytesThatAreNotCp949PaintWithoutHarm) {
  log_.Append(std::string("\xff\xfe\x80 tail", 8));
  log_.Append(std::string("\xb0", 1));  // half of a two-byte character
  log_.Select(LineIndex{0});
  QApplication::processEvents();
  static_cast<void>(view_.viewport()->grab());
  QTest::keyClick(&view_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().endsWith(QStringLiteral(" tail")));
  EXPECT_EQ(log_.Line(LineIndex{0}).size(), 8u);  // the log keeps the bytes as they came
}

}  // namespace
}  // namespace zqk
