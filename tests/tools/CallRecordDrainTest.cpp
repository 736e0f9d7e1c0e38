// zqk-script takes the fixture agent's recorded calls as it goes: a reply of
// many records decoded in one event, with the drain counting the log's lines
// as the driver's log listener does, leaves the agent holding no more than
// the calls since its last take, while ZQK_FIXTURE_LOG still receives every
// call and a take gives each call once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/Files.h"
#include "tests/support/FixtureDialog.h"
#include "tests/support/TempDir.h"
#include "tools/zqk-script/CallRecordDrain.h"

namespace zqk::test {
namespace {

using script::CallRecordDrain;

constexpr int kRecords = 3000;
constexpr size_t kFieldsPerRecord = 4;

// Fixture text is UTF-8; the literals are CP949.
std::string ManyRecords() {
  std::string page = R"({"OutRec1": [)";
  for (int i = 0; i < kRecords; ++i) {
    if (i > 0) page += ", ";
    page += R"({"계좌번호": "06801004", "주문번호": ")" + std::to_string(i) +
            R"(", "종목코드": "101G3000", "매매구분": "1"})";
  }
  return Cp949ToUtf8(page + "]}");
}

size_t CountLines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string TakeCalls(FixtureDialog& f) {
  return f.dlg()
      .Agent()
      .InvokeExtension(fixture::kFixtureTakeCalls, "FixtureTakeCalls", {}, ValueType::kString)
      .str;
}

TEST(CallRecordDrain, KeepsTheFixturesRecordSmallAndLosesNoCall) {
  TempDir dir;
  const std::filesystem::path logFile = dir / "calls.log";
  ::setenv(fixture::kFixtureLogEnv, logFile.c_str(), 1);
  FixtureDialog f;
  ::unsetenv(fixture::kFixtureLogEnv);
  CallRecordDrain drain(f.dlg().Agent());
  f.dlg().Log().AddListener([&](LogChange change) {
    if (change == LogChange::kAppended) drain.LineLogged();
  });
  // The Connect before the listener is the driver's first step.
  drain.StepDone();
  f.calls.clear();
  const size_t loggedBefore = ReadWholeFile(logFile).size();

  const std::string page = ManyRecords();
  f.FireReply("g11002.DQ0107&", 5,
              std::u8string_view(reinterpret_cast<const char8_t*>(page.data()), page.size()));
  ASSERT_EQ(f.CallsOf("GetFieldValue").size(), kRecords * kFieldsPerRecord);

  const std::string kept = TakeCalls(f);
  EXPECT_LE(CountLines(kept), CallRecordDrain::kLinesPerTake * kFieldsPerRecord)
      << "taken every " << CallRecordDrain::kLinesPerTake << " lines";
  EXPECT_GT(drain.Takes(), static_cast<size_t>(kRecords) / CallRecordDrain::kLinesPerTake);
  drain.StepDone();
  EXPECT_EQ(TakeCalls(f), "") << "a take at the end of the step leaves nothing";

  const std::string logged = ReadWholeFile(logFile).substr(loggedBefore);
  EXPECT_EQ(CountLines(logged), f.calls.size()) << "every call of the reply reaches the file";
  EXPECT_TRUE(logged.ends_with(kept)) << "the last take gave the file's last calls";
}

}  // namespace
}  // namespace zqk::test
