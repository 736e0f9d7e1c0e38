// The inspector's reading of a reply against its layout, from a table of
// what the agent holds: records, block and raw data field by field, the
// notes where data and layout part ways, and the calls it makes to get there.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "protocol/RealTypes.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "replies/InspectionText.h"
#include "replies/ReplyInspection.h"

namespace zqk::inspect {
namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

// An agent that answers from tables and records the reads asked of it.
class TableReader final : public AgentReader {
 public:
  std::map<std::string, int32_t, std::less<>> counts;  // by record
  std::map<std::tuple<std::string, int32_t, std::string>, std::string, std::less<>> values;
  std::string block;
  std::string lastData;
  std::vector<std::string> calls;

  int32_t GetRepeatCount(std::string_view, int32_t, std::string_view record) override {
    calls.push_back("GetRepeatCount " + std::string(record));
    const auto it = counts.find(record);
    return it == counts.end() ? 0 : it->second;
  }
  std::string GetFieldValue(std::string_view, int32_t, std::string_view record, int32_t row,
                            std::string_view field) override {
    calls.push_back("GetFieldValue");
    const auto it = values.find(std::tuple(std::string(record), row, std::string(field)));
    return it == values.end() ? std::string() : it->second;
  }
  std::string GetDataBlock(std::string_view, int32_t, int32_t offset, int32_t length, int32_t,
                           std::string_view) override {
    calls.push_back("GetDataBlock " + std::to_string(offset) + " " + std::to_string(length));
    return block.substr(0, static_cast<size_t>(length));
  }
  std::string GetLastData() override {
    calls.push_back("GetLastData");
    return lastData;
  }
  std::string GetNextKey(int32_t, std::string_view) override { return {}; }
  std::string FormatValue(std::string_view, std::string_view v, int32_t) override {
    return std::string(v);
  }
};

const protocol::BlockLayout& MinuteBarBlock() {
  return *protocol::ReplyOf(tr::kMinuteBars).block;
}
constexpr size_t kBarRow = 145;

std::vector<NoteKind> Kinds(const Part& part) {
  std::vector<NoteKind> kinds;
  for (const Note& n : part.notes) kinds.push_back(n.kind);
  return kinds;
}

// Raw data of o51200 against its row layout: what came, where it stops
// fitting, and nothing read past the data whatever the count says.
struct BlockCase {
  const char* name;
  size_t bytes;
  int64_t count;
  size_t rows;       // rows shown, the last one perhaps cut short
  size_t restBytes;  // kept as bytes beyond the layout
  std::vector<NoteKind> notes;
};
void PrintTo(const BlockCase& c, std::ostream* os) {
  *os << c.name;
}

class BlockFit : public testing::TestWithParam<BlockCase> {};

TEST_P(BlockFit, ShowsWhatCameAndSaysWhereItStopsFitting) {
  const BlockCase& c = GetParam();
  const std::string data(c.bytes, '7');
  const Part part = ReadBlock(data, MinuteBarBlock(), c.count, 0, Source::kRawData);
  EXPECT_EQ(part.rows.size(), c.rows);
  EXPECT_EQ(part.rest.size(), c.restBytes);
  EXPECT_EQ(Kinds(part), c.notes);
  size_t shown = part.rest.size();
  for (const Row& r : part.rows) {
    for (const Field& f : r.fields) {
      EXPECT_LE(f.offset + f.value.size(), data.size()) << f.name;
      shown += f.value.size();
    }
  }
  EXPECT_EQ(shown, data.size()) << "every byte shown once";
}

INSTANTIATE_TEST_SUITE_P(
    Raw, BlockFit,
    testing::Values(BlockCase{"fits", 2 * kBarRow, 2, 2, 0, {}}, BlockCase{"empty", 0, 0, 0, 0, {}},
                    BlockCase{"shorter_inside_a_row", kBarRow + 50, 2, 2, 0, {NoteKind::kShorter}},
                    BlockCase{"shorter_at_a_row", kBarRow, 3, 1, 0, {NoteKind::kShorter}},
                    BlockCase{"longer", kBarRow + 10, 1, 1, 10, {NoteKind::kLonger}},
                    BlockCase{"more_rows_than_counted",
                              3 * kBarRow,
                              1,
                              1,
                              2 * kBarRow,
                              {NoteKind::kRowsDisagree, NoteKind::kLonger}},
                    BlockCase{"count_zero_with_rows",
                              kBarRow,
                              0,
                              0,
                              kBarRow,
                              {NoteKind::kRowsDisagree, NoteKind::kLonger}},
                    BlockCase{
                        "count_of_2_31_minus_1", kBarRow, kMaxCount, 1, 0, {NoteKind::kShorter}},
                    BlockCase{"count_unknown", 2 * kBarRow + 3, -1, 2, 3, {NoteKind::kLonger}}));

TEST(ReplyInspection, ShortDataNamesTheFieldAndRowWhereItEnds) {
  const Part part =
      ReadBlock(std::string(kBarRow + 40, 'x'), MinuteBarBlock(), 2, 0, Source::kRawData);
  ASSERT_EQ(part.notes.size(), 1u);
  const Note& n = part.notes[0];
  EXPECT_EQ(n.a, static_cast<int64_t>(kBarRow + 40));  // the data's size
  EXPECT_EQ(n.b, 1);                                   // row 1
  EXPECT_EQ(n.c, static_cast<int64_t>(kBarRow - 40));  // bytes short
  // Row 1's fields: code (32), date (8): 40 bytes, and the time is missing.
  EXPECT_EQ(part.rows[1].fields.size(), 2u);
  EXPECT_EQ(n.name, part.rows[0].fields[2].name);
  std::string expected = "the data (185 bytes) ends in ";
  expected.append(n.name).append(" (row 1), 105 bytes short of the layout");
  EXPECT_EQ(NoteText(n, Language::kEnglish), expected);
}

// A paged reply read in full: OutRec1 by field, the block with the layout's
// row width, the raw data; then the fields by name, offset and width.
TEST(ReplyInspection, ReadsEveryRecordFieldTheBlockAndTheRawData) {
  TableReader agent;
  agent.counts["OutRec1"] = 2;
  const protocol::RecordLayout& rec = protocol::ReplyOf(tr::kMinuteBars).records[0];
  for (const int32_t row : {0, 1}) {
    for (const protocol::Field& f : rec.fields) {
      agent.values[{"OutRec1", row, std::string(f.name)}] = row == 0 ? "v0" : "v1";
    }
  }
  agent.block = std::string(2 * kBarRow, 'b');
  agent.lastData = agent.block;
  const Inspection in = InspectReply(agent, tr::kMinuteBars);

  ASSERT_EQ(in.parts.size(), 3u);
  EXPECT_EQ(in.parts[0].source, Source::kRecord);
  EXPECT_EQ(in.parts[0].count, 2);
  ASSERT_EQ(in.parts[0].rows.size(), 2u);
  const Field& second = in.parts[0].rows[1].fields[1];
  EXPECT_EQ(second.name, rec.fields[1].name);
  EXPECT_EQ(second.offset, rec.fields[0].width);
  EXPECT_EQ(second.width, rec.fields[1].width);
  EXPECT_EQ(second.value, "v1");
  EXPECT_EQ(in.parts[1].source, Source::kBlock);
  EXPECT_EQ(in.parts[1].count, static_cast<int64_t>(2 * kBarRow));
  EXPECT_EQ(in.parts[1].rows.size(), 2u);
  EXPECT_EQ(in.parts[2].source, Source::kRawData);
  EXPECT_EQ(Kinds(in.parts[2]), std::vector<NoteKind>{NoteKind::kSameAsBlock});

  std::vector<std::string> expected = {"GetLastData", "GetRepeatCount OutRec1"};
  expected.insert(expected.end(), 2 * rec.fields.size(), "GetFieldValue");
  expected.push_back("GetDataBlock 0 290");
  EXPECT_EQ(agent.calls, expected);

  const std::vector<std::string> lines = InspectionLines(in, Language::kEnglish);
  EXPECT_EQ(lines[0], "part OutRec1 count=2");
  EXPECT_EQ(lines[1], "field OutRec1 row=0 name=\"" + std::string(rec.fields[0].name) +
                          "\" offset=0 width=8 value=\"v0\"");
}

// Counts that cannot be believed: none or negative read no row, and 2^31-1
// reads no more rows than the raw data can hold.
TEST(ReplyInspection, CountsThatCannotBeBelievedReadNoMoreThanTheDataHolds) {
  for (const int32_t count : {0, -1, kMaxCount}) {
    TableReader agent;
    agent.counts["OutRec1"] = count;
    agent.lastData = std::string(3 * kBarRow, ' ');
    const Inspection in = InspectReply(agent, tr::kMinuteBars);
    const Part& records = in.parts.at(0);
    const size_t rowsRead = count == kMaxCount ? 3 : 0;
    EXPECT_EQ(records.rows.size(), rowsRead) << count;
    EXPECT_EQ(records.notes.at(0).kind,
              count == kMaxCount ? NoteKind::kRowsLimited : NoteKind::kCountNotPositive);
    const size_t fields = protocol::ReplyOf(tr::kMinuteBars).records[0].fields.size();
    EXPECT_EQ(
        static_cast<size_t>(std::count(agent.calls.begin(), agent.calls.end(), "GetFieldValue")),
        rowsRead * fields);
    // A block of 2^31-1 rows is beyond the agent's lengths: not asked for.
    const Part& block = in.parts.at(1);
    if (count == kMaxCount) {
      EXPECT_EQ(Kinds(block), std::vector<NoteKind>{NoteKind::kLengthTooLarge});
      EXPECT_EQ(std::count(agent.calls.begin(), agent.calls.end(), "GetDataBlock 0 0"), 0);
    } else {
      EXPECT_EQ(block.count, 0);
    }
  }
}

TEST(ReplyInspection, AnUnknownCodeOrRealTypeIsItsRawDataAsBytes) {
  TableReader agent;
  agent.lastData = std::string("AB\0\xFF", 4);
  for (const Inspection& in : {InspectReply(agent, "zz999"), InspectRealData(agent, "K", 4242)}) {
    ASSERT_EQ(in.parts.size(), 1u);
    EXPECT_EQ(in.parts[0].rest, agent.lastData);
    EXPECT_EQ(Kinds(in.parts[0]), std::vector<NoteKind>{NoteKind::kNoLayout});
  }
  EXPECT_EQ(agent.calls, (std::vector<std::string>{"GetLastData", "GetLastData"}));
  EXPECT_EQ(DumpLines(agent.lastData, 16),
            std::vector<std::string>{"00000010  41 42 00 FF" + std::string(36, ' ') + "  AB.."});
}

// A value of 1 MB is kept whole and said to be wider than its field; a budget
// smaller than the reply stops the reading where it runs out.
TEST(ReplyInspection, HugeValuesAreKeptWithinTheBudgetAndSaidToBeWider) {
  TableReader agent;
  agent.counts["OutRec1"] = 3;
  const protocol::RecordLayout& rec = protocol::ReplyOf(tr::kMinuteBars).records[0];
  for (int32_t row = 0; row < 3; ++row) {
    agent.values[{"OutRec1", row, std::string(rec.fields[0].name)}] = std::string(1 << 20, 'M');
  }
  const Inspection whole = InspectReply(agent, tr::kMinuteBars);
  EXPECT_EQ(whole.parts[0].rows.size(), 3u);
  EXPECT_EQ(whole.parts[0].rows[2].fields[0].value.size(), 1u << 20);
  EXPECT_EQ(whole.parts[0].notes.at(0).kind, NoteKind::kValueWider);
  EXPECT_GE(whole.heldBytes, 3u << 20);

  const Inspection cut = InspectReply(agent, tr::kMinuteBars, Budget{(1u << 20) + 4096});
  EXPECT_EQ(cut.parts[0].rows.size(), 1u + 1u);  // the second row stops at its first field
  EXPECT_LE(cut.dataBytes, (1u << 20) + 4096);
  EXPECT_EQ(Kinds(cut.parts[0]).back(), NoteKind::kRowsLimited);
}

TEST(ReplyInspection, ShownBytesKeepsCp949TextAndEscapesTheRest) {
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"abc 123", "abc 123"},
      {"가나", "가나"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\t\r\n", "\\x09\\x0D\\x0A"},
      {"\x80\xFF", "\\x80\\xFF"},
      {"x\xB0", "x\\xB0"},     // a lead byte that lost its trail byte
      {"\xB0\x20", "\\xB0 "},  // a lead byte before a byte that is no trail byte
  };
  for (const auto& c : cases) EXPECT_EQ(ShownBytes(c.bytes), c.shown);
  EXPECT_EQ(Quoted("a\"b\\"), "\"a\\\"b\\\\\"");
}

TEST(ReplyInspection, ARealTimeRecordIsReadUnderItsKeyWithItsBlock) {
  TableReader agent;
  const protocol::RealTypeLayout& trade = protocol::RealTypeOf(real::kOverseasTrade);
  agent.values[{"OutRec1", 0, std::string(trade.fields[0].name)}] = "ESU16";
  agent.block = std::string(trade.block->HeaderWidth(), 'h');
  const Inspection in = InspectRealData(agent, "ESU16", real::kOverseasTrade);
  ASSERT_EQ(in.parts.size(), 2u);  // the record and the block; no raw data came
  EXPECT_EQ(in.parts[0].rows.at(0).fields.size(), trade.fields.size());
  EXPECT_EQ(in.parts[0].rows[0].fields[0].value, "ESU16");
  EXPECT_TRUE(in.parts[1].notes.empty());
  EXPECT_EQ(agent.calls.back(), "GetDataBlock 0 " + std::to_string(trade.block->HeaderWidth()));
}

}  // namespace
}  // namespace zqk::inspect
