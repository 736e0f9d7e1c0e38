#include "replies/ReplyInspection.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

#include "protocol/RealTypes.h"
#include "protocol/Replies.h"
#include "text/DecimalText.h"

namespace zqk::inspect {
namespace {

using protocol::BlockLayout;
using protocol::BlockRows;
using protocol::RecordLayout;
using protocol::RowCount;

constexpr int32_t kQueryRealType = -1;
// A part keeps this many notes; a reply whose every row disagrees says so once.
constexpr size_t kNotesKept = 50;
// What a string holds beyond its own size: libstdc++ keeps 15 bytes inside.
constexpr size_t kInlineString = 15;

uint64_t StringHeap(const std::string& s) {
  return s.capacity() > kInlineString ? s.capacity() + 1 : 0;
}

// The bytes spent against the budget, and whether the budget still holds.
class Meter {
 public:
  explicit Meter(uint64_t limit) : limit_(limit) {}
  bool Take(uint64_t bytes) {
    if (spent_ + bytes > limit_) {
      spent_ = limit_;
      return false;
    }
    spent_ += bytes;
    return true;
  }
  uint64_t Left() const { return limit_ - spent_; }
  uint64_t Limit() const { return limit_; }

 private:
  uint64_t limit_;
  uint64_t spent_ = 0;
};

void AddNote(Part& part, Note note) {
  if (part.notes.size() < kNotesKept) {
    part.notes.push_back(std::move(note));
    return;
  }
  if (part.notes.size() == kNotesKept) part.notes.push_back({NoteKind::kMoreNotes});
  ++part.notes.back().a;
}

int64_t Signed(size_t n) {
  return static_cast<int64_t>(std::min<uint64_t>(n, std::numeric_limits<int64_t>::max()));
}

// The bytes from `offset` on, as the part's rest, as far as the budget goes.
void KeepRest(Part& part, std::string_view data, size_t offset, Meter& meter) {
  if (offset >= data.size()) return;
  std::string_view rest = data.substr(offset);
  if (rest.size() > meter.Left()) {
    rest = rest.substr(0, meter.Left());
    AddNote(part, {NoteKind::kBudget, Signed(meter.Limit())});
  }
  meter.Take(rest.size());
  part.restOffset = offset;
  part.rest.assign(rest);
}

Part BytesOnly(std::string_view data, Source source, bool noLayout, Meter& meter) {
  Part part{.source = source, .count = Signed(data.size())};
  if (noLayout) AddNote(part, {NoteKind::kNoLayout});
  KeepRest(part, data, 0, meter);
  return part;
}

// Reads fixed-width bytes into a block part, noting where they stop fitting.
class BlockReader {
 public:
  BlockReader(std::string_view data, Part& part, Meter& meter)
      : data_(data), part_(part), meter_(meter) {}

  // Appends the fields of one row; false when the data ends inside it (or the
  // budget does), which is noted.
  bool ReadRow(RowKind kind, int64_t index, std::span<const protocol::Field> fields,
               uint64_t expectedLength) {
    if (!meter_.Take(sizeof(Row) + fields.size() * sizeof(Field))) return Spent();
    Row& row = part_.rows.emplace_back(Row{kind, index, {}});
    row.fields.reserve(fields.size());
    for (const protocol::Field& f : fields) {
      if (pos_ >= data_.size()) return Short(f.name, index, expectedLength, &row);
      const size_t n = std::min<size_t>(f.width, data_.size() - pos_);
      if (!meter_.Take(n)) return Spent();
      row.fields.push_back({f.name, pos_, f.width, std::string(data_.substr(pos_, n))});
      pos_ += n;
      if (n < f.width) return Short(f.name, index, expectedLength, nullptr);
    }
    return true;
  }

  // A stretch of `width` bytes of its own (a block's content).
  bool ReadContent(uint64_t width, uint64_t expectedLength) {
    if (!meter_.Take(sizeof(Row) + sizeof(Field))) return Spent();
    Row& row = part_.rows.emplace_back(Row{RowKind::kContent, 0, {}});
    const size_t n = static_cast<size_t>(std::min<uint64_t>(width, data_.size() - pos_));
    if (!meter_.Take(n)) return Spent();
    row.fields.push_back({{}, pos_, width, std::string(data_.substr(pos_, n))});
    pos_ += n;
    return n == width || Short({}, 0, expectedLength, nullptr);
  }

  size_t Pos() const { return pos_; }
  size_t Left() const { return data_.size() - pos_; }

 private:
  bool Short(std::string_view field, int64_t row, uint64_t expectedLength, Row* emptyRow) {
    if (emptyRow && emptyRow->fields.empty()) part_.rows.pop_back();
    const uint64_t shortBy = expectedLength > data_.size() ? expectedLength - data_.size() : 0;
    AddNote(part_, {NoteKind::kShorter, Signed(data_.size()), row, Signed(shortBy), field});
    return false;
  }
  bool Spent() {
    if (!part_.rows.empty() && part_.rows.back().fields.empty()) part_.rows.pop_back();
    AddNote(part_, {NoteKind::kBudget, Signed(meter_.Limit())});
    return false;
  }

  std::string_view data_;
  Part& part_;
  Meter& meter_;
  size_t pos_ = 0;
};

// The number of rows the block's own layout gives: fixed, or its header's
// count field (already read); nullopt when the caller's count rules.
std::optional<int64_t> OwnRows(const BlockLayout& layout, const Part& part) {
  switch (layout.rows) {
    case BlockRows::kNone:
      return 0;
    case BlockRows::kFixed:
      return layout.fixedRows;
    case BlockRows::kHeaderCount:
      if (!part.rows.empty() && part.rows.front().kind == RowKind::kHeader) {
        for (const Field& f : part.rows.front().fields) {
          if (f.name == layout.countField) return LeadingInt32(f.value);
        }
      }
      return 0;
    case BlockRows::kPerRecordRow:
      break;
  }
  return std::nullopt;
}

Part ReadBlockMetered(std::string_view data, const BlockLayout& layout, int64_t rows,
                      int64_t contentSize, Source source, Meter& meter) {
  Part part{.source = source, .count = Signed(data.size())};
  BlockReader reader(data, part, meter);
  const uint64_t headerWidth = layout.HeaderWidth();
  const uint64_t rowWidth = layout.RowWidth();
  const uint64_t content = layout.contentSizeField.empty() ? 0 : std::max<int64_t>(contentSize, 0);
  if (!layout.header.empty() &&
      !reader.ReadRow(RowKind::kHeader, 0, layout.header, headerWidth + content)) {
    return part;
  }
  const std::optional<int64_t> own = OwnRows(layout, part);
  // Negative: the caller does not know; every whole row the data holds.
  const bool counted = own || rows >= 0;
  const int64_t expected = own ? *own : rows;
  if (rowWidth > 0) {
    const uint64_t expectedLength =
        headerWidth + static_cast<uint64_t>(std::max<int64_t>(expected, 0)) * rowWidth + content;
    const int64_t target = counted ? expected : Signed(reader.Left() / rowWidth);
    for (int64_t i = 0; i < target; ++i) {
      if (reader.Left() == 0 && counted) {
        AddNote(part, {NoteKind::kShorter, Signed(data.size()), i,
                       Signed(expectedLength - std::min<uint64_t>(expectedLength, data.size())),
                       layout.row.front().name});
        return part;
      }
      if (!reader.ReadRow(RowKind::kRow, i, layout.row, expectedLength)) return part;
    }
    if (counted && content == 0 && reader.Left() >= rowWidth) {
      AddNote(part,
              {NoteKind::kRowsDisagree, Signed(expected + reader.Left() / rowWidth), expected});
    }
  }
  if (!layout.contentSizeField.empty() && !reader.ReadContent(content, headerWidth + content)) {
    return part;
  }
  if (reader.Left() > 0) {
    AddNote(part, {NoteKind::kLonger, Signed(reader.Left()), Signed(reader.Pos())});
    KeepRest(part, data, reader.Pos(), meter);
  }
  return part;
}

// Rows of a record read field by field through the agent.
class RecordReader {
 public:
  RecordReader(AgentReader& agent, std::string_view code, int32_t realType, Meter& meter)
      : agent_(agent), code_(code), realType_(realType), meter_(meter) {}

  Part Read(const RecordLayout& record, int64_t announced, int64_t readable) {
    Part part{.source = Source::kRecord, .record = record.name, .count = announced};
    if (announced < 1) {
      AddNote(part, {NoteKind::kCountNotPositive, announced});
      return part;
    }
    const int64_t rows = std::min(announced, readable);
    part.rows.reserve(static_cast<size_t>(std::min<int64_t>(rows, kTrustedRows)));
    for (int64_t i = 0; i < rows; ++i) {
      if (!meter_.Take(sizeof(Row) + record.fields.size() * sizeof(Field))) {
        AddNote(part, {NoteKind::kBudget, Signed(meter_.Limit())});
        AddNote(part, {NoteKind::kRowsLimited, announced, i});
        return part;
      }
      Row& row = part.rows.emplace_back(Row{RowKind::kRow, i, {}});
      row.fields.reserve(record.fields.size());
      uint64_t offset = 0;
      for (const protocol::Field& f : record.fields) {
        std::string value =
            agent_.GetFieldValue(code_, realType_, record.name, static_cast<int32_t>(i), f.name);
        if (!meter_.Take(value.size())) {
          AddNote(part, {NoteKind::kBudget, Signed(meter_.Limit())});
          AddNote(part, {NoteKind::kRowsLimited, announced, i});
          return part;
        }
        if (value.size() > f.width) {
          AddNote(part, {NoteKind::kValueWider, i, Signed(value.size()), f.width, f.name});
        }
        row.fields.push_back({f.name, offset, f.width, std::move(value)});
        offset += f.width;
      }
    }
    if (rows < announced) AddNote(part, {NoteKind::kRowsLimited, announced, rows});
    return part;
  }

 private:
  AgentReader& agent_;
  std::string_view code_;
  int32_t realType_;
  Meter& meter_;
};

// The value of a field of row 0 of OutRec1 among the parts read.
std::string_view FieldOfFirstRow(const std::vector<Part>& parts, std::string_view name) {
  for (const Part& p : parts) {
    if (p.source != Source::kRecord || p.record != protocol::kOutRec1 || p.rows.empty()) continue;
    for (const Field& f : p.rows.front().fields) {
      if (f.name == name) return f.value;
    }
  }
  return {};
}

// How many rows a reply's raw data can hold, at the least a row can take.
int64_t ReadableRows(int64_t announced, size_t rawBytes, size_t minRowBytes) {
  if (announced <= kTrustedRows) return announced;
  return std::min<int64_t>(announced, Signed(rawBytes / std::max<size_t>(minRowBytes, 1)));
}

// Asks for the block of `layout` under `code`/`key`, as long as the layout and
// the counts make it, and reads it against the layout.
void AddBlock(AgentReader& agent, std::string_view code, int32_t realType,
              const BlockLayout& layout, int64_t rows, int64_t contentSize, Meter& meter,
              std::vector<Part>& parts) {
  const int64_t headerWidth = static_cast<int64_t>(layout.HeaderWidth());
  const int64_t rowWidth = static_cast<int64_t>(layout.RowWidth());
  int64_t blockRows = std::max<int64_t>(rows, 0);
  if (layout.rows == BlockRows::kFixed) blockRows = layout.fixedRows;
  if (layout.rows == BlockRows::kNone) blockRows = 0;
  if (layout.rows == BlockRows::kHeaderCount) {
    // The header says how many rows follow: it is read first.
    Meter probe(meter.Left());
    const Part header = ReadBlockMetered(
        agent.GetDataBlock(code, realType, 0, static_cast<int32_t>(headerWidth), 0, "A"), layout, 0,
        0, Source::kBlock, probe);
    blockRows = std::max<int64_t>(OwnRows(layout, header).value_or(0), 0);
  }
  const int64_t content = layout.contentSizeField.empty() ? 0 : std::max<int64_t>(contentSize, 0);
  // No product beyond 2^62: rows and widths are below 2^31 and 2^16.
  const int64_t length = headerWidth + blockRows * rowWidth + content;
  Part& part = parts.emplace_back(Part{.source = Source::kBlock, .count = length});
  if (length > std::numeric_limits<int32_t>::max()) {
    AddNote(part, {NoteKind::kLengthTooLarge, length});
    return;
  }
  int64_t asked = length;
  if (static_cast<uint64_t>(asked) > meter.Left()) {
    asked = Signed(meter.Left());
    AddNote(part, {NoteKind::kBudget, Signed(meter.Limit())});
  }
  const std::string block =
      agent.GetDataBlock(code, realType, 0, static_cast<int32_t>(asked), 0, "A");
  Part read = ReadBlockMetered(block, layout, rows, content, Source::kBlock, meter);
  read.count = length;
  for (Note& n : part.notes) AddNote(read, std::move(n));
  part = std::move(read);
}

// The raw data read against the block layout, unless it holds the very bytes
// of the block just read (as it mostly does): then it is not held twice.
void AddRawData(std::string_view raw, const BlockLayout& layout, int64_t rows, int64_t contentSize,
                Meter& meter, std::vector<Part>& parts) {
  if (!parts.empty() && parts.back().source == Source::kBlock &&
      parts.back().count == Signed(raw.size())) {
    const Part& block = parts.back();
    size_t at = 0;
    bool same = block.notes.empty();
    for (const Row& r : block.rows) {
      for (const Field& f : r.fields) {
        same = same && raw.compare(at, f.value.size(), f.value) == 0;
        at += f.value.size();
      }
    }
    if (same && at == raw.size()) {
      Part part{.source = Source::kRawData, .count = Signed(raw.size())};
      AddNote(part, {NoteKind::kSameAsBlock, Signed(raw.size())});
      parts.push_back(std::move(part));
      return;
    }
  }
  parts.push_back(ReadBlockMetered(raw, layout, rows, contentSize, Source::kRawData, meter));
}

void AgentFailed(std::vector<Part>& parts, const std::exception& e) {
  if (parts.empty()) parts.push_back(Part{.source = Source::kRawData});
  AddNote(parts.back(), {NoteKind::kAgentFailed, 0, 0, 0, {}, e.what()});
}

Inspection Finish(std::vector<Part> parts) {
  Inspection in{std::move(parts)};
  for (const Part& p : in.parts) {
    in.dataBytes += p.rest.size();
    // Raw data held once, as the block.
    if (!p.notes.empty() && p.notes.front().kind == NoteKind::kSameAsBlock) {
      in.dataBytes += static_cast<uint64_t>(p.count);
    }
    for (const Row& r : p.rows) {
      for (const Field& f : r.fields) in.dataBytes += f.value.size();
    }
  }
  in.heldBytes = HeldBytes(in);
  return in;
}

}  // namespace

Part ReadBlock(std::string_view data, const BlockLayout& layout, int64_t rows, int64_t contentSize,
               Source source, const Budget& budget) {
  Meter meter(budget.bytes);
  return ReadBlockMetered(data, layout, rows, contentSize, source, meter);
}

Inspection InspectReply(AgentReader& agent, std::string_view code, const Budget& budget) {
  Meter meter(budget.bytes);
  std::vector<Part> parts;
  try {
    const std::string raw = agent.GetLastData();
    const protocol::ReplyLayout* layout = protocol::ReplyLayoutOf(code);
    if (!layout) {
      parts.push_back(BytesOnly(raw, Source::kRawData, true, meter));
      return Finish(std::move(parts));
    }
    const BlockLayout* block = layout->block;
    std::map<std::string_view, int64_t> counts;
    for (const RecordLayout& record : layout->records) {
      int64_t announced = 1;
      if (record.rows == RowCount::kRepeatCount) {
        announced = agent.GetRepeatCount(code, kQueryRealType, record.name);
      } else if (record.rows == RowCount::kCountField) {
        announced = LeadingInt32(
            agent.GetFieldValue(code, kQueryRealType, protocol::kOutRec1, 0, record.countField));
      }
      counts[record.name] = announced;
      size_t minRowBytes = record.fields.size();
      if (block && block->rows == BlockRows::kPerRecordRow && block->rowsOf == record.name) {
        minRowBytes = std::max<size_t>(minRowBytes, block->RowWidth());
      }
      RecordReader reader(agent, code, kQueryRealType, meter);
      parts.push_back(
          reader.Read(record, announced, ReadableRows(announced, raw.size(), minRowBytes)));
    }
    if (!block) {
      if (!raw.empty()) parts.push_back(BytesOnly(raw, Source::kRawData, true, meter));
      return Finish(std::move(parts));
    }
    int64_t rows = -1;
    if (block->rows == BlockRows::kPerRecordRow) {
      const auto it = counts.find(block->rowsOf);
      if (it != counts.end()) rows = std::max<int64_t>(it->second, 0);
    }
    const int64_t contentSize = block->contentSizeField.empty()
                                    ? 0
                                    : LeadingInt32(FieldOfFirstRow(parts, block->contentSizeField));
    // A block that GetLastData returns is not asked for again.
    if (!block->lastData) {
      AddBlock(agent, code, kQueryRealType, *block, rows, contentSize, meter, parts);
    }
    AddRawData(raw, *block, rows, contentSize, meter, parts);
  } catch (const std::runtime_error& e) {
    AgentFailed(parts, e);
  }
  return Finish(std::move(parts));
}

Inspection InspectRealData(AgentReader& agent, std::string_view key, int32_t realType,
                           const Budget& budget) {
  Meter meter(budget.bytes);
  std::vector<Part> parts;
  try {
    const std::string raw = agent.GetLastData();
    const protocol::RealTypeLayout* layout = protocol::FindRealType(realType);
    if (!layout) {
      parts.push_back(BytesOnly(raw, Source::kRawData, true, meter));
      return Finish(std::move(parts));
    }
    const RecordLayout record{protocol::kOutRec1, RowCount::kOne, {}, layout->fields};
    RecordReader reader(agent, key, realType, meter);
    parts.push_back(reader.Read(record, 1, 1));
    if (!layout->block) {
      if (!raw.empty()) parts.push_back(BytesOnly(raw, Source::kRawData, true, meter));
      return Finish(std::move(parts));
    }
    const std::string_view blockKey = layout->blockKey.empty() ? key : layout->blockKey;
    AddBlock(agent, blockKey, realType, *layout->block, 1, 0, meter, parts);
    // Most records come with no raw data of their own.
    if (!raw.empty()) AddRawData(raw, *layout->block, 1, 0, meter, parts);
  } catch (const std::runtime_error& e) {
    AgentFailed(parts, e);
  }
  return Finish(std::move(parts));
}

uint64_t HeldBytes(const Inspection& in) {
  uint64_t held = sizeof(Inspection) + in.parts.capacity() * sizeof(Part);
  for (const Part& p : in.parts) {
    held +=
        StringHeap(p.rest) + p.notes.capacity() * sizeof(Note) + p.rows.capacity() * sizeof(Row);
    for (const Note& n : p.notes) held += StringHeap(n.text);
    for (const Row& r : p.rows) {
      held += r.fields.capacity() * sizeof(Field);
      for (const Field& f : r.fields) held += StringHeap(f.value);
    }
  }
  return held;
}

}  // namespace zqk::inspect
