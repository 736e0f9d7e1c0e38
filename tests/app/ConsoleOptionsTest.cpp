// The console's command line: a recording, a replay and its speed, nothing else.
#include "app/ConsoleOptions.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zqk {
namespace {

struct OptionsCase {
  const char* name;
  std::vector<std::string_view> args;
  std::string error;  // empty: accepted
  ConsoleOptions options = {};
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
  *os << c.name;
}

class ConsoleOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(ConsoleOptionsTest, TakesOnlyRecordAndReplay) {
  const OptionsCase& c = GetParam();
  const auto parsed = ParseConsoleOptions(c.args);
  if (!c.error.empty()) {
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
    EXPECT_EQ(std::get<std::string>(parsed), c.error);
    return;
  }
  ASSERT_TRUE(std::holds_alternative<ConsoleOptions>(parsed)) << std::get<std::string>(parsed);
  const ConsoleOptions& o = std::get<ConsoleOptions>(parsed);
  EXPECT_EQ(o.recordFile, c.options.recordFile);
  EXPECT_EQ(o.replayFile, c.options.replayFile);
  EXPECT_EQ(o.replaySpeed, c.options.replaySpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ConsoleOptionsTest,
    testing::Values(
        OptionsCase{"none", {}, ""},
        OptionsCase{"record", {"--record", "s.jsonl"}, "", {.recordFile = "s.jsonl"}},
        OptionsCase{"replay at its pace", {"--replay", "s.jsonl"}, "", {.replayFile = "s.jsonl"}},
        OptionsCase{"replay as fast as it goes",
                    {"--replay-speed", "0", "--replay", "s.jsonl"},
                    "",
                    {.replayFile = "s.jsonl", .replaySpeed = 0}},
        OptionsCase{"replay twice as fast and record it",
                    {"--replay", "a.jsonl", "--replay-speed", "2.5", "--record", "b.jsonl"},
                    "",
                    {.recordFile = "b.jsonl", .replayFile = "a.jsonl", .replaySpeed = 2.5}},
        OptionsCase{"anything else", {"--trace"}, "unknown option --trace"},
        OptionsCase{"a bare argument", {"s.jsonl"}, "unknown option s.jsonl"},
        OptionsCase{"no file", {"--record"}, "--record needs a value"},
        OptionsCase{"an empty file", {"--replay", ""}, "--replay needs a value"},
        OptionsCase{"twice", {"--record", "a", "--record", "b"}, "--record is given twice"},
        OptionsCase{
            "speed without a replay", {"--replay-speed", "1"}, "--replay-speed needs --replay"},
        OptionsCase{"negative speed",
                    {"--replay", "a", "--replay-speed", "-1"},
                    "--replay-speed needs a number of 0 or more, not -1"},
        OptionsCase{"speed that is no number",
                    {"--replay", "a", "--replay-speed", "fast"},
                    "--replay-speed needs a number of 0 or more, not fast"},
        OptionsCase{"endless speed",
                    {"--replay", "a", "--replay-speed", "inf"},
                    "--replay-speed needs a number of 0 or more, not inf"},
        OptionsCase{"record over the replay",
                    {"--replay", "a", "--record", "a"},
                    "--record would overwrite the recording that --replay plays"}));

}  // namespace
}  // namespace zqk
