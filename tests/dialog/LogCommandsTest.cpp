// AddLog, Save Log and Clear Log through the dialog's commands.
#include <gtest/gtest.h>

#include "tests/support/Files.h"

#include <fstream>
#include <sstream>

#include "dialog/LogFile.h"
#include "dialog/LogTimestamp.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FileSizeLimit.h"

namespace zqk {
namespace {

TEST(AddLog, StampsEveryLineAndSelectsAllButTheFirst) {
  test::DialogRig rig;
  rig.dlg().AddLog("first");
  EXPECT_FALSE(rig.dlg().Log().Selected().has_value());
  rig.dlg().AddLog("second");
  rig.dlg().AddLog("");
  EXPECT_EQ(rig.dlg().Log().Selected(), LineIndex{2});
  const std::string stamp = FormatLogTimestamp(rig.clock);
  EXPECT_EQ(rig.dlg().Log().Line(LineIndex{0}), stamp + "first");
  EXPECT_EQ(rig.dlg().Log().Line(LineIndex{2}), stamp);
}

TEST(LogCommands, SaveAppendsAndClearLeavesTheFileAlone) {
  test::DialogRig rig;
  rig.dlg().AddLog("a");
  rig.dlg().AddLog("b");
  rig.dlg().Click(id::kSaveLog);
  rig.dlg().Click(id::kSaveLog);
  const std::filesystem::path file = rig.dir() / kLogFileName;
  const std::string stamp = FormatLogTimestamp(rig.clock);
  const std::string once = stamp + "a\r\n" + stamp + "b\r\n";
  EXPECT_EQ(test::ReadWholeFile(file), once + once);
  rig.dlg().Click(id::kClearLog);
  EXPECT_EQ(rig.dlg().Log().Count(), 0u);
  rig.dlg().Click(id::kSaveLog);
  EXPECT_EQ(test::ReadWholeFile(file), once + once);
  EXPECT_TRUE(rig.host.shown.empty());
}

TEST(LogCommands, AFileThatCannotBeOpenedIsReportedInTheLog) {
  test::DialogRig rig;
  const std::filesystem::path file = rig.dir() / kLogFileName;
  std::filesystem::create_directory(file);  // a directory where the file should be
  rig.dlg().AddLog("kept");
  rig.dlg().Click(id::kSaveLog);
  ASSERT_EQ(rig.dlg().Log().Count(), 2u);
  EXPECT_EQ(StripLogTimestamp(rig.dlg().Log().Line(LineIndex{1})),
            file.string() + "화일 생성에 실패하였습니다. ");
  EXPECT_TRUE(rig.host.shown.empty());
}

TEST(LogCommands, AFileThatCannotBeWrittenGivesAMessageAndKeepsEveryLine) {
  test::DialogRig rig;
  for (int i = 0; i < 1000; ++i) rig.dlg().AddLog("line " + std::to_string(i));
  {
    test::ScopedFileSizeLimit limit(100);
    rig.dlg().Click(id::kSaveLog);
  }
  ASSERT_EQ(rig.host.shown.size(), 1u);
  EXPECT_EQ(rig.host.shown[0].caption, "ZQKCommClient");
  EXPECT_NE(rig.host.shown[0].text.find(kLogFileName), std::string::npos);
  EXPECT_EQ(rig.dlg().Log().Count(), 1000u);
  EXPECT_EQ(StripLogTimestamp(rig.dlg().Log().Line(LineIndex{999})), "line 999");
}

}  // namespace
}  // namespace zqk
