// The broker's codes and layouts held against both sides, code by code and
// real type by real type: every field a console decoder or real-time row
// reads is in the layout, and every raw block it asks for has the layout's
// width; every field the sandbox fills is in the layout and fits its kind and
// width, and every raw block it sends has the layout's shape; every sample
// input parses by its layout to values the sandbox answers for. A layout
// field that nobody reads or fills is listed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/FieldNames.h"
#include "protocol/MasterFileLayouts.h"
#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "protocol/RealTypes.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "replies/RealTimeTable.h"
#include "requests/OrderComposer.h"
#include "tests/protocol/ConsoleReads.h"
#include "tests/protocol/SandboxRun.h"
#include "tests/support/TempDir.h"
#include "text/Blanks.h"
#include "text/Cp949.h"
#include "text/DecimalText.h"

namespace zqk::test {
namespace {

using protocol::Field;
using sandbox::EventData;

std::string U(std::string_view cp949) {
  return Cp949ToUtf8(cp949);
}

// The keys the check registers each quote feed under.
struct FeedKey {
  int32_t realType;
  const char* key;
};
constexpr FeedKey kFeedKeys[] = {
    {real::kDomesticBook, "101G3000"},
    {real::kOverseasBook, "ESU16"},
    {real::kDomesticBestQuotes, "101G3000"},
    {real::kDomesticTrade, "101G3000"},
    {real::kOptionModel, "201JB245"},
    {real::kDomesticTradeAlt, "101G3000"},
    {real::kFxBook, "EUR/USD"},
    {real::kOverseasTrade, "ESU16"},
    {real::kIndex, "KOSPI200"},
    {real::kFxQuote, "EUR/USD"},
    {real::kServerClock, "0"},
};

// The demo user's accounts whose order feeds the check registers: those of
// the console's order samples.
constexpr const char* kSampleAccounts[] = {"06801004", "015872", "017539"};

// What the two sides did, gathered once for every test of the file.
struct Observed {
  std::vector<std::string> faults;                           // what the sandbox threw (UTF-8)
  std::map<std::string, EventData, std::less<>> replies;     // by code
  std::vector<EventData> masterFiles;                        // every download
  std::map<std::string, std::string, std::less<>> refused;   // query code: why (UTF-8)
  std::map<int32_t, std::vector<EventData>> records;         // by real type
  std::map<std::string, ConsoleReads, std::less<>> console;  // by code
  std::map<int32_t, ConsoleReads> consoleReal;               // by real type
};

// A cancel of the first order of `account` that is still open.
std::string CancelOfOpenOrder(SandboxRun& run, std::string_view account, std::string_view code) {
  const sandbox::market::AccountBook& book = *run.broker().ledger.Find(account);
  for (const sandbox::market::Order& o : book.orders()) {
    if (o.Open() <= 0) continue;
    OrderFormValues v;
    v.account = book.account().number;
    v.password = book.account().password;
    v.product = o.ticket.product->code;
    v.origOrderNo = o.number;
    return ComposeRecord(v, *protocol::FindOrderLayout(code));
  }
  return {};
}

// A market sell of one of the domestic order sample's product: it closes
// what the sample bought.
std::string DomesticClosingSell() {
  OrderFormValues v;
  v.account = "06801004";
  v.password = "6042";
  v.product = "201JB245";
  v.buySell = "2";
  v.priceType = "2";
  v.fillCondition = "1";
  v.quantity = "1";
  return ComposeRecord(v, *protocol::FindOrderLayout(tr::kDomesticNewOrder));
}

// Runs `step`, taking what it throws as a fault of the sandbox: a record
// that its layout does not allow is never sent, and what depends on it is
// missed by the checks below.
template <class Step>
void Try(Observed& o, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    o.faults.push_back(U(e.what()));
  }
}

void RunSandbox(Observed& o) {
  SandboxRun run;
  for (const FeedKey& f : kFeedKeys) EXPECT_EQ(run.feeds().AddReal(f.key, f.realType), 0);
  for (const char* account : kSampleAccounts) {
    EXPECT_EQ(run.feeds().AddOrderReal("demo", account), 0);
    Try(o, [&] { run.orders().SendOpenOrders(account); });
  }
  run.Advance(1000);
  // Every order code once: the market's sample under the codes whose layout
  // has one, else an empty record (refused, but answered all the same).
  for (const protocol::OrderCode& c : protocol::AllOrderCodes()) {
    Try(o, [&] { run.orders().Send(run.NextRqId(), c.code, c.layout->sample); });
  }
  run.Advance(1000);
  Try(o, [&] { run.orders().Send(run.NextRqId(), tr::kDomesticNewOrder, DomesticClosingSell()); });
  Try(o, [&] {
    run.orders().Send(run.NextRqId(), tr::kDomesticCancelOrder,
                      CancelOfOpenOrder(run, "06801004", tr::kDomesticCancelOrder));
  });
  Try(o, [&] {
    run.orders().Send(run.NextRqId(), tr::kOverseasCancelOrder,
                      CancelOfOpenOrder(run, "015872", tr::kOverseasCancelOrder));
  });
  Try(o, [&] { run.masters().Request("all", run.NextRqId()); });
  run.Advance(5000);
  for (Delivered& d : run.delivered) {
    if (d.realType == sandbox::EventStore::kReplyType) {
      if (d.code == tr::kMasterFile) o.masterFiles.push_back(d.data);
      o.replies.insert_or_assign(d.code, std::move(d.data));
    } else {
      o.records[d.realType].push_back(std::move(d.data));
    }
  }
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    const protocol::InputLayout* input = protocol::InputLayoutOf(c.code);
    if (!input) continue;
    try {
      o.replies.insert_or_assign(std::string(c.code), run.Query(c.code, input->sample));
    } catch (const sandbox::Refused& r) {
      o.refused[std::string(c.code)] = U(r.message.text) + " " + U(r.detail);
    } catch (const std::logic_error& e) {
      o.refused[std::string(c.code)] = "fault: " + U(e.what());
    }
  }
}

const Observed& Observe() {
  static const Observed observed = [] {
    Observed o;
    RunSandbox(o);
    TempDir downloads;
    for (const protocol::CodeInfo& c : protocol::AllCodes()) {
      o.console[std::string(c.code)] = ReadsOfReply(c.code, downloads.path());
    }
    for (const protocol::RealTypeLayout& t : protocol::AllRealTypes()) {
      o.consoleReal[t.realType] = ReadsOfRealData("K", t.realType);
    }
    return o;
  }();
  return observed;
}

// --- Checks shared by replies and real-time records.

bool Has(std::span<const Field> fields, std::string_view name) {
  return std::any_of(fields.begin(), fields.end(), [&](const Field& f) { return f.name == name; });
}

const Field* FieldOf(std::span<const Field> fields, std::string_view name) {
  for (const Field& f : fields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

// Every field of `row` is in `fields`, fits its kind and its width (padded
// fields fill theirs).
void ExpectRowFits(std::span<const Field> fields, const sandbox::FieldRow& row,
                   const std::string& where) {
  for (const auto& [name, value] : row) {
    const Field* f = FieldOf(fields, name);
    ASSERT_NE(f, nullptr) << where << ": the sandbox fills " << U(name) << ", not in the layout";
    EXPECT_TRUE(protocol::FitsKind(f->kind, value)) << where << ": " << U(name) << "=[" << U(value)
                                                    << "] is no " << protocol::KindName(f->kind);
    if (f->align == protocol::Align::kAsIs) {
      EXPECT_LE(value.size(), f->width) << where << ": " << U(name) << "=[" << U(value) << "]";
    } else {
      EXPECT_EQ(value.size(), f->width) << where << ": " << U(name) << "=[" << U(value) << "]";
    }
  }
}

// Each field of each row of the block fits its kind where the row holds it;
// a row takes `stride` bytes (0: its fields' widths).
void ExpectBlockRowsFit(std::span<const Field> fields, std::string_view rows,
                        const std::string& where, size_t stride = 0) {
  const size_t width = protocol::Width(fields);
  if (stride == 0) stride = width;
  for (size_t at = 0; width > 0 && at + width <= rows.size(); at += stride) {
    size_t offset = at;
    for (const Field& f : fields) {
      const std::string_view value = rows.substr(offset, f.width);
      EXPECT_TRUE(protocol::FitsKind(f.kind, value))
          << where << ": block field " << U(f.name) << "=[" << U(value) << "] at " << offset
          << " is no " << protocol::KindName(f.kind);
      offset += f.width;
    }
  }
}

int32_t RowsOf(const EventData& d, std::string_view record) {
  const auto it = d.records.find(record);
  return it == d.records.end() ? 0 : static_cast<int32_t>(it->second.size());
}

std::string ValueOf(const EventData& d, std::string_view record, std::string_view field) {
  const auto it = d.records.find(record);
  if (it == d.records.end() || it->second.empty()) return {};
  const auto f = it->second.front().find(field);
  return f == it->second.front().end() ? std::string() : f->second;
}

// The raw block of `d` has the shape of `block` (or is empty without one).
void ExpectBlockFits(const protocol::BlockLayout* block, const EventData& d,
                     const std::string& where) {
  if (!block) {
    EXPECT_TRUE(d.block.empty()) << where << ": a block the layout does not have";
    EXPECT_FALSE(d.lastData) << where;
    return;
  }
  const size_t header = block->HeaderWidth();
  ASSERT_GE(d.block.size(), header) << where;
  ExpectBlockRowsFit(block->header, std::string_view(d.block).substr(0, header), where);
  size_t rows = 0;
  switch (block->rows) {
    case protocol::BlockRows::kNone:
      break;
    case protocol::BlockRows::kPerRecordRow:
      rows = static_cast<size_t>(RowsOf(d, block->rowsOf));
      break;
    case protocol::BlockRows::kFixed:
      rows = block->fixedRows;
      break;
    case protocol::BlockRows::kHeaderCount: {
      const std::optional<size_t> at = protocol::OffsetOf(block->header, block->countField);
      ASSERT_TRUE(at) << where;
      rows = static_cast<size_t>(
          LeadingInt32(d.block.substr(*at, FieldOf(block->header, block->countField)->width)));
      EXPECT_EQ(rows, static_cast<size_t>(RowsOf(d, protocol::kOutRec1))) << where;
      break;
    }
  }
  size_t content = 0;
  if (!block->contentSizeField.empty()) {
    content =
        static_cast<size_t>(LeadingInt32(ValueOf(d, protocol::kOutRec1, block->contentSizeField)));
  }
  EXPECT_EQ(d.block.size(), header + rows * block->RowWidth() + content)
      << where << ": the block is not " << header << " + " << rows << " x " << block->RowWidth()
      << " + " << content << " bytes";
  if (block->RowWidth() > 0) {
    ExpectBlockRowsFit(block->row,
                       std::string_view(d.block).substr(header, rows * block->RowWidth()), where);
  }
  if (block->lastData) {
    EXPECT_EQ(d.lastData, d.block) << where;
  } else {
    EXPECT_FALSE(d.lastData) << where;
  }
}

void ExpectReplyFits(const protocol::ReplyLayout& layout, const EventData& d,
                     const std::string& where) {
  for (const auto& [name, rows] : d.records) {
    const protocol::RecordLayout* record = layout.Record(name);
    ASSERT_NE(record, nullptr) << where << ": a record " << name << " not in the layout";
    for (size_t i = 0; i < rows.size(); ++i) {
      ExpectRowFits(record->fields, rows[i], where + " " + name + " row " + std::to_string(i));
    }
    switch (record->rows) {
      case protocol::RowCount::kOne:
        EXPECT_EQ(rows.size(), 1u) << where << " " << name;
        break;
      case protocol::RowCount::kCountField:
        EXPECT_EQ(static_cast<int32_t>(rows.size()),
                  LeadingInt32(ValueOf(d, protocol::kOutRec1, record->countField)))
            << where << " " << name;
        break;
      case protocol::RowCount::kRepeatCount:
        break;
    }
  }
  ExpectBlockFits(layout.block, d, where);
  if (!layout.paged) {
    EXPECT_TRUE(d.nextKey.empty()) << where << ": a key, but no paging";
  }
}

// Not an error: a layout field that neither side touches is listed, so that
// the tables stay honest about what they describe.
void ListIdle(const std::string& where, std::span<const Field> fields, std::string_view record,
              const ConsoleReads& reads, const std::vector<const sandbox::FieldRow*>& filled) {
  for (const Field& f : fields) {
    const bool read =
        std::any_of(reads.fields.begin(), reads.fields.end(),
                    [&](const FieldRead& r) { return r.record == record && r.field == f.name; });
    const bool set = std::any_of(filled.begin(), filled.end(), [&](const sandbox::FieldRow* row) {
      return row->find(f.name) != row->end();
    });
    if (!read && !set) std::cout << "[ idle field ] " << where << " " << U(f.name) << "\n";
  }
}

// --- Codes.

class CodeCheck : public testing::TestWithParam<protocol::CodeInfo> {};

}  // namespace
}  // namespace zqk::test

namespace zqk::protocol {
void PrintTo(const CodeInfo& c, std::ostream* os) {
  *os << c.code;
}
void PrintTo(const RealTypeLayout& t, std::ostream* os) {
  *os << t.realType;
}
}  // namespace zqk::protocol

namespace zqk::test {
namespace {

TEST_P(CodeCheck, TheConsoleReadsOnlyWhatTheLayoutHas) {
  const protocol::CodeInfo& c = GetParam();
  const ConsoleReads& reads = Observe().console.find(c.code)->second;
  EXPECT_EQ(reads.decoded, c.decoded) << "the console's decoder table and the codes disagree";
  if (!reads.decoded) return;
  const protocol::ReplyLayout& layout = protocol::ReplyOf(c.code);
  for (const FieldRead& r : reads.fields) {
    const protocol::RecordLayout* record = layout.Record(r.record);
    ASSERT_NE(record, nullptr) << "the console reads record " << r.record;
    EXPECT_TRUE(record->Find(r.field)) << "the console reads " << r.record << " " << U(r.field);
    const int32_t rows = record->rows == protocol::RowCount::kOne          ? 1
                         : record->rows == protocol::RowCount::kCountField ? 1  // it reads "1"
                                                                           : kRowsAnnounced;
    EXPECT_LT(r.row, rows) << r.record << " " << U(r.field);
  }
  // Every block the console asks for has the layout's widths: of the rows it
  // was told of, the fixed rows, or the header and the content ("1" byte).
  for (const BlockRead& b : reads.blocks) {
    ASSERT_NE(layout.block, nullptr) << "the console reads a block the layout does not have";
    const protocol::BlockLayout& block = *layout.block;
    std::set<std::pair<int32_t, int32_t>> allowed;
    const auto header = static_cast<int32_t>(block.HeaderWidth());
    const auto row = static_cast<int32_t>(block.RowWidth());
    if (block.rows == protocol::BlockRows::kPerRecordRow) allowed.insert({0, kRowsAnnounced * row});
    if (block.rows == protocol::BlockRows::kFixed)
      allowed.insert({0, header + block.fixedRows * row});
    if (!block.contentSizeField.empty()) {
      allowed.insert({0, header + 1});
      allowed.insert({header, 1});
    }
    EXPECT_TRUE(allowed.contains({b.offset, b.length}))
        << "the console reads " << b.length << " bytes at " << b.offset;
  }
}

TEST_P(CodeCheck, TheSandboxFillsOnlyWhatTheLayoutHas) {
  const protocol::CodeInfo& c = GetParam();
  const Observed& o = Observe();
  if (c.operation == protocol::Operation::kTrQuery ||
      c.operation == protocol::Operation::kFidQuery) {
    EXPECT_NE(sandbox::FindService(c.code), nullptr) << "the sandbox answers no such query";
    const auto refused = o.refused.find(c.code);
    ASSERT_TRUE(refused == o.refused.end()) << "the sample is refused: " << refused->second;
  }
  const auto reply = o.replies.find(c.code);
  ASSERT_NE(reply, o.replies.end()) << "the sandbox sent no reply";
  const protocol::ReplyLayout& layout = protocol::ReplyOf(c.code);
  ExpectReplyFits(layout, reply->second, std::string(c.code));
  for (const protocol::RecordLayout& r : layout.records) {
    std::vector<const sandbox::FieldRow*> rows;
    if (const auto it = reply->second.records.find(r.name); it != reply->second.records.end()) {
      for (const sandbox::FieldRow& row : it->second) rows.push_back(&row);
    }
    ListIdle(std::string(c.code) + " " + std::string(r.name), r.fields, r.name,
             o.console.find(c.code)->second, rows);
  }
}

TEST_P(CodeCheck, ASampleInputParsesToWhatTheSandboxAnswersFor) {
  const protocol::CodeInfo& c = GetParam();
  const protocol::InputLayout* input = protocol::InputLayoutOf(c.code);
  const bool query =
      c.operation == protocol::Operation::kTrQuery || c.operation == protocol::Operation::kFidQuery;
  ASSERT_EQ(input != nullptr, query) << "a query has an input layout, nothing else has";
  if (!input) return;
  EXPECT_LE(input->sample.size(), input->length);
  size_t end = 0;
  for (const protocol::InputField& f : input->fields) {
    EXPECT_GE(f.offset, end) << U(f.name) << " overlaps the field before it";
    end = size_t{f.offset} + f.width;
    if (f.number) {
      EXPECT_EQ(f.kind, protocol::FieldKind::kDigits) << U(f.name);
    }
  }
  EXPECT_LE(end, input->length);

  const std::vector<std::string_view> values = protocol::ParseInput(*input, input->sample);
  const auto reply = Observe().replies.find(c.code);
  ASSERT_NE(reply, Observe().replies.end());
  for (size_t i = 0; i < input->fields.size(); ++i) {
    const protocol::InputField& f = input->fields[i];
    EXPECT_TRUE(protocol::FitsKind(f.kind, values[i])) << U(f.name) << "=" << U(values[i]);
    if (f.answeredIn.empty() || values[i].empty()) continue;
    // The first record that has the field shows it in its first row.
    const protocol::RecordLayout* shown = nullptr;
    for (const protocol::RecordLayout& r : protocol::ReplyOf(c.code).records) {
      if (!shown && r.Find(f.answeredIn)) shown = &r;
    }
    ASSERT_NE(shown, nullptr) << U(f.answeredIn) << " is in no record of the reply";
    ASSERT_GT(RowsOf(reply->second, shown->name), 0) << "no row answers for " << U(values[i]);
    EXPECT_EQ(TrimBlanks(ValueOf(reply->second, shown->name, f.answeredIn)), values[i])
        << U(f.name) << " asked for, " << U(f.answeredIn) << " answered";
  }
}

std::string CodeName(const testing::TestParamInfo<protocol::CodeInfo>& info) {
  std::string name;
  for (char ch : info.param.code) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryCode, CodeCheck, testing::ValuesIn(protocol::AllCodes()), CodeName);

// --- Real types.

class RealTypeCheck : public testing::TestWithParam<protocol::RealTypeLayout> {};

TEST_P(RealTypeCheck, TheConsoleReadsOnlyWhatTheLayoutHas) {
  const protocol::RealTypeLayout& t = GetParam();
  const ConsoleReads& reads = Observe().consoleReal.find(t.realType)->second;
  for (const FieldRead& r : reads.fields) {
    EXPECT_EQ(r.record, protocol::kOutRec1);
    EXPECT_EQ(r.row, 0);
    EXPECT_TRUE(Has(t.fields, r.field)) << "the console reads " << U(r.field);
  }
  for (const BlockRead& b : reads.blocks) {
    ASSERT_NE(t.block, nullptr) << "the console reads a block the layout does not have";
    EXPECT_EQ(b.key, t.blockKey.empty() ? "K" : t.blockKey);
    EXPECT_EQ(b.offset, 0);
    EXPECT_EQ(b.length, static_cast<int32_t>(t.block->HeaderWidth()));
  }
}

TEST_P(RealTypeCheck, TheSandboxFillsOnlyWhatTheLayoutHas) {
  const protocol::RealTypeLayout& t = GetParam();
  const auto records = Observe().records.find(t.realType);
  ASSERT_NE(records, Observe().records.end()) << "the sandbox sent no record of the type";
  for (const EventData& d : records->second) {
    ASSERT_EQ(d.records.size(), 1u);
    ASSERT_EQ(d.records.begin()->first, protocol::kOutRec1);
    ASSERT_EQ(d.records.begin()->second.size(), 1u);
    const std::string where = "real type " + std::to_string(t.realType);
    ExpectRowFits(t.fields, d.records.begin()->second.front(), where);
    if (!t.orderNumberField.empty()) {
      EXPECT_FALSE(ValueOf(d, protocol::kOutRec1, t.orderNumberField).empty()) << where;
    }
    if (t.block) {
      EXPECT_EQ(d.block.size(), t.block->HeaderWidth()) << where;
      ExpectBlockRowsFit(t.block->header, d.block, where);
    } else {
      EXPECT_TRUE(d.block.empty()) << where;
    }
  }
  std::vector<const sandbox::FieldRow*> rows;
  for (const EventData& d : records->second) rows.push_back(&d.records.begin()->second.front());
  ListIdle("real type " + std::to_string(t.realType), t.fields, protocol::kOutRec1,
           Observe().consoleReal.find(t.realType)->second, rows);
}

std::string TypeName(const testing::TestParamInfo<protocol::RealTypeLayout>& info) {
  return "Type" + std::to_string(info.param.realType);
}

INSTANTIATE_TEST_SUITE_P(EveryRealType, RealTypeCheck, testing::ValuesIn(protocol::AllRealTypes()),
                         TypeName);

TEST(ProtocolCheck, MasterFileRowsFitTheirColumns) {
  const Observed& o = Observe();
  std::set<std::string> files;
  for (const EventData& d : o.masterFiles) {
    const std::string name = ValueOf(d, protocol::kOutRec1, field::kFileName);
    const protocol::MasterFileLayout* layout = protocol::FindMasterFileLayout(name);
    ASSERT_NE(layout, nullptr) << U(name);
    files.insert(name);
    const std::string_view content =
        std::string_view(d.block).substr(protocol::BlockHeaderWidth(tr::kMasterFile));
    ASSERT_FALSE(content.empty());
    ASSERT_EQ(content.size() % layout->RowWidth(), 0u) << U(name);
    for (size_t at = 0; at < content.size(); at += layout->RowWidth()) {
      EXPECT_EQ(content.substr(at + layout->RowWidth() - 2, 2), "\r\n");
    }
    ExpectBlockRowsFit(layout->columns, content, U(name), layout->RowWidth());
  }
  EXPECT_EQ(files.size(), protocol::MasterFileLayouts().size());
}

TEST(ProtocolCheck, TheSandboxRunsWithoutAFault) {
  EXPECT_EQ(Observe().faults, std::vector<std::string>());
}

TEST(ProtocolCheck, EveryRealTypeTheConsoleKnowsIsTheBrokers) {
  for (int32_t type = -1; type <= 1000; ++type) {
    if (FindRealTypeRow(type)) {
      EXPECT_NE(protocol::FindRealType(type), nullptr) << type;
    }
  }
}

}  // namespace
}  // namespace zqk::test
