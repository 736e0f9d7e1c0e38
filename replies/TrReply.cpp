#include "replies/TrReply.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "text/Blanks.h"
#include "text/DecimalText.h"

namespace zqk::reply {
namespace {

// Counts up to this many rows are believed without asking for the reply's size.
constexpr int32_t kTrustedRowCount = 10'000;

// How many of `announced` rows the reply can hold; `replyBytes` gets the size
// of its raw data when that was asked.
int32_t RowsToRead(const Reply& r, int32_t announced, size_t minRowBytes, size_t& replyBytes) {
  if (announced <= kTrustedRowCount) return announced;
  replyBytes = r.agent.GetLastData().size();
  const size_t fit = replyBytes / std::max<size_t>(minRowBytes, 1);
  return fit < static_cast<size_t>(announced) ? static_cast<int32_t>(fit) : announced;
}

std::string Bracketed(std::string_view label, std::string_view value) {
  return Join({label, "[", value, "]"});
}

}  // namespace

std::string Join(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view p : parts) size += p.size();
  std::string s;
  s.reserve(size);
  for (std::string_view p : parts) s.append(p);
  return s;
}

std::string ReadField(const Reply& r, std::string_view record, int32_t row, const ReplyField& f) {
  std::string value = r.agent.GetFieldValue(r.trCode, kQueryRealType, record, row, f.name);
  switch (f.text) {
    case FieldText::kAsIs:
      break;
    case FieldText::kTrailingTrimmed:
      value.resize(TrimTrailingBlanks(value).size());
      break;
    case FieldText::kDecimal:
      value = std::to_string(LeadingInt32(value));
      break;
  }
  return value;
}

void LogRecordLine(const Reply& r, std::string_view record, int32_t row, const ReplyLine& line) {
  std::string text;
  if (!line.rqIdLabel.empty()) text = Bracketed(line.rqIdLabel, std::to_string(r.rqId));
  for (const ReplyField& f : line.fields) {
    const std::string value = ReadField(r, record, row, f);
    if (line.form == LineForm::kJoined) {
      text.append(value);
    } else {
      text.append(Bracketed(f.label, value));
    }
  }
  r.out.Log(std::move(text));
}

void LogHeader(const Reply& r, std::string_view label) {
  r.out.Log(Bracketed(label, r.trCode));
}

void LogRows(const Reply& r, std::string_view record, int32_t announced, const ReplyLine& line,
             int32_t rowWidth) {
  if (announced < 1) return;
  size_t replyBytes = 0;
  const size_t minRowBytes =
      std::max(static_cast<size_t>(std::max(rowWidth, 0)), line.fields.size());
  const int32_t rows = RowsToRead(r, announced, minRowBytes, replyBytes);
  for (int32_t i = 0; i < rows; ++i) LogRecordLine(r, record, i, line);
  if (rows == announced) return;
  const std::string n = std::to_string(announced);
  const std::string bytes = std::to_string(replyBytes);
  const std::string read = std::to_string(rows);
  r.out.Log(r.out.IsKorean()
                ? Join({"[", r.trCode, "] 반복 건수[", n, "]는 응답 자료[", bytes,
                        "]바이트에 담길 수 없어 [", read, "]건만 읽었습니다"})
                : Join({"[", r.trCode, "] repeat count[", n, "] is more than the reply's [", bytes,
                        "] bytes can hold: [", read, "] records read"}));
}

std::optional<std::string> LogBlock(const Reply& r, int64_t length, BlockLine form) {
  if (length > std::numeric_limits<int32_t>::max()) {
    const std::string n = std::to_string(length);
    r.out.Log(r.out.IsKorean()
                  ? Join({"[", r.trCode, "] 블록 길이[", n, "]가 너무 커서 읽지 않았습니다"})
                  : Join({"[", r.trCode, "] block length[", n, "] is too large: not read"}));
    return std::nullopt;
  }
  std::string block = r.agent.GetDataBlock(
      r.trCode, kQueryRealType, 0, static_cast<int32_t>(std::max<int64_t>(length, 0)), 0, "A");
  std::string line = form == BlockLine::kAlone ? std::move(block) : Bracketed({}, block);
  r.out.Log(line);
  return line;
}

void AskToContinue(const Reply& r, std::string_view question) {
  std::string key = r.agent.GetNextKey(r.rqId, "");
  if (key.empty()) return;
  if (!r.out.AskYesNo(question, kQuestionCaption)) return;
  r.out.ContinueQuery(std::move(key));
}

}  // namespace zqk::reply
