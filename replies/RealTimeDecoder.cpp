#include "replies/RealTimeDecoder.h"

#include <array>

#include "protocol/RealTypes.h"
#include "replies/RealTimeTable.h"
#include "text/Blanks.h"
#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

constexpr std::string_view kRecord = protocol::kOutRec1;
constexpr std::string_view kBlockMode = "A";

// The overseas trade's conversion trace and the start of its raw block, in
// bytes: a character of this program's text is a byte.
constexpr std::string_view kTradeQuoteLine = "Real 82 Recv[%s]->[%s]->[%s]->[%s]->[%s]";
constexpr size_t kTradeBlockShown = 10;

// The raw block of a real type as its layout has it: the whole block, read
// under the layout's key where it names one, else under the event's key.
struct RawBlock {
  std::string_view key;
  int32_t length = 0;
};

RawBlock RawBlockOf(std::string_view key, int32_t realType) {
  const protocol::RealTypeLayout* type = protocol::FindRealType(realType);
  if (!type || !type->block) return {key, 0};
  return {type->blockKey.empty() ? key : type->blockKey,
          static_cast<int32_t>(type->block->HeaderWidth())};
}

constexpr std::string_view kUnknownLine = "[%d] 알수없는 실시간 요청값";

constexpr std::array<QuoteDisplay, 4> kDisplay = {QuoteDisplay::kProduct, QuoteDisplay::kTime,
                                                  QuoteDisplay::kPrice, QuoteDisplay::kVolume};

// Records arrive by the hundred thousand a second: one record's values and
// line arguments stay on the stack (the table keeps within kMaxRealFields).
using FieldValues = std::array<std::string, kMaxRealFields>;

std::string Trimmed(std::string value, RealTrim trim) {
  if (trim == RealTrim::kNone) return value;
  value.resize(TrimTrailingBlanks(value).size());
  if (trim == RealTrim::kBoth) value.erase(0, value.size() - TrimLeadingBlanks(value).size());
  return value;
}

void ReadFields(const RealTypeRow& row, std::string_view key, int32_t realType, AgentReader& reader,
                FieldValues& values) {
  for (size_t i = 0; i < row.fields.size(); ++i) {
    const std::string_view field = row.fields[i];
    std::string value = reader.GetFieldValue(key, realType, kRecord, 0, field);
    values[i] = field == kBuySellField ? std::move(value) : Trimmed(std::move(value), row.trim);
  }
}

void DecodeFields(const RealTypeRow& row, std::string_view key, int32_t realType,
                  AgentReader& reader, DecoderOutput& out, std::string& lastOrderNo) {
  FieldValues values;
  ReadFields(row, key, realType, reader, values);
  if (row.filtered && values[0] != lastOrderNo) return;
  if (row.display) {
    for (size_t i = 0; i < kDisplay.size(); ++i) out.SetDisplay(kDisplay[i], values[i]);
  }
  const std::string typeText = std::to_string(realType);
  std::array<std::string_view, kMaxRealFields> args;
  std::string text;
  for (const RealLine& line : row.lines) {
    for (size_t i = 0; i < line.args.size(); ++i) {
      const int8_t a = line.args[i];
      args[i] = a == kRealTypeArg ? std::string_view(typeText)
                                  : std::string_view(values[static_cast<size_t>(a)]);
    }
    FillPlaceholders(text, line.format, std::span(args).first(line.args.size()));
    out.Log(text);
  }
  if (row.accepts) lastOrderNo = values[0];
}

void DecodeTradeQuote(const RealTypeRow& row, std::string_view key, int32_t realType,
                      AgentReader& reader, DecoderOutput& out) {
  FieldValues values;
  ReadFields(row, key, realType, reader, values);
  const std::string& code = values[0];
  const std::string& price = values[2];
  out.SetDisplay(kDisplay[0], code);
  out.SetDisplay(kDisplay[1], values[1]);
  out.SetDisplay(kDisplay[2], reader.FormatValue(code, price, 0));
  out.SetDisplay(kDisplay[3], values[3]);
  // Each conversion takes the result of the one before.
  const std::string f0 = reader.FormatValue(code, price, 0);
  const std::string f1 = reader.FormatValue(code, f0, 1);
  const std::string f2 = reader.FormatValue(code, f1, 2);
  const std::string f3 = reader.FormatValue(code, f2, 0);
  const std::string_view trace[] = {price, f0, f1, f2, f3};
  std::string text;
  FillPlaceholders(text, kTradeQuoteLine, trace);
  out.Log(text);
  const RawBlock raw = RawBlockOf(key, realType);
  const std::string block = reader.GetDataBlock(raw.key, realType, 0, raw.length, 0, kBlockMode);
  out.Log(Cp949LeadingBytes(block, kTradeBlockShown));
}

}  // namespace

void DecodeRealData(std::string_view key, int32_t realType, AgentReader& reader, DecoderOutput& out,
                    std::string& lastOrderNo) {
  const RealTypeRow* row = FindRealTypeRow(realType);
  if (!row) {
    const std::string typeText = std::to_string(realType);
    const std::string_view args[] = {typeText};
    std::string text;
    FillPlaceholders(text, kUnknownLine, args);
    out.Log(text);
    return;
  }
  switch (row->action) {
    case RealAction::kFields:
      DecodeFields(*row, key, realType, reader, out, lastOrderNo);
      return;
    case RealAction::kTradeQuote:
      DecodeTradeQuote(*row, key, realType, reader, out);
      return;
    case RealAction::kRawBlock: {
      const RawBlock raw = RawBlockOf(key, realType);
      out.Log(reader.GetDataBlock(raw.key, realType, 0, raw.length, 0, kBlockMode));
      return;
    }
    case RealAction::kSilent:
      return;
  }
}

void FillPlaceholders(std::string& out, std::string_view format,
                      std::span<const std::string_view> values) {
  out.clear();
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const bool placeholder = format[i] == '%' && i + 1 < format.size() &&
                             (format[i + 1] == 's' || format[i + 1] == 'd') && next < values.size();
    if (placeholder) {
      out.append(values[next++]);
      ++i;
    } else {
      out.push_back(format[i]);
    }
  }
}

}  // namespace zqk
