#pragma once
// What the agent held for one reply or real-time record, read in full against
// the code's (or real type's) layout: every record, row and field by name,
// the raw block with the layout's widths and the raw data, each as fields at
// byte offsets. Where the bytes and the layout part ways a note says where,
// and the rest is kept as bytes. Nothing is read past the data, and no more is
// held than the budget allows.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/Layout.h"
#include "replies/AgentReader.h"

namespace zqk::inspect {

// One field as it came: its layout's name, offset and width, and its bytes.
struct Field {
  std::string_view name;  // from the protocol tables (static)
  uint64_t offset = 0;
  uint64_t width = 0;
  std::string value = {};
};

// A row of a record, the header of a block, or its content.
enum class RowKind : uint8_t { kRow, kHeader, kContent };
struct Row {
  RowKind kind = RowKind::kRow;
  int64_t index = 0;  // kRow
  std::vector<Field> fields = {};
};

// Where the layout and the data part ways, or what stopped the reading.
enum class NoteKind : uint8_t {
  kNoLayout,          // no layout for the code or real type: the data as bytes
  kCountNotPositive,  // a = the count: no rows
  kRowsLimited,       // a = announced, b = rows read: the data or the budget holds no more
  kValueWider,        // row a: field `name` holds b bytes, wider than its c
  kShorter,           // the data (a bytes) ends inside `name` (row b), c bytes short of the layout
  kLonger,            // a bytes beyond the layout's b: kept as bytes
  kRowsDisagree,      // the data holds a rows, the count says b
  kLengthTooLarge,    // a block of a bytes is beyond the agent's 32-bit length: not asked
  kBudget,            // the inspector's budget of a bytes is spent: the rest is not kept
  kAgentFailed,       // `text`: the agent's error
  kMoreNotes,         // a further notes of the part left out
  kSameAsBlock,       // the raw data is the block's a bytes: read once, as the block
};
struct Note {
  NoteKind kind;
  int64_t a = 0;
  int64_t b = 0;
  int64_t c = 0;
  std::string_view name = {};
  std::string text = {};  // kAgentFailed (CP949)
};

// What the part shows.
enum class Source : uint8_t {
  kRecord,   // GetRepeatCount / GetFieldValue of `record`
  kBlock,    // GetDataBlock
  kRawData,  // GetLastData
};
struct Part {
  Source source = Source::kRecord;
  std::string_view record = {};  // kRecord
  int64_t count = 0;             // kRecord: rows announced; kBlock: length asked
  std::vector<Row> rows = {};
  std::vector<Note> notes = {};
  // Bytes beyond the layout (or all of them, with no layout), from this offset.
  uint64_t restOffset = 0;
  std::string rest = {};
};

struct Inspection {
  std::vector<Part> parts = {};
  // Bytes of what the agent returned: values, block and raw data.
  uint64_t dataBytes = 0;
  // Memory the inspection holds, as the inspector counts it against its cap.
  uint64_t heldBytes = 0;
};

// The most bytes and fields one inspection keeps.
struct Budget {
  uint64_t bytes = 64ull << 20;
};

// Counts up to this many rows are believed as they come; a larger one is
// checked against the raw data, at least a row's width (or a byte a field) a row.
inline constexpr int64_t kTrustedRows = 10'000;

// Reads the reply to `code` (real type -1) as the inspector shows it.
Inspection InspectReply(AgentReader& agent, std::string_view code, const Budget& budget = {});
// Reads the real-time record of `realType` under `key`.
Inspection InspectRealData(AgentReader& agent, std::string_view key, int32_t realType,
                           const Budget& budget = {});

// The bytes of `data` read against a block layout: the header, `rows` rows
// (the count the records announce; negative: as many as the layout says by
// itself) and a content of `contentSize` bytes, with a note where they part.
Part ReadBlock(std::string_view data, const protocol::BlockLayout& layout, int64_t rows,
               int64_t contentSize, Source source, const Budget& budget = {});

// The memory an inspection holds.
uint64_t HeldBytes(const Inspection& inspection);

}  // namespace zqk::inspect
