#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialog/DialogTemplate.h"
#include "tools/zqk-script/Script.h"

namespace zqk::script {
namespace {

std::optional<ControlKind> Known(ControlId id) {
  const ControlTemplate* control = MainDialogTemplate().Find(id);
  if (!control) return std::nullopt;
  return control->kind;
}

TEST(ScriptParser, ParsesEveryStepKind) {
  const ParseResult r = ParseScript(
      "# a comment\n"
      "set 1002 \"demo\"  # trailing comment\n"
      "\n"
      "click 1005\n"
      "select 1058 3\n"
      "answer yes no ok\n"
      "fire OnRequestMessage -7 \"C1\" \"\xED\x95\x9C\"\n"
      "wait 250\n"
      "print 1023\n"
      "enter\n"
      "escape\n"
      "close\n"
      "about\n"
      "expect items 1058 \"a\" \"b\"\n"
      "expect checked 1033 1\n"
      "expect log \"x\"\n",
      Known);
  ASSERT_FALSE(r.error) << r.error->message;
  ASSERT_EQ(r.steps.size(), 14u);
  EXPECT_EQ(r.steps[0].line, 2);
  EXPECT_EQ(std::get<SetText>(r.steps[0].action).text, "demo");
  EXPECT_EQ(std::get<Select>(r.steps[2].action).index, ListIndex{3});
  EXPECT_EQ(std::get<Answer>(r.steps[3].action).answers.size(), 3u);
  const FireEvent& fire = std::get<FireEvent>(r.steps[4].action);
  EXPECT_EQ(fire.dispid, 6);
  EXPECT_EQ(std::get<int32_t>(fire.args[0]), -7);
  EXPECT_EQ(std::get<std::string>(fire.args[2]), "한");  // converted to CP949 bytes
  EXPECT_EQ(std::get<Wait>(r.steps[5].action).ms, 250u);
  EXPECT_EQ(std::get<Expect>(r.steps[11].action).texts, (std::vector<std::string>{"a", "b"}));
}

TEST(ScriptParser, PrintShowsAnyStateThatExpectChecks) {
  const ParseResult r = ParseScript(
      "print 1023\nprint text 1023\nprint checked 1033\nprint enabled 1007\n"
      "print visible 1053\nprint selected 1058\nprint items 1058\n",
      Known);
  ASSERT_FALSE(r.error) << r.error->message;
  const std::pair<ExpectWhat, int> expected[] = {
      {ExpectWhat::kText, 1023},    {ExpectWhat::kText, 1023},    {ExpectWhat::kChecked, 1033},
      {ExpectWhat::kEnabled, 1007}, {ExpectWhat::kVisible, 1053}, {ExpectWhat::kSelected, 1058},
      {ExpectWhat::kItems, 1058}};
  ASSERT_EQ(r.steps.size(), std::size(expected));
  for (size_t i = 0; i < r.steps.size(); ++i) {
    const Print& p = std::get<Print>(r.steps[i].action);
    EXPECT_EQ(p.what, expected[i].first) << i;
    EXPECT_EQ(p.id, ControlId{expected[i].second}) << i;
  }
}

TEST(ScriptParser, PrintShowsTheActivity) {
  const ParseResult r = ParseScript("print requests\nprint feeds\n", Known);
  ASSERT_FALSE(r.error) << r.error->message;
  ASSERT_EQ(r.steps.size(), 2u);
  EXPECT_EQ(std::get<PrintActivity>(r.steps[0].action).what, ActivityWhat::kRequests);
  EXPECT_EQ(std::get<PrintActivity>(r.steps[1].action).what, ActivityWhat::kFeeds);
}

TEST(ScriptParser, StringsKeepBlanksAndTakeAnyByte) {
  const ParseResult r =
      ParseScript("set 1023 \"  a\\\"b\\\\c\\x00\\xff\\t\\n \"\nset 1012 \"\"\n", Known);
  ASSERT_FALSE(r.error) << r.error->message;
  EXPECT_EQ(std::get<SetText>(r.steps[0].action).text, std::string("  a\"b\\c\0\xff\t\n ", 12));
  EXPECT_EQ(std::get<SetText>(r.steps[1].action).text, "");
}

struct BadLine {
  const char* script;
  int line;
  const char* fragment;
};

void PrintTo(const BadLine& b, std::ostream* os) {
  *os << "line " << b.line << ": " << b.fragment;
}

class ScriptParserErrors : public testing::TestWithParam<BadLine> {};

TEST_P(ScriptParserErrors, ReportLineAndReason) {
  const ParseResult r = ParseScript(GetParam().script, Known);
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->line, GetParam().line);
  EXPECT_NE(r.error->message.find(GetParam().fragment), std::string::npos) << r.error->message;
  EXPECT_TRUE(r.steps.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScriptParserErrors,
    testing::Values(BadLine{"click 1005\njump 3\n", 2, "unknown step"},
                    BadLine{"click 9999\n", 1, "unknown control ID"},
                    BadLine{"click abc\n", 1, "unknown control ID"},
                    BadLine{"\n\nset 1002 demo\n", 3, "quoted string"},
                    BadLine{"set 1002 \"open\n", 1, "unterminated"},
                    BadLine{"set 1002 \"\\q\"\n", 1, "unknown escape"},
                    BadLine{"set 1002 \"\\x4\"\n", 1, "two hex digits"},
                    BadLine{"set 1002 \"\xF0\x9F\x98\x80\"\n", 1, "CP949"},
                    BadLine{"wait -5\n", 1, "negative"}, BadLine{"wait\n", 1, "missing argument"},
                    BadLine{"click 1005 1006\n", 1, "takes 1"},
                    BadLine{"fire OnTrReply \"x\"\n", 1, "takes 2"},
                    BadLine{"fire OnTrReply \"x\" y\n", 1, "integer"},
                    BadLine{"fire OnNothing\n", 1, "unknown event"},
                    BadLine{"answer maybe\n", 1, "unknown answer"},
                    BadLine{"expect checked 1033 2\n", 1, "0 or 1"},
                    BadLine{"expect colour 1033 1\n", 1, "unknown expectation"},
                    BadLine{"print colour 1033\n", 1, "unknown state"},
                    BadLine{"print log 1033\n", 1, "unknown state"},
                    BadLine{"print checked 1033 1\n", 1, "takes 2"},
                    BadLine{"print requests 1\n", 1, "unknown state"},
                    BadLine{"print \"feeds\"\n", 1, "unknown control ID"},

                    BadLine{"select 1058 -1\n", 1, "must not be negative"},
                    BadLine{"select 1031 -5\n", 1, "1031 is not a drop-down list"},
                    BadLine{"select 1005 0\n", 1, "1005 is not a drop-down list"},
                    BadLine{"select 1026 0\n", 1, "1026 is not a drop-down list"},
                    BadLine{"use \"o5120\"\n", 1, "no code \"o5120\" in the catalogue"},
                    BadLine{"use \"v90001\"\n", 1, "no edits to fill"},
                    BadLine{"use \"o51200\" \"count 3\"\n", 1, "field=value"},
                    BadLine{"use o51200\n", 1, "quoted string"},
                    BadLine{"catalogue\n", 1, "missing argument"},
                    BadLine{"print ruler 1010\n", 1, "1010 has no byte ruler"}));

struct Echoed {
  const char* name;
  std::string script;
  std::string message;
};

void PrintTo(const Echoed& e, std::ostream* os) {
  *os << e.name;
}

class ScriptParserEchoes : public testing::TestWithParam<Echoed> {};

// What an error repeats of the script is one short line of valid UTF-8.
TEST_P(ScriptParserEchoes, RepeatTheScriptEscapedAndCut) {
  const ParseResult r = ParseScript(GetParam().script, Known);
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScriptParserEchoes,
    testing::Values(
        Echoed{"nul", std::string("click 1005\0\n", 12), "unknown control ID \"1005\\x00\""},
        Echoed{"control byte", "jump\x1b[2J\n", "unknown step \"jump\\x1b[2J\""},
        Echoed{"not utf-8 in a string", "set 1002 \"a\xff\xfe\"\n",
               "text that is not UTF-8: \"a\\xff\\xfe\""},
        Echoed{"not utf-8 in a word", "answer \xc3\x28\n", "unknown answer \"\\xc3(\""},
        Echoed{"not cp949", "set 1002 \"\xF0\x9F\x98\x80\"\n",
               "text that CP949 cannot represent: \"\xF0\x9F\x98\x80\""},
        Echoed{"quote and backslash", "answer \"a\\\"b\\\\\"\n", "unknown answer \"a\\\"b\\\\\""},
        Echoed{"long token", "click " + std::string(10'000'000, '7') + "\n",
               "unknown control ID \"" + std::string(80, '7') + "...\""},
        // Cut before a character, never inside it.
        Echoed{"long text", "jump" + std::string(74, 'x') + "\xed\x95\x9c\xed\x95\x9c\n",
               "unknown step \"jump" + std::string(74, 'x') + "...\""},
        Echoed{"escape of a control byte", "set 1002 \"\\\x01\"\n",
               "unknown escape: a backslash before the byte \\x01"},
        Echoed{"byte-order mark", "\xEF\xBB\xBFjump\n", "unknown step \"jump\""}));

TEST(ScriptOutput, QuotesEscapeControlBytesAndConvertToUtf8) {
  EXPECT_EQ(QuoteForOutput(std::string("a\"\\\n\x01", 5)), "\"a\\\"\\\\\\n\\x01\"");
  EXPECT_EQ(QuoteForOutput("로그인"), "\"\xEB\xA1\x9C\xEA\xB7\xB8\xEC\x9D\xB8\"");
}

}  // namespace
}  // namespace zqk::script
