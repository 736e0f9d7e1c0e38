#include "replies/ReplyShapes.h"

#include <string>

#include "text/DecimalText.h"

namespace zqk::reply {
namespace {

void LogCount(const Reply& r, std::string_view label, int32_t n) {
  r.out.Log(Join({label, "[", std::to_string(n), "]"}));
}

}  // namespace

void SingleRecord::Decode(const Reply& r) const {
  if (!header.empty()) LogHeader(r, header);
  LogRecordLine(r, kOutRec1, 0, line);
  if (!question.empty()) AskToContinue(r, question);
}

void RepeatedRecords::Decode(const Reply& r) const {
  if (!header.empty()) LogHeader(r, header);
  if (!summary.fields.empty()) LogRecordLine(r, kOutRec1, 0, summary);
  const int32_t n =
      countField.empty()
          ? r.agent.GetRepeatCount(r.trCode, kQueryRealType, record)
          : LeadingInt32(r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0, countField));
  if (n < 1 && silentWhenEmpty) return;
  if (!countBefore.empty()) LogCount(r, countBefore, n);
  LogRows(r, record, n, line, blockWidth);
  if (blockWidth > 0) LogBlock(r, int64_t{n < 0 ? 0 : n} * blockWidth, blockForm);
  if (!countAfter.empty()) LogCount(r, countAfter, n);
  if (!question.empty()) AskToContinue(r, question);
}

void FixedLine::Decode(const Reply& r) const {
  r.out.Log(std::string(text));
}

void FixedBlock::Decode(const Reply& r) const {
  LogBlock(r, length, BlockLine::kAlone);
}

void SizedBlock::Decode(const Reply& r) const {
  const int32_t size =
      LeadingInt32(r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0, sizeField));
  // Summed in 64 bits: a size near the 32-bit limit is refused, not wrapped.
  if (std::optional<std::string> line = LogBlock(r, int64_t{size} + extra, BlockLine::kBracketed)) {
    r.out.ShowMessage(*line);
  }
}

}  // namespace zqk::reply
