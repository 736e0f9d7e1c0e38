#include "replies/InspectionText.h"

#include <array>
#include <cstdio>

#include "replies/RealTimeDecoder.h"
#include "text/Cp949Bytes.h"
#include "text/Cp949Table.h"

namespace zqk::inspect {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(unsigned char b, std::string& out) {
  out += kHexDigits[b >> 4];
  out += kHexDigits[b & 15];
}

void AppendEscaped(unsigned char b, std::string& out) {
  out += "\\x";
  AppendHex(b, out);
}

// The texts of the notes, by NoteKind; %s stand for the arguments that
// `args` names in order: a, b, c, n(ame), t(ext).
struct NoteForm {
  std::string_view korean;
  std::string_view english;
  std::string_view args;
};
constexpr std::array<NoteForm, 12> kNoteForms{{
    {"레이아웃이 없어 바이트로 보입니다", "no layout: shown as bytes", ""},
    {"건수 %s: 행이 없습니다", "count %s: no rows", "a"},
    {"건수 %s 중 %s행만 읽었습니다 (자료나 한도에 더 담길 수 없습니다)",
     "count %s: %s rows read (the data or the limit holds no more)", "ab"},
    {"%s행 %s: 값 %s바이트가 필드 폭 %s보다 깁니다",
     "row %s field %s: the value's %s bytes are wider than its %s", "anbc"},
    {"자료(%s바이트)가 %s (%s행)에서 끝나 레이아웃보다 %s바이트 짧습니다",
     "the data (%s bytes) ends in %s (row %s), %s bytes short of the layout", "anbc"},
    {"레이아웃 길이 %s 뒤에 %s바이트가 더 있어 바이트로 보입니다",
     "%s bytes beyond the layout's %s: shown as bytes", "ba"},
    {"자료에 %s행이 있으나 건수는 %s입니다", "the data holds %s rows, the count says %s", "ab"},
    {"블록 길이 %s는 32비트 범위를 넘어 요청하지 않았습니다",
     "block length %s is beyond 32 bits: not asked for", "a"},
    {"검사기 한도 %s바이트에 이르러 나머지는 보관하지 않았습니다",
     "the inspector's limit of %s bytes is reached: the rest is not kept", "a"},
    {"에이전트 호출 실패: %s", "the agent call failed: %s", "t"},
    {"그 밖의 알림 %s건", "%s more notes", "a"},
    {"블록과 같은 %s바이트입니다 (위 블록 참조)", "the same %s bytes as the block above", "a"},
}};

std::string Row0(std::string_view label, int64_t index) {
  return std::string(label).append(std::to_string(index));
}

}  // namespace

std::string ShownBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const Cp949Table& table = Cp949Table::Get();
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
      ++i;
    } else if (Cp949CharLength(bytes, i) == 2 &&
               !table.Utf8Of(b, static_cast<unsigned char>(bytes[i + 1])).empty()) {
      out.append(bytes.substr(i, 2));
      i += 2;
    } else {
      AppendEscaped(b, out);
      ++i;
    }
  }
  return out;
}

std::string Quoted(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : ShownBytes(bytes)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

std::string_view PartName(const Part& part) {
  switch (part.source) {
    case Source::kRecord:
      return part.record;
    case Source::kBlock:
      return "block";
    case Source::kRawData:
      break;
  }
  return "raw";
}

std::string PartTitle(const Part& part, Language language) {
  const bool ko = language == Language::kKorean;
  const std::string count = std::to_string(part.count);
  switch (part.source) {
    case Source::kRecord:
      return std::string(part.record).append(ko ? " (건수 " : " (count ").append(count) + ")";
    case Source::kBlock:
      return (ko ? "블록 (GetDataBlock, 길이 " : "block (GetDataBlock, length ") + count + ")";
    case Source::kRawData:
      break;
  }
  return (ko ? "원자료 (GetLastData, " : "raw data (GetLastData, ") + count +
         (ko ? "바이트)" : " bytes)");
}

std::string RowLabel(const Row& row, Language language) {
  const bool ko = language == Language::kKorean;
  switch (row.kind) {
    case RowKind::kHeader:
      return ko ? "헤더" : "header";
    case RowKind::kContent:
      return ko ? "본문" : "content";
    case RowKind::kRow:
      break;
  }
  return ko ? std::to_string(row.index) + "행" : Row0("row ", row.index);
}

std::string NoteText(const Note& note, Language language) {
  const NoteForm& form = kNoteForms[static_cast<size_t>(note.kind)];
  std::array<std::string, 4> texts;
  std::array<std::string_view, 4> values;
  size_t n = 0;
  for (const char arg : form.args) {
    switch (arg) {
      case 'a':
        texts[n] = std::to_string(note.a);
        break;
      case 'b':
        texts[n] = std::to_string(note.b);
        break;
      case 'c':
        texts[n] = std::to_string(note.c);
        break;
      case 'n':
        texts[n] = note.name.empty() ? std::string("-") : std::string(note.name);
        break;
      default:
        texts[n] = ShownBytes(note.text);
        break;
    }
    values[n] = texts[n];
    ++n;
  }
  std::string out;
  FillPlaceholders(out, language == Language::kKorean ? form.korean : form.english,
                   std::span<const std::string_view>(values.data(), n));
  return out;
}

std::vector<std::string> DumpLines(std::string_view bytes, uint64_t offset) {
  std::vector<std::string> lines;
  lines.reserve((bytes.size() + kDumpWidth - 1) / kDumpWidth);
  for (size_t at = 0; at < bytes.size(); at += kDumpWidth) {
    const std::string_view chunk = bytes.substr(at, kDumpWidth);
    char head[24];
    std::snprintf(head, sizeof head, "%08llX ", static_cast<unsigned long long>(offset + at));
    std::string line = head;
    for (size_t i = 0; i < kDumpWidth; ++i) {
      line += ' ';
      if (i < chunk.size()) {
        AppendHex(static_cast<unsigned char>(chunk[i]), line);
      } else {
        line += "  ";
      }
    }
    line += "  ";
    for (const char c : chunk) line += c >= 0x20 && c < 0x7F ? c : '.';
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string FieldLine(const Part& part, const Row& row, const Field& field) {
  std::string line = "field ";
  line.append(PartName(part)).append(" ");
  switch (row.kind) {
    case RowKind::kHeader:
      line += "header";
      break;
    case RowKind::kContent:
      line += "content";
      break;
    case RowKind::kRow:
      line += Row0("row=", row.index);
      break;
  }
  line.append(" name=").append(Quoted(field.name));
  line.append(" offset=").append(std::to_string(field.offset));
  line.append(" width=").append(std::to_string(field.width));
  line.append(" value=").append(Quoted(field.value));
  return line;
}

std::vector<std::string> RowLines(const Part& part, const Row& row) {
  std::vector<std::string> lines;
  lines.reserve(row.fields.size());
  for (const Field& f : row.fields) lines.push_back(FieldLine(part, row, f));
  return lines;
}

std::vector<std::string> InspectionLines(const Inspection& inspection, Language language) {
  std::vector<std::string> lines;
  for (const Part& part : inspection.parts) {
    const std::string_view name = PartName(part);
    std::string head = "part ";
    head.append(name);
    head.append(part.source == Source::kRawData ? " bytes=" : " count=");
    head.append(std::to_string(part.count));
    lines.push_back(std::move(head));
    for (const Row& row : part.rows) {
      for (std::string& line : RowLines(part, row)) lines.push_back(std::move(line));
    }
    for (const Note& note : part.notes) {
      lines.push_back(std::string("note ").append(name).append(" ") +
                      Quoted(NoteText(note, language)));
    }
    for (size_t at = 0; at < part.rest.size(); at += kDumpWidth) {
      const std::string_view chunk = std::string_view(part.rest).substr(at, kDumpWidth);
      std::string line = std::string("bytes ").append(name).append(" offset=");
      line.append(std::to_string(part.restOffset + at)).append(" hex=\"");
      for (size_t i = 0; i < chunk.size(); ++i) {
        if (i) line += ' ';
        AppendHex(static_cast<unsigned char>(chunk[i]), line);
      }
      line.append("\" text=").append(Quoted(chunk));
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

}  // namespace zqk::inspect
