// The reply inspector's window over a dialog whose agent is the fixture
// agent: open, it lists what arrives, newest first, and shows the selected
// reply field by field (a code the console decodes, and one it does not, as
// bytes); it copies a field, a row or the reply and saves the reply as JSON;
// closed, the dialog reads nothing more for it.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>
#include <string>

#include "agent/abi/ComponentRegistry.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/support/BuiltFile.h"
#include "tests/ui/qt/FixtureAgentRig.h"
#include "tests/ui/qt/QtRig.h"
#include "text/Cp949.h"
#include "ui/qt/InspectorJson.h"
#include "ui/qt/InspectorWindow.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {
namespace {

const size_t kInspector = ToolIndex(Qt::Key_F3);

class InspectorWindowTest : public testing::Test {
 protected:
  InspectorWindowTest() {
    EXPECT_TRUE(ConnectFixtureAgent(rig_));
    QTest::keyClick(&rig_.view(), Qt::Key_F3);
    window_ = qobject_cast<InspectorWindow*>(rig_.view().ToolWindow(kInspector));
  }

  // The agent fires `event` (code or key, number) with `page` (fixture JSON;
  // the fixture reads UTF-8).
  void Fire(std::string_view event, std::string_view code, int number, std::string_view page) {
    const std::string json = "{\"args\": [\"" + std::string(code) + "\", " +
                             std::to_string(number) + "], \"data\": " + Cp949ToUtf8(page) + "}";
    const AgentArg args[] = {AgentArg(event), AgentArg(std::string_view(json))};
    rig_.dlg().Agent().InvokeExtension(fixture::kFixtureFireEvent, "FixtureFireEvent", args,
                                       ValueType::kLong);
    window_->Refresh();
  }

  QTreeWidgetItem* Part(int n) { return window_->Detail()->topLevelItem(n); }

  WindowRig rig_;
  InspectorWindow* window_ = nullptr;
};

TEST_F(InspectorWindowTest, ShowsADecodedReplyFieldByFieldAndAnUndecodedOneAsBytes) {
  ASSERT_TRUE(window_);
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(rig_.dlg().Inspector().Enabled());
  Fire("OnTrReply", "o44011", 3,
       R"({"OutRec1": {"서버일자": "20160901", "서버시간": "090000", "서버밀리초": "123"}})");
  Fire("OnTrReply", "zz123", 4, R"({"block": {"hex": "41420001ff"}})");
  ASSERT_EQ(window_->List().rowCount(), 2);
  EXPECT_EQ(window_->List().data(window_->List().index(0, 2)), QStringLiteral("zz123"));

  window_->Select(1);  // o44011: its one record, by field
  QTreeWidgetItem* record = Part(0);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->text(0), FromCp949("OutRec1 (건수 1)"));
  QTreeWidgetItem* row = record->child(0);
  ASSERT_EQ(row->childCount(), 3);
  EXPECT_EQ(row->child(1)->text(0), FromCp949("서버시간"));
  EXPECT_EQ(row->child(1)->text(1), QStringLiteral("8"));
  EXPECT_EQ(row->child(1)->text(2), QStringLiteral("6"));
  EXPECT_EQ(row->child(1)->text(3), QStringLiteral("090000"));

  // A field, its row and the reply copy as text.
  window_->Detail()->setCurrentItem(row->child(1));
  window_->CopySelection();
  EXPECT_EQ(QApplication::clipboard()->text(),
            FromCp949("field OutRec1 row=0 name=\"서버시간\" offset=8 width=6 value=\"090000\""));
  window_->Detail()->setCurrentItem(row);
  EXPECT_EQ(window_->SelectionText().count(QLatin1Char('\n')), 2);
  window_->CopyReply();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
      QStringLiteral("entry kind=reply code=\"o44011\" rqid=3 latency=-")));

  window_->Select(0);  // zz123: no layout, its raw data as bytes
  QTreeWidgetItem* raw = Part(0);
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->child(0)->text(0), FromCp949("레이아웃이 없어 바이트로 보입니다"));
  QTreeWidgetItem* bytes = raw->child(1);
  EXPECT_EQ(bytes->child(0)->text(3).left(24), QStringLiteral("00000000  41 42 00 01 FF"));

  const QString file = QString::fromStdString((rig_.dir() / "reply.json").string());
  window_->chooseJsonFile = [&] { return file; };
  ASSERT_TRUE(window_->SaveJson(file));
  QFile saved(file);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QJsonObject json = QJsonDocument::fromJson(saved.readAll()).object();
  EXPECT_EQ(json[QStringLiteral("code")].toString(), QStringLiteral("zz123"));
  EXPECT_EQ(
      json[QStringLiteral("parts")][0][QStringLiteral("rest")][QStringLiteral("hex")].toString(),
      QStringLiteral("41420001ff"));
}

TEST_F(InspectorWindowTest, KeepsTheSelectionOnItsEntryAsMoreArriveAndReadsNothingOnceClosed) {
  Fire("OnTrReply", "o44011", 1, R"({"OutRec1": {"서버일자": "20160901"}})");
  window_->Select(0);
  for (int i = 0; i < 5; ++i) Fire("OnRealData", "EUR/USD", 171, R"({"OutRec1": {}})");
  ASSERT_EQ(window_->List().rowCount(), 6);
  EXPECT_EQ(window_->ListView()->currentIndex().row(), 5);
  EXPECT_TRUE(window_->Status()->text().contains(QStringLiteral("6")));

  // The log window keeps F3 for its find-next; the other windows open the inspector with it.
  const size_t log = ToolIndex(Qt::Key_F5);
  rig_.view().OpenToolWindow(log);
  EXPECT_FALSE(rig_.view().ToolWindow(log)->actions().contains(rig_.view().ToolAction(kInspector)));
  EXPECT_TRUE(rig_.view().ToolWindow(log)->actions().contains(
      rig_.view().ToolAction(ToolIndex(Qt::Key_F4))));

  window_->close();
  EXPECT_FALSE(rig_.dlg().Inspector().Enabled());
  Fire("OnRealData", "EUR/USD", 171, R"({"OutRec1": {}})");
  EXPECT_EQ(rig_.dlg().Inspector().Count(), 6u);
}

}  // namespace
}  // namespace zqk::qttest
