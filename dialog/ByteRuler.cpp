#include "dialog/ByteRuler.h"

#include "dialog/ControlModel.h"
#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "text/Blanks.h"
#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

constexpr std::string_view kReservedKo = "(예약)";
constexpr std::string_view kReservedEn = "(reserved)";

std::string_view Pick(bool korean, std::string_view ko, std::string_view en) {
  return korean ? ko : en;
}

std::string_view KindText(protocol::FieldKind kind, bool korean) {
  if (!korean) return protocol::KindName(kind);
  switch (kind) {
    case protocol::FieldKind::kDigits:
      return "숫자";
    case protocol::FieldKind::kDecimal:
      return "소수";
    case protocol::FieldKind::kText:
      return "문자";
    case protocol::FieldKind::kAccount:
      return "계좌번호";
    case protocol::FieldKind::kDateTime:
      return "일자/시각";
    case protocol::FieldKind::kCode:
      return "코드";
  }
  return {};
}

std::string_view FieldName(const RulerField& field, bool korean) {
  return field.name.empty() ? Pick(korean, kReservedKo, kReservedEn) : field.name;
}

void AddField(RulerReading& r, std::string_view text, std::string_view name, size_t offset,
              size_t width, protocol::FieldKind kind) {
  RulerField f{name, offset, width, kind, {}};
  if (offset < text.size()) f.text = std::string(text.substr(offset, width));
  r.fields.push_back(std::move(f));
}

// The warnings of a reading whose fields are in place.
void Check(RulerReading& r, std::string_view text) {
  r.textLength = text.size();
  if (r.textLength != r.layoutLength) r.warnings.push_back({RulerProblem::kLength});
  for (size_t at = 0; at < text.size(); at += Cp949CharLength(text, at)) {
    if (Cp949CharLength(text, at) != 2) continue;
    const std::optional<size_t> first = r.FieldAt(at);
    if (first && first != r.FieldAt(at + 1)) {
      r.warnings.push_back({RulerProblem::kStraddle, *first, at});
    }
  }
  for (size_t i = 0; i < r.fields.size(); ++i) {
    const RulerField& f = r.fields[i];
    if (!f.name.empty() && !protocol::FitsKind(f.kind, f.text)) {
      r.warnings.push_back({RulerProblem::kKind, i});
    }
  }
}

}  // namespace

std::optional<size_t> RulerReading::FieldAt(size_t offset) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (offset >= fields[i].offset && offset < fields[i].offset + fields[i].width) return i;
  }
  return std::nullopt;
}

RulerReading ReadOrderRecord(std::string_view code, std::string_view text) {
  RulerReading r;
  r.code = std::string(code);
  r.textLength = text.size();
  const protocol::OrderLayout* layout = protocol::FindOrderLayout(code);
  if (!layout) return r;
  r.hasLayout = true;
  r.layoutName = layout->name;
  r.layoutLength = layout->Width();
  size_t offset = 0;
  for (const protocol::OrderRecordField& f : layout->fields) {
    AddField(r, text, protocol::OrderFieldName(f.field), offset, f.width,
             protocol::OrderFieldKind(f.field));
    offset += f.width;
  }
  Check(r, text);
  return r;
}

RulerReading ReadQueryInput(std::string_view code, std::string_view text) {
  RulerReading r;
  r.code = std::string(code);
  r.textLength = text.size();
  const protocol::InputLayout* layout = protocol::InputLayoutOf(code);
  if (!layout) return r;
  r.hasLayout = true;
  r.layoutLength = layout->length;
  // Bytes that no field holds are shown as reserved, so that every byte of
  // the layout falls in a field of the ruler.
  size_t end = 0;
  for (const protocol::InputField& f : layout->fields) {
    if (f.offset > end) AddField(r, text, {}, end, f.offset - end, protocol::FieldKind::kText);
    AddField(r, text, f.name, f.offset, f.width, f.kind);
    end = size_t{f.offset} + f.width;
  }
  if (layout->length > end) {
    AddField(r, text, {}, end, layout->length - end, protocol::FieldKind::kText);
  }
  Check(r, text);
  return r;
}

bool HasByteRuler(ControlId id) {
  return id == id::kOrderRecord || id == id::kTrInput || id == id::kFidInput;
}

std::optional<RulerReading> ReadRuler(const ControlModel& model, ControlId id) {
  if (id == id::kOrderRecord) {
    return ReadOrderRecord(model.Text(id::kOrderTrCode), model.Text(id));
  }
  if (id == id::kTrInput) return ReadQueryInput(model.Text(id::kTrCode), model.Text(id));
  if (id == id::kFidInput) return ReadQueryInput(model.Text(id::kFidCode), model.Text(id));
  return std::nullopt;
}

std::string RulerFieldText(const RulerField& field, bool korean) {
  std::string out(FieldName(field, korean));
  out.append("  ").append(std::to_string(field.offset)).append("+");
  out.append(std::to_string(field.width)).append(Pick(korean, "바이트", " bytes"));
  if (!field.name.empty()) out.append("  ").append(KindText(field.kind, korean));
  out.append("  [").append(field.text).append("]");
  return out;
}

std::string RulerWarningText(const RulerReading& reading, const RulerWarning& warning,
                             bool korean) {
  switch (warning.problem) {
    case RulerProblem::kLength:
      return std::to_string(reading.textLength) +
             std::string(Pick(korean, "바이트: 레이아웃은 ", " bytes; the layout takes ")) +
             std::to_string(reading.layoutLength) + std::string(Pick(korean, "바이트", ""));
    case RulerProblem::kStraddle: {
      const RulerField& field = reading.fields[warning.field];
      const std::optional<size_t> next = reading.FieldAt(warning.offset + 1);
      const std::string_view nextName = next ? FieldName(reading.fields[*next], korean)
                                             : Pick(korean, "레이아웃 끝", "the layout's end");
      std::string out = std::to_string(warning.offset);
      out.append(Pick(korean, "바이트의 2바이트 문자가 ", ": a double-byte character straddles "));
      out.append(FieldName(field, korean)).append(Pick(korean, "와 ", " and "));
      out.append(nextName).append(Pick(korean, "에 걸쳐 있습니다", ""));
      return out;
    }
    case RulerProblem::kKind: {
      const RulerField& field = reading.fields[warning.field];
      std::string out(FieldName(field, korean));
      out.append(": [").append(TrimBlanks(field.text)).append("] ");
      out.append(Pick(korean, "은(는) ", "is not ")).append(KindText(field.kind, korean));
      out.append(Pick(korean, " 값이 아닙니다", ""));
      return out;
    }
  }
  return {};
}

}  // namespace zqk
