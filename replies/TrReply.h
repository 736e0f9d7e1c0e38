#pragma once
// What every TR reply decoder works with: the reply being decoded (its TR
// code, its RQID, the agent that reads its data, the output that shows it),
// the description of a decoded line, and the steps the decoders share.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "protocol/Layout.h"
#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk::reply {

using protocol::kOutRec1;
using protocol::kOutRec2;
// The real type of every read that names a query reply.
inline constexpr int32_t kQueryRealType = -1;
// The title of the paging question's box.
inline constexpr std::string_view kQuestionCaption = "라온벼리누리";

struct Reply {
  std::string_view trCode;
  int32_t rqId;
  AgentReader& agent;
  DecoderOutput& out;
  // Where the running executable lives (UTF-8): downloads go beside it.
  const std::filesystem::path& executableDir;
};

// How a field's value reaches its line.
enum class FieldText {
  kAsIs,
  kTrailingTrimmed,  // without trailing white space
  kDecimal,          // read as a decimal number and written back in decimal
};

// A field of a record and the label in front of its bracketed value.
struct ReplyField {
  std::string_view name;
  std::string_view label = {};
  FieldText text = FieldText::kAsIs;
};

enum class LineForm {
  kLabelled,  // label[value]label[value]...
  kJoined,    // the values one after another, no labels and no brackets
};

// One log line made of the fields of one record.
struct ReplyLine {
  std::span<const ReplyField> fields;
  LineForm form = LineForm::kLabelled;
  // Not empty: the line starts with this label and the reply's RQID in brackets.
  std::string_view rqIdLabel = {};
};

// The value of one field of row `row` of `record`, as the line shows it.
std::string ReadField(const Reply& r, std::string_view record, int32_t row, const ReplyField& f);

// Reads the line's fields from row `row` of `record`, in order, and logs the line.
void LogRecordLine(const Reply& r, std::string_view record, int32_t row, const ReplyLine& line);

// label + "[" + trCode + "]".
void LogHeader(const Reply& r, std::string_view label);

// One line per row 0 to announced-1 of `record` (none when announced < 1).
// A count up to 10,000 rows is taken as it is; a larger one is checked against
// the size of the reply's raw data (GetLastData, asked once): every row takes
// at least `rowWidth` bytes of it, and at least one per field, so no more rows
// than that are read, and a line says how many were left.
void LogRows(const Reply& r, std::string_view record, int32_t announced, const ReplyLine& line,
             int32_t rowWidth = 0);

// The raw block from offset 0 with `length` bytes, logged alone or as
// "[" + block + "]". A negative length asks for nothing (length 0); one beyond
// the 32-bit range is refused with a line. Returns the logged line, or nothing
// when refused.
enum class BlockLine { kBracketed, kAlone };
std::optional<std::string> LogBlock(const Reply& r, int64_t length, BlockLine form);

// The paging question: when the reply has a continuation key and the user
// answers Yes, the query is sent again with that key.
void AskToContinue(const Reply& r, std::string_view question);

// The parts one after another.
std::string Join(std::initializer_list<std::string_view> parts);

}  // namespace zqk::reply
