#include "protocol/Layout.h"

#include <algorithm>

#include "text/Blanks.h"
#include "text/Cp949Bytes.h"

namespace zqk::protocol {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Digits, optionally after a sign, with at most one decimal point or
// fraction mark ("2175.25", "-0.5", "167'16"): prices are typed either way.
bool IsDecimalText(std::string_view s) {
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  int marks = 0;
  int digits = 0;
  for (char c : s) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.' || c == '\'') {
      ++marks;
    } else {
      return false;
    }
  }
  return digits > 0 && marks <= 1;
}

template <class Fields>
auto FindByName(const Fields& fields, std::string_view name) -> decltype(&*fields.begin()) {
  for (const auto& f : fields) {
    // The tables and their readers share the same constants: their texts
    // are mostly the very same bytes, so the pointers are compared first.
    if ((f.name.data() == name.data() && f.name.size() == name.size()) || f.name == name) return &f;
  }
  return nullptr;
}

}  // namespace

const Field* RecordLayout::Find(std::string_view field) const {
  return FindByName(fields, field);
}

const RecordLayout* ReplyLayout::Record(std::string_view name) const {
  for (const RecordLayout& r : records) {
    if (r.name == name) return &r;
  }
  return nullptr;
}

const Field* ReplyLayout::Find(std::string_view record, std::string_view field) const {
  const RecordLayout* r = Record(record);
  return r ? r->Find(field) : nullptr;
}

const InputField* InputLayout::Find(std::string_view name) const {
  return FindByName(fields, name);
}

std::optional<size_t> OffsetOf(std::span<const Field> fields, std::string_view name) {
  size_t offset = 0;
  for (const Field& f : fields) {
    if (f.name == name) return offset;
    offset += f.width;
  }
  return std::nullopt;
}

std::optional<FieldAt> FieldAtOffset(std::span<const Field> fields, size_t offset) {
  size_t start = 0;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (offset < start + fields[i].width) return FieldAt{i, start};
    start += fields[i].width;
  }
  return std::nullopt;
}

const InputField* InputFieldAtOffset(const InputLayout& layout, size_t offset) {
  for (const InputField& f : layout.fields) {
    if (offset >= f.offset && offset < size_t{f.offset} + f.width) return &f;
  }
  return nullptr;
}

bool FitsKind(FieldKind kind, std::string_view value) {
  value = TrimBlanks(value);
  if (value.empty()) return true;
  switch (kind) {
    case FieldKind::kText:
    case FieldKind::kCode:
      return true;
    case FieldKind::kDigits:
    case FieldKind::kAccount:
    case FieldKind::kDateTime:
      return std::all_of(value.begin(), value.end(), IsDigit);
    case FieldKind::kDecimal:
      return IsDecimalText(value);
  }
  return false;
}

std::string_view KindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::kDigits:
      return "digits";
    case FieldKind::kDecimal:
      return "decimal";
    case FieldKind::kText:
      return "text";
    case FieldKind::kAccount:
      return "account";
    case FieldKind::kDateTime:
      return "date/time";
    case FieldKind::kCode:
      return "code";
  }
  return {};
}

std::string FitToWidth(std::string_view value, size_t width, Align align) {
  if (align == Align::kAsIs) return std::string(value);
  const std::string_view fitted = Cp949Prefix(value, width);
  std::string out;
  out.reserve(width);
  // Only a value that fits whole stands right: a cut one keeps its start.
  if (align == Align::kRight && value.size() < width) out.append(width - fitted.size(), ' ');
  out.append(fitted);
  out.resize(width, ' ');
  return out;
}

std::string ComposeInput(const InputLayout& layout, std::span<const std::string_view> values) {
  std::string input(layout.length, ' ');
  for (size_t i = 0; i < layout.fields.size() && i < values.size(); ++i) {
    const InputField& f = layout.fields[i];
    const std::string_view fitted = Cp949Prefix(TrimBlanks(values[i]), f.width);
    if (size_t{f.offset} + f.width > input.size()) input.resize(size_t{f.offset} + f.width, ' ');
    input.replace(f.offset, fitted.size(), fitted);
  }
  return input;
}

std::vector<std::string_view> ParseInput(const InputLayout& layout, std::string_view input) {
  std::vector<std::string_view> values;
  values.reserve(layout.fields.size());
  for (const InputField& f : layout.fields) {
    values.push_back(f.offset < input.size() ? TrimBlanks(input.substr(f.offset, f.width))
                                             : std::string_view());
  }
  return values;
}

}  // namespace zqk::protocol
