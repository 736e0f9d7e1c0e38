// Finding text in the event log: matches start on CP949 character
// boundaries, case folds ASCII letters only, lines are searched in slices and
// across the log's chunks; export of lines as CSV and JSON Lines.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "dialog/LogExport.h"
#include "dialog/LogSearch.h"

namespace zqk {
namespace {

constexpr size_t kNone = std::string_view::npos;

LogPattern Compiled(std::string_view text, bool matchCase) {
  auto compiled = LogPattern::Compile(text, matchCase);
  EXPECT_TRUE(std::holds_alternative<LogPattern>(compiled)) << text;
  return std::get<LogPattern>(std::move(compiled));
}

struct ProblemRow {
  const char* name;
  std::string pattern;
  PatternProblem problem;
};

class PatternProblems : public testing::TestWithParam<ProblemRow> {};

TEST_P(PatternProblems, AreNamed) {
  const auto compiled = LogPattern::Compile(GetParam().pattern, false);
  ASSERT_TRUE(std::holds_alternative<PatternProblem>(compiled));
  EXPECT_EQ(std::get<PatternProblem>(compiled), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PatternProblems,
    testing::Values(ProblemRow{"Empty", "", PatternProblem::kEmpty},
                    ProblemRow{"OneByteOver", std::string(kMaxPatternBytes + 1, 'a'),
                               PatternProblem::kTooLong},
                    ProblemRow{"OneMegabyte", std::string(1 << 20, 'a'), PatternProblem::kTooLong},
                    ProblemRow{"LoneLeadByte", "체결\xB0", PatternProblem::kNotCp949},
                    ProblemRow{"LeadWithoutTrail", "\xB0 ", PatternProblem::kNotCp949},
                    ProblemRow{"ByteOutsideCp949", "a\xFF", PatternProblem::kNotCp949},
                    ProblemRow{"Byte80", "\x80", PatternProblem::kNotCp949}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogPattern, TakesTheLongestPatternAllowed) {
  EXPECT_TRUE(std::holds_alternative<LogPattern>(
      LogPattern::Compile(std::string(kMaxPatternBytes, 'a'), true)));
}

struct FindRow {
  const char* name;
  std::string line;
  std::string pattern;
  bool matchCase;
  size_t at;  // first match, or kNone
};

class FindInLine : public testing::TestWithParam<FindRow> {};

TEST_P(FindInLine, StartsOnACharacterBoundary) {
  const FindRow& r = GetParam();
  EXPECT_EQ(Compiled(r.pattern, r.matchCase).FindIn(r.line), r.at);
}

// "갂" is the bytes 81 41: its second byte is the letter A; "갵" is 81 61 (a).
INSTANTIATE_TEST_SUITE_P(
    Table, FindInLine,
    testing::Values(FindRow{"AsciiWord", "Request RQID[3]", "RQID", true, 8},
                    FindRow{"CaseDiffers", "Request RQID[3]", "rqid", true, kNone},
                    FindRow{"CaseFolded", "Request RQID[3]", "rqid", false, 8},
                    FindRow{"LetterIsTrailByte", "갂", "A", true, kNone},
                    FindRow{"LetterIsTrailByteFolded", "갂", "a", false, kNone},
                    FindRow{"LetterAfterTheTrailByte", "x갂A", "A", true, 3},
                    FindRow{"TrailThenWordFolded", "갂bc abc", "abc", false, 5},
                    FindRow{"DoubleByteNeverFolds", "갵", "갂", false, kNone},
                    FindRow{"DoubleByteItself", "x갂y", "갂", false, 1},
                    FindRow{"KoreanInKorean", "체결 주문번호[0001709]", "주문", true, 5},
                    // BC B0, a syllable of its own, from the middle of 체 (C3 BC) 결 (B0 E1).
                    FindRow{"KoreanAcrossTwoCharacters", "체결", "\xBC\xB0", true, kNone},
                    FindRow{"Blank", "[PM 03:07:09]  text", "  ", true, 13},
                    FindRow{"NotCp949ByteIsACharacter",
                            "\xFF"
                            "ABC",
                            "A", true, 1},
                    FindRow{"LeadAndLetterPair",
                            "\xFE"
                            "ABC",
                            "A", true, kNone},
                    FindRow{"LoneLeadAtTheEnd", "abc\xB0", "c", true, 2},
                    FindRow{"LongerThanTheLine", "ab", "abc", true, kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogPattern, FindsEveryMatchOfALine) {
  const LogPattern p = Compiled("ab", false);
  const std::string line = "갂ab AB 갂b";
  std::vector<size_t> found;
  for (size_t at = p.FindIn(line); at != kNone; at = p.FindIn(line, at + 1)) found.push_back(at);
  EXPECT_EQ(found, (std::vector<size_t>{2, 5}));
}

// A log with Korean, blanks and bytes that are not CP949 text.
class LogSearchTest : public testing::Test {
 protected:
  LogSearchTest() {
    for (const char* line :
         {"[PM 03:07:09]  요청한 RQID[1]", "", "   ", "갂갂갂", "rqid \xFF\x80 갂A",
          "체결 주문번호[0001709]", "ab", "cd", "RQID[1][-108][등록되지 않은 계좌]"}) {
      log_.Append(line);
    }
  }
  std::vector<size_t> Lines(const LogSearch& s) const {
    std::vector<size_t> lines;
    for (const LineIndex l : s.Matches()) lines.push_back(l.value);
    return lines;
  }
  EventLog log_;
};

TEST_F(LogSearchTest, FindsTheMatchingLinesInSlicesOfAnySize) {
  struct Row {
    const char* pattern;
    bool matchCase;
    std::vector<size_t> lines;
  };
  const Row rows[] = {
      {"RQID", true, {0, 8}},
      {"rqid", false, {0, 4, 8}},
      {"A", true, {4}},  // not the trail bytes of line 3
      {" ", true, {0, 2, 4, 5, 8}},
      {"bc", true, {}},  // never across the end of a line
      {"등록", true, {8}},
  };
  for (const Row& row : rows) {
    for (size_t slice : {size_t{1}, size_t{2}, size_t{100}}) {
      LogSearch search;
      search.Start(Compiled(row.pattern, row.matchCase));
      int passes = 0;
      while (!search.Continue(log_, slice)) ++passes;
      EXPECT_EQ(Lines(search), row.lines) << row.pattern << " in slices of " << slice;
      EXPECT_EQ(search.Searched(), log_.Count());
    }
  }
}

TEST_F(LogSearchTest, LinesAddedLaterAreSearchedAndAClearForgetsTheMatches) {
  LogSearch search;
  search.Start(Compiled("RQID", true));
  EXPECT_TRUE(search.Continue(log_, 1000));
  log_.Append("RQID again");
  EXPECT_FALSE(search.Complete(log_));
  EXPECT_TRUE(search.Continue(log_, 1000));
  EXPECT_EQ(Lines(search), (std::vector<size_t>{0, 8, 9}));
  log_.Clear();
  log_.Append("no");
  log_.Append("RQID");
  EXPECT_TRUE(search.Continue(log_, 1000));  // noticed though nobody said
  EXPECT_EQ(Lines(search), (std::vector<size_t>{1}));
}

TEST_F(LogSearchTest, StepsToTheNextAndPreviousMatchRoundTheEnds) {
  LogSearch search;
  EXPECT_FALSE(search.Step(std::nullopt, SearchDirection::kNext));
  search.Start(Compiled("rqid", false));
  search.Continue(log_, 1000);
  using D = SearchDirection;
  EXPECT_EQ(search.Step(std::nullopt, D::kNext), LineIndex{0});
  EXPECT_EQ(search.Step(std::nullopt, D::kPrevious), LineIndex{8});
  EXPECT_EQ(search.Step(LineIndex{0}, D::kNext), LineIndex{4});
  EXPECT_EQ(search.Step(LineIndex{5}, D::kNext), LineIndex{8});
  EXPECT_EQ(search.Step(LineIndex{8}, D::kNext), LineIndex{0});
  EXPECT_EQ(search.Step(LineIndex{4}, D::kPrevious), LineIndex{0});
  EXPECT_EQ(search.Step(LineIndex{0}, D::kPrevious), LineIndex{8});
  EXPECT_EQ(search.MatchNumber(LineIndex{4}), 1u);
  EXPECT_FALSE(search.MatchNumber(LineIndex{5}));
}

// Lines of nearly a megabyte fill the log's 2 MiB chunks two at a time: the
// search reads several runs and finds a word at the very end of each line.
TEST(LogSearch, ReadsTheLogAcrossItsChunks) {
  EventLog log;
  const std::string filler(900'000, 'x');
  for (int i = 0; i < 7; ++i) log.Append(filler + (i % 2 ? "END" : "en"));
  LineIndex end;
  EXPECT_EQ(log.LineRun(LineIndex{0}, LineIndex{7}, end).size(), 2 * 900'002 + 1);
  EXPECT_EQ(end, LineIndex{2});
  LogSearch search;
  search.Start(Compiled("end", false));
  search.Continue(log, 7);
  ASSERT_EQ(search.Matches().size(), 3u);
  EXPECT_EQ(search.Matches()[2], LineIndex{5});
}

struct ExportRow {
  const char* name;
  std::string line;
  std::string csv;
  std::string json;
};

class LogExportTest : public testing::TestWithParam<ExportRow> {};

TEST_P(LogExportTest, WritesTimeAndTextInUtf8) {
  const ExportRow& r = GetParam();
  std::string csv, json;
  LogExportWriter(ExportFormat::kCsv).AppendLine(r.line, csv);
  LogExportWriter(ExportFormat::kJsonLines).AppendLine(r.line, json);
  EXPECT_EQ(csv, r.csv);
  EXPECT_EQ(json, r.json);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogExportTest,
    testing::Values(
        ExportRow{"KoreanLine", "[PM 03:07:09]  요청한 RQID[1]",
                  "PM 03:07:09,\xEC\x9A\x94\xEC\xB2\xAD\xED\x95\x9C RQID[1],\r\n",
                  "{\"time\":\"PM 03:07:09\",\"text\":\"\xEC\x9A\x94\xEC\xB2\xAD\xED\x95\x9C "
                  "RQID[1]\"}\n"},
        ExportRow{"QuotesAndCommas", "[AM 11:00:00]  a,\"b\"", "AM 11:00:00,\"a,\"\"b\"\"\",\r\n",
                  "{\"time\":\"AM 11:00:00\",\"text\":\"a,\\\"b\\\"\"}\n"},
        ExportRow{"BlanksAndControlBytes", "[AM 11:00:00]    \t\x01 ", "AM 11:00:00,  \t\x01 ,\r\n",
                  "{\"time\":\"AM 11:00:00\",\"text\":\"  \\u0009\\u0001 \"}\n"},
        ExportRow{"BytesThatAreNotCp949", "[AM 11:00:00]  a\xFF",
                  "AM 11:00:00,a\xEF\xBF\xBD,61ff\r\n",
                  "{\"time\":\"AM 11:00:00\",\"text\":\"a\xEF\xBF\xBD\",\"hex\":\"61ff\"}\n"},
        ExportRow{"NoTimestamp", "plain, text", ",\"plain, text\",\r\n",
                  "{\"time\":\"\",\"text\":\"plain, text\"}\n"},
        ExportRow{"Empty", "", ",,\r\n", "{\"time\":\"\",\"text\":\"\"}\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogExport, CsvStartsWithItsHeaderAndJsonLinesWithNothing) {
  std::string csv, json;
  LogExportWriter(ExportFormat::kCsv).AppendHeader(csv);
  LogExportWriter(ExportFormat::kJsonLines).AppendHeader(json);
  EXPECT_EQ(csv, "time,text,hex\r\n");
  EXPECT_EQ(json, "");
}

}  // namespace
}  // namespace zqk
