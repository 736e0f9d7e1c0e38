// Recording and replay in the window: the system menu's item starts and stops
// a recording; a replay plays its steps, events and message boxes in the
// window.
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <fstream>

#include <gtest/gtest.h>

#include "dialog/LogTimestamp.h"
#include "tests/support/Files.h"
#include "tests/ui/qt/QtRig.h"
#include "ui/qt/Console.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {
namespace {

QString Q(std::string_view cp949) {
  return FromCp949(cp949);
}

TEST(SessionWindowTest, SystemMenuItemStartsAndStopsARecording) {
  WindowRig rig;
  const std::filesystem::path file = rig.dir() / "session.jsonl";
  rig.view().SetRecordingFileChooser([&] { return QString::fromStdString(file.string()); });
  QAction* item = rig.view().RecordAction();
  emit rig.view().SystemMenu()->aboutToShow();
  EXPECT_EQ(item->text(), Q("세션 기록(&R)..."));

  item->trigger();
  EXPECT_TRUE(rig.dlg().IsRecording());
  emit rig.view().SystemMenu()->aboutToShow();
  EXPECT_EQ(item->text(), Q("세션 기록 중지(&R)"));
  QTest::mouseClick(rig.Widget<QWidget>(id::kEnglish), Qt::LeftButton);
  // The reply inspector's window, opened and closed, turns its reading on and off.
  QTest::keyClick(&rig.view(), Qt::Key_F3);
  rig.view().ToolWindow(ToolIndex(Qt::Key_F3))->close();
  item->trigger();
  EXPECT_FALSE(rig.dlg().IsRecording());
  // In the language the click chose.
  emit rig.view().SystemMenu()->aboutToShow();
  EXPECT_EQ(item->text(), QStringLiteral("&Record Session..."));

  // The header, the state, the click, the inspector on and off; the menu's own
  // commands are none of it.
  const std::string text = test::ReadWholeFile(file);
  EXPECT_EQ(text.rfind("{\"recording\":\"ZQKCommClient session\",\"version\":1,", 0), 0u) << text;
  EXPECT_NE(text.find(",\"state\":{\"control\":false,"), std::string::npos) << text;
  EXPECT_NE(text.find(",\"step\":\"click\",\"id\":1069}\n"), std::string::npos) << text;
  EXPECT_NE(text.find(",\"step\":\"inspect\",\"on\":true}\n"), std::string::npos) << text;
  EXPECT_NE(text.find(",\"step\":\"inspect\",\"on\":false}\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);

  // A file that cannot be written is said; nothing records.
  rig.view().SetRecordingFileChooser([&] { return QString::fromStdString(rig.dir().string()); });
  item->trigger();
  EXPECT_FALSE(rig.dlg().IsRecording());
  ASSERT_EQ(rig.host().boxes.size(), 1u);
  EXPECT_EQ(rig.host().boxes[0].text, "The session cannot be recorded: " + rig.dir().string() +
                                          ": not a regular file but a directory");
}

TEST(SessionWindowTest, AReplayPlaysItsStepsEventsAndBoxesInTheWindow) {
  const std::filesystem::path dir = MakeTempDir();
  const std::string down = "Agent call GetCommState failed: down (operation failed, status -4)";
  {
    std::ofstream(dir / "session.jsonl")
        << R"({"recording":"ZQKCommClient session","version":1,"classId":"{x}"})"
           "\n"
        << R"({"t":0,"step":"click","id":1005})"
           "\n"
        << R"({"t":0,"control":"create","ok":true})"
           "\n"
        << R"({"t":0,"call":"StartComm","args":[1],"result":0,"ns":1})"
           "\n"
        << R"({"t":5,"event":"OnAgentMessage","args":["0000","hello"]})"
           "\n"
        << R"({"t":6,"step":"set","id":1031,"text":"abc"})"
           "\n"
        << R"({"t":7,"step":"click","id":1038})"
           "\n"
        << R"({"t":7,"call":"GetInfo","args":["abc",""],"result":"x","ns":1})"
           "\n"
        << R"({"t":7,"call":"GetInfo","args":["abc","1"],"result":"y","ns":1})"
           "\n"
        << R"({"t":9,"step":"click","id":1007})"
           "\n"
        << R"({"t":9,"call":"GetCommState","args":[],"status":-4,"result":"down","ns":1})"
           "\n"
        << R"({"t":20,"event":"OnAgentMessage","args":["0000","while the box is open"]})"
           "\n"
        << R"({"t":30,"step":"box","text":")" << down
        << R"(","caption":"ZQKCommClient","buttons":"ok","icon":"error","answer":"ok"})"
           "\n";
  }
  RecordingError error;
  ConsoleSession session;
  session.replay =
      SessionPlayer::OpenRecording(dir / "session.jsonl", ReplaySession::Steps::kReplayed, &error);
  ASSERT_TRUE(session.replay) << error.line << ": " << error.reason;
  session.replaySpeed = 0;
  RecordingQtHost host;
  {
    Console console(host, dir, session);
    ASSERT_TRUE(console.Player());
    QTRY_VERIFY_WITH_TIMEOUT(console.Player()->Done(), 5000);
    EXPECT_FALSE(console.Player()->Session().Diverged())
        << console.Player()->Session().Divergence();
    std::vector<std::string> lines;
    const EventLog& log = console.Dialog().Log();
    for (size_t i = 0; i < log.Count(); ++i) {
      lines.emplace_back(StripLogTimestamp(log.Line(LineIndex{i})));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"통신프로그램 실행 성공", "[0000][hello]", "x", "y",
                                               "[0000][while the box is open]"}));
    const auto* edit = qobject_cast<QLineEdit*>(console.Window().Control(id::kInfoName));
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
    // The end is told once the loop runs again; the agent is the registered one again.
    QTRY_COMPARE_WITH_TIMEOUT(host.boxes.size(), size_t{1}, 5000);
    EXPECT_EQ(host.boxes[0].text, "세션 재생이 끝났습니다: " + (dir / "session.jsonl").string());
    EXPECT_FALSE(console.Dialog().Agent().HasWindow());
    EXPECT_FALSE(console.Dialog().Agent().Replay());
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

}  // namespace
}  // namespace zqk::qttest
