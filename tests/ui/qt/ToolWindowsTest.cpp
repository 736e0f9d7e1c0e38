// The tool windows beside the dialog: opened by their keys and menu items,
// captions by the language radios; the log window follows, selects, copies,
// finds, filters and exports over the dialog's own log without touching the
// list box; the activity window shows the dialog's requests.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <string>

#include "agent/abi/ComponentRegistry.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/support/BuiltFile.h"
#include "tests/ui/qt/FixtureAgentRig.h"
#include "tests/ui/qt/QtRig.h"
#include "ui/qt/ActivityWindow.h"
#include "ui/qt/LogPane.h"
#include "ui/qt/LogWindow.h"
#include "ui/qt/TextTableModel.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {
namespace {

const size_t kActivity = ToolIndex(Qt::Key_F4);
const size_t kLog = ToolIndex(Qt::Key_F5);

QString Q(std::string_view cp949) {
  return FromCp949(cp949);
}

// Runs the event loop until `done` or a few seconds have passed.
template <typename F>
bool Settle(F done) {
  for (int i = 0; i < 2000 && !done(); ++i) {
    QApplication::processEvents();
    QTest::qWait(1);
  }
  return done();
}

TEST(ToolWindows, OpenByTheirKeysWithCaptionsInTheDialogsLanguage) {
  WindowRig rig;
  EXPECT_EQ(rig.view().ToolAction(kActivity)->text(), Q("활동(&T)..."));
  EXPECT_EQ(rig.view().ToolAction(kLog)->shortcut(), QKeySequence(Qt::Key_F5));
  QTest::keyClick(&rig.view(), Qt::Key_F5);
  auto* log = qobject_cast<LogWindow*>(rig.view().ToolWindow(kLog));
  ASSERT_TRUE(log);
  EXPECT_TRUE(log->isVisible());
  EXPECT_EQ(log->windowTitle(), Q("로그 창"));
  rig.view().ToolAction(kActivity)->trigger();
  auto* activity = qobject_cast<ActivityWindow*>(rig.view().ToolWindow(kActivity));
  ASSERT_TRUE(activity);
  EXPECT_TRUE(activity->isVisible());

  rig.dlg().Click(id::kEnglish);
  EXPECT_EQ(rig.view().ToolAction(kLog)->text(), QStringLiteral("&Log Window..."));
  EXPECT_EQ(log->windowTitle(), QStringLiteral("Log"));
  EXPECT_EQ(activity->windowTitle(), QStringLiteral("Activity - requests and feeds"));

  // A second press brings the same window forward.
  QTest::keyClick(&rig.view(), Qt::Key_F5);
  EXPECT_EQ(rig.view().ToolWindow(kLog), log);
}

// The log window over the dialog's log, which the dialog fills as AddLog does.
class LogWindowTest : public testing::Test {
 protected:
  LogWindowTest() {
    rig_.view().OpenToolWindow(kLog);
    window_ = qobject_cast<LogWindow*>(rig_.view().ToolWindow(kLog));
    window_->resize(600, 300);
    static_cast<void>(QTest::qWaitForWindowExposed(window_));
    pane_ = window_->Pane();
  }
  void AddLines(int n, const std::string& text = "line ") {
    for (int i = 0; i < n; ++i) rig_.dlg().AddLog(text + std::to_string(count_++));
    QApplication::processEvents();
  }
  bool AtBottom() const {
    return pane_->verticalScrollBar()->value() == pane_->verticalScrollBar()->maximum();
  }
  void Find(const QString& text) {
    window_->FindEdit()->setText(text);
    ASSERT_TRUE(Settle([this] { return pane_->SearchComplete(); }));
  }

  WindowRig rig_;
  LogWindow* window_ = nullptr;
  LogPane* pane_ = nullptr;
  int count_ = 0;
};

TEST_F(LogWindowTest, FollowsUntilTheUserScrollsUpAndAgainAfterEnd) {
  AddLines(200);
  EXPECT_TRUE(pane_->Following());
  EXPECT_TRUE(AtBottom());
  EXPECT_FALSE(window_->FollowMark()->isVisible());

  pane_->verticalScrollBar()->setValue(10);  // the user scrolls up
  AddLines(100);
  EXPECT_FALSE(pane_->Following());
  EXPECT_EQ(pane_->TopRow(), 10u);
  EXPECT_TRUE(window_->FollowMark()->isVisible());

  QTest::keyClick(pane_, Qt::Key_End);
  AddLines(5);
  EXPECT_TRUE(pane_->Following());
  EXPECT_TRUE(AtBottom());
  EXPECT_FALSE(window_->FollowMark()->isVisible());

  // Scrolling back to the bottom follows too.
  pane_->verticalScrollBar()->setValue(0);
  pane_->verticalScrollBar()->setValue(pane_->verticalScrollBar()->maximum());
  EXPECT_TRUE(pane_->Following());
}

TEST_F(LogWindowTest, CopiesSeveralOlderLinesWithTheirTimestampsAndLeavesTheListBoxAlone) {
  AddLines(50, "체결 ");
  const std::optional<LineIndex> listBoxSelection = rig_.dlg().Log().Selected();
  pane_->verticalScrollBar()->setValue(0);
  QApplication::processEvents();
  const int h = pane_->LineHeight();
  QTest::mouseClick(pane_->viewport(), Qt::LeftButton, {}, QPoint(20, 2 * h + h / 2));
  QTest::mouseClick(pane_->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 4 * h + 2));
  AddLines(20);  // a logging feed goes on
  EXPECT_FALSE(pane_->Following());
  EXPECT_EQ(pane_->TopRow(), 0u);
  QTest::keyClick(pane_, Qt::Key_C, Qt::ControlModifier);
  const EventLog& log = rig_.dlg().Log();
  QString expected;
  for (size_t i : {2, 3, 4}) expected += FromCp949(log.Line(LineIndex{i})) + QLatin1Char('\n');
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
  EXPECT_TRUE(expected.startsWith(QLatin1Char('[')));  // with its timestamp
  EXPECT_NE(log.Selected(), LineIndex{2});
  EXPECT_EQ(listBoxSelection, LineIndex{49});
  EXPECT_EQ(log.Selected(), LineIndex{69});
}

TEST_F(LogWindowTest, FindsCountsStepsAndFiltersOnCharacterBoundaries) {
  for (const char* line :
       {"요청한 RQID[1]", "갂갂", "  blanks  ", "rqid \xFF 갂A", "RQID[1][-108]"}) {
    rig_.dlg().AddLog(line);
  }
  AddLines(100);
  Find(QStringLiteral("rqid"));
  EXPECT_EQ(pane_->Search().Matches().size(), 3u);
  EXPECT_EQ(window_->SearchStatus()->text(), Q("3줄 일치"));

  window_->MatchCaseBox()->setChecked(true);
  ASSERT_TRUE(Settle([this] { return pane_->SearchComplete(); }));
  EXPECT_EQ(pane_->Search().Matches().size(), 1u);  // "rqid" as typed

  // "A" is the second byte of 갂 twice over, and a letter once.
  Find(QStringLiteral("A"));
  ASSERT_EQ(pane_->Search().Matches().size(), 1u);
  EXPECT_EQ(pane_->Search().Matches()[0], LineIndex{3});

  window_->MatchCaseBox()->setChecked(false);
  Find(QStringLiteral("RQID"));
  QTest::keyClick(window_->FindEdit(), Qt::Key_Return);
  EXPECT_EQ(pane_->Cursor(), LineIndex{0});
  QTest::keyClick(window_->FindEdit(), Qt::Key_Return);
  EXPECT_EQ(pane_->Cursor(), LineIndex{3});
  QTest::keyClick(window_->FindEdit(), Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(pane_->Cursor(), LineIndex{0});
  EXPECT_EQ(window_->SearchStatus()->text(), QStringLiteral("1 / 3"));

  window_->FilterBox()->setChecked(true);
  QApplication::processEvents();
  EXPECT_EQ(pane_->RowCount(), 3u);
  EXPECT_EQ(pane_->LineOfRow(2), LineIndex{4});
  rig_.dlg().AddLog("late rqid");
  ASSERT_TRUE(Settle([this] { return pane_->RowCount() == 4; }));
  window_->FilterBox()->setChecked(false);
  EXPECT_EQ(pane_->RowCount(), rig_.dlg().Log().Count());
}

TEST_F(LogWindowTest, PatternsThatCannotBeSearchedSaySo) {
  AddLines(10);
  struct Row {
    QString text;
    const char* status;
  };
  const Row rows[] = {
      {QString(1 << 20, QLatin1Char('a')), "찾을 글이 4,096바이트보다 깁니다"},
      {QString::fromUtf8("\xF0\x9F\x98\x80"), "CP949에 없는 글자는 찾을 수 없습니다"},
      {QString(), ""},
  };
  for (const Row& row : rows) {
    window_->FindEdit()->setText(row.text);
    QApplication::processEvents();
    EXPECT_EQ(window_->SearchStatus()->text(), Q(row.status));
    EXPECT_FALSE(pane_->Search().Pattern());
    EXPECT_EQ(pane_->RowCount(), 10u);  // nothing filtered away, nothing lost
  }
}

TEST_F(LogWindowTest, ExportsTheWholeLogOrTheMatchingLines) {
  rig_.dlg().AddLog("요청한 RQID[1]");
  rig_.dlg().AddLog("a,\"b\"");
  rig_.dlg().AddLog("bad \xFF");
  const QString dir = QString::fromStdString(rig_.dir().string());
  ASSERT_TRUE(window_->ExportTo(dir + QStringLiteral("/all.csv"), ExportFormat::kCsv, false));
  ASSERT_TRUE(Settle([this] { return !window_->Exporting(); }));
  QFile csv(dir + QStringLiteral("/all.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> rows = csv.readAll().split('\n');
  ASSERT_EQ(rows.size(), 5);  // header, three lines, the end
  EXPECT_TRUE(rows[1].endsWith(QByteArray("\xEC\x9A\x94\xEC\xB2\xAD\xED\x95\x9C RQID[1],\r")));
  EXPECT_TRUE(rows[2].endsWith(QByteArray(",\"a,\"\"b\"\"\",\r")));
  EXPECT_TRUE(rows[3].endsWith(QByteArray("bad \xEF\xBF\xBD,62616420ff\r")));
  EXPECT_EQ(window_->Notice()->text(), Q("3줄을 %1에 내보냈습니다").arg(csv.fileName()));

  Find(QStringLiteral("rqid"));
  ASSERT_TRUE(
      window_->ExportTo(dir + QStringLiteral("/found.jsonl"), ExportFormat::kJsonLines, true));
  ASSERT_TRUE(Settle([this] { return !window_->Exporting(); }));
  QFile json(dir + QStringLiteral("/found.jsonl"));
  ASSERT_TRUE(json.open(QIODevice::ReadOnly));
  EXPECT_EQ(json.readAll().count('\n'), 1);

  // A folder that does not exist: the reason shows, and nothing is written.
  ASSERT_TRUE(window_->ExportTo(dir + QStringLiteral("/missing/x.csv"), ExportFormat::kCsv, false));
  ASSERT_TRUE(Settle([this] { return !window_->Exporting(); }));
  EXPECT_TRUE(window_->Notice()->text().contains(QStringLiteral("missing/x.csv")));
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/missing/x.csv")));
}

// The activity window over a dialog whose agent is the fixture agent.
TEST(ActivityWindowTest, ShowsTheDialogsRequestsAsTheyEnd) {
  WindowRig rig;
  ASSERT_TRUE(ConnectFixtureAgent(rig, R"({"results": {"GetCommState": 1, "RequestTr": [7, 8]}})"));
  rig.dlg().Click(id::kRqTest);
  rig.view().OpenToolWindow(kActivity);
  auto* window = qobject_cast<ActivityWindow*>(rig.view().ToolWindow(kActivity));
  const TextTableModel& inFlight = window->Table(ActivityTable::kInFlight);
  ASSERT_EQ(inFlight.Rows().size(), 1u);
  EXPECT_EQ(inFlight.Rows()[0][0], QStringLiteral("7"));

  rig.dlg().OnRequestMessage(7, "-108", "x");
  ASSERT_TRUE(Settle([&] { return inFlight.Rows().empty(); }));  // the next refresh
  const TextTableModel& finished = window->Table(ActivityTable::kFinished);
  ASSERT_EQ(finished.Rows().size(), 1u);
  EXPECT_EQ(finished.Rows()[0][3], Q("거부"));
  EXPECT_EQ(window->Table(ActivityTable::kCodes).Rows()[0][3], QStringLiteral("1"));
}

}  // namespace
}  // namespace zqk::qttest
