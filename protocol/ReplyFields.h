#pragma once
// Shorthands for the reply tables: a field of each kind with the width the
// broker gives it, and the padding where the broker pads a record's value.

#include <string_view>

#include "protocol/Layout.h"

namespace zqk::protocol::fields {

constexpr Field Code(std::string_view name, uint16_t width) {
  return {name, width, FieldKind::kCode};
}
constexpr Field Text(std::string_view name, uint16_t width) {
  return {name, width, FieldKind::kText};
}
constexpr Field Digits(std::string_view name, uint16_t width = 10) {
  return {name, width, FieldKind::kDigits};
}
constexpr Field Decimal(std::string_view name, uint16_t width = 15) {
  return {name, width, FieldKind::kDecimal};
}
// Amounts of money: wider than prices.
constexpr Field Amount(std::string_view name) {
  return {name, 20, FieldKind::kDecimal};
}
constexpr Field Account(std::string_view name, uint16_t width = 11) {
  return {name, width, FieldKind::kAccount};
}
constexpr Field Date(std::string_view name) {
  return {name, 8, FieldKind::kDateTime};
}
constexpr Field Time(std::string_view name) {
  return {name, 6, FieldKind::kDateTime};
}
// A record value that the broker fills with blanks to its width.
constexpr Field Padded(Field f) {
  f.align = Align::kLeft;
  return f;
}
constexpr Field RightAligned(Field f) {
  f.align = Align::kRight;
  return f;
}

// One record of a single row, of rows counted by GetRepeatCount, or of rows
// counted by a field of row 0 of OutRec1.
constexpr RecordLayout Single(std::span<const Field> fields, std::string_view name = kOutRec1) {
  return {name, RowCount::kOne, {}, fields};
}
constexpr RecordLayout Repeated(std::span<const Field> fields, std::string_view name = kOutRec1) {
  return {name, RowCount::kRepeatCount, {}, fields};
}
constexpr RecordLayout CountedBy(std::string_view countField, std::span<const Field> fields,
                                 std::string_view name) {
  return {name, RowCount::kCountField, countField, fields};
}

}  // namespace zqk::protocol::fields
